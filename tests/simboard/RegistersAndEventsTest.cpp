// What molvrt tells about a design's registers and events, and register access through
// vurn_hw on a board: widths, masking, read-only registers and unknown ids.
#include "BoardTestSupport.h"

namespace brenvik::simboard::test {
namespace {

using Registers = RuntimeTest;

TEST_F(Registers, AreListedByNumberAndDescribedById) {
  ASSERT_EQ(Molvrt_RegisterCount(hap_), 4);
  const char* names[] = {"Bit", "Wide", "Full", "Word"};
  const std::uint32_t ids[] = {0x20, 0x40, 0x41, 0x30};
  const std::uint32_t widths[] = {1, 40, 64, 32};
  for (int number = 1; number <= 4; ++number) {
    const auto i = static_cast<std::size_t>(number - 1);
    EXPECT_STREQ(Molvrt_RegisterName(hap_, number), names[i]);
    EXPECT_EQ(Molvrt_RegisterId(hap_, names[i]), ids[i]);
    EXPECT_EQ(Molvrt_RegisterWidth(hap_, ids[i]), widths[i]);
    EXPECT_EQ(Molvrt_RegisterFlag(hap_, ids[i]), number == 4 ? 0 : 1);
  }
  EXPECT_EQ(Molvrt_RegisterName(hap_, 0), nullptr);
  EXPECT_EQ(Molvrt_RegisterName(hap_, 5), nullptr);
  EXPECT_EQ(Molvrt_RegisterId(hap_, "Nothing"), 0u);
  EXPECT_EQ(Molvrt_RegisterId(hap_, nullptr), 0u);
  EXPECT_EQ(Molvrt_RegisterWidth(hap_, 0x99), 0u);
  EXPECT_EQ(Molvrt_RegisterCount(nullptr), 0);
  int unknown = 0;
  EXPECT_EQ(Molvrt_RegisterCount(&unknown), 0);
  EXPECT_EQ(Molvrt_RegisterName(&unknown, 1), nullptr);
}

TEST_F(Registers, KeepValuesMaskedToTheirWidth) {
  std::uint64_t value = 0;
  EXPECT_EQ(VurnHw_WriteRegister(board_, 0x20, 3), 0);
  EXPECT_EQ(VurnHw_ReadRegister(board_, 0x20, &value), 0);
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(VurnHw_WriteRegister(board_, 0x40, (1ull << 41) | 5), 0);
  EXPECT_EQ(VurnHw_ReadRegister(board_, 0x40, &value), 0);
  EXPECT_EQ(value, 5u);
  EXPECT_EQ(VurnHw_WriteRegister(board_, 0x41, ~0ull), 0);
  EXPECT_EQ(boardValue(board_, "register:Full"), "18446744073709551615");
  EXPECT_EQ(VurnHw_WriteRegister(board_, 0x30, 1), SIMBOARD_READ_ONLY);
  EXPECT_EQ(VurnHw_ReadRegister(board_, 0x30, &value), 0);
  EXPECT_EQ(value, 0x12345678u);
  EXPECT_EQ(VurnHw_ReadRegister(board_, 0x99, &value), SIMBOARD_NO_DESIGN);
  EXPECT_EQ(VurnHw_ReadRegister(board_, 0x20, nullptr), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(VurnHw_WriteRegister(freshBoard(), 0x20, 1), SIMBOARD_NO_DESIGN);

  EXPECT_EQ(simboard_set(board_, "register:Word", "0x1FFFFFFFF"), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(simboard_set(board_, "register:Word", "7"), 0);  // read-only for the applet only
  EXPECT_EQ(simboard_set(board_, "register:Nothing", "7"), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_set(freshBoard(), "register:Word", "7"), SIMBOARD_NO_DESIGN);
}

using Events = RuntimeTest;

TEST_F(Events, AreDescribedInDesignOrderUntilTheLast) {
  const MolvrtEventDescriptor* start = Molvrt_EventDescriptor(hap_, 0);
  ASSERT_NE(start, nullptr);
  EXPECT_STREQ(start->name, "Start");
  EXPECT_EQ(start->kind, 1);
  EXPECT_STREQ(start->description, "the start");
  EXPECT_EQ(Molvrt_EventDescriptor(hap_, 0), start);  // the same record while open
  EXPECT_EQ(Molvrt_EventDescriptor(hap_, 1)->kind, 0);
  EXPECT_STREQ(Molvrt_EventDescriptor(hap_, 1)->description, "");
  EXPECT_STREQ(Molvrt_EventDescriptor(hap_, 2)->name, "Stop");
  EXPECT_EQ(Molvrt_EventDescriptor(hap_, 3), nullptr);
  EXPECT_EQ(Molvrt_EventDescriptor(nullptr, 0), nullptr);
}

TEST_F(Events, GoWithTheImageHandleWhileTheBoardKeepsItsDesign) {
  Molvrt_Close(hap_);
  void* closed = hap_;
  hap_ = nullptr;
  EXPECT_EQ(Molvrt_EventDescriptor(closed, 0), nullptr);
  EXPECT_EQ(Molvrt_RegisterCount(closed), 0);
  // The runtime still works on the design loaded onto the board.
  EXPECT_NE(Fg_getParameterInfo(runtime_, 0), nullptr);
  std::uint32_t count = 9;
  EXPECT_EQ(set("Device1_Process0_Block_Count", &count, 2), 0);
  EXPECT_EQ(VurnHw_WriteRegister(board_, 0x20, 1), 0);
}

}  // namespace
}  // namespace brenvik::simboard::test
