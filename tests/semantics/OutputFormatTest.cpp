// Output format, bit alignment and custom shift: the shift arithmetic, the converter switches
// and shift written for each setting, rollback, and the table discovered from the design.
#include <sstream>

#include "DesignCopy.h"
#include "SetPathFixture.h"
#include "runtime/ResultCodes.h"
#include "semantics/OutputFormat.h"
#include "simboard/control.h"

namespace brenvik::test {
namespace {

using semantics::bitsOfFormat;
using semantics::outputShift;

constexpr std::int32_t kFormat = sdkId("FG_FORMAT");
constexpr std::int32_t kAlignment = sdkId("FG_BITALIGNMENT");
constexpr std::int32_t kCustomShift = sdkId("FG_CUSTOM_BIT_SHIFT_RIGHT");

constexpr std::uint32_t kGray = 3;
constexpr std::uint32_t kGray10 = 21;
constexpr std::uint32_t kGray16 = 1;
constexpr std::uint32_t kRight = 0;
constexpr std::uint32_t kLeft = 1;
constexpr std::uint32_t kCustom = 2;

// The code a call raises, or 0.
template <typename Call>
std::int32_t raisedBy(Call&& call) {
  try {
    call();
  } catch (const codes::RaisedCode& raised) {
    return raised.code;
  }
  return 0;
}

TEST(OutputShift, EachAlignmentMovesThePixelBitsItsOwnWay) {
  struct Case {
    std::int32_t alignment;
    std::uint32_t custom, bits;
    std::int32_t maxBits, shift;
  };
  const Case cases[] = {
      {0, 0, 8, 16, 8},  {0, 0, 10, 16, 6}, {0, 0, 16, 16, 6}, {0, 5, 8, 16, 8},
      {1, 0, 8, 16, 8},  {1, 0, 10, 16, 6}, {1, 0, 16, 16, 0}, {1, 5, 16, 12, -4},
      {2, 7, 8, 16, 15}, {2, 0, 16, 16, 0}, {2, 3, 10, 16, 9}, {2, 0, 12, 12, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(outputShift(c.alignment, c.custom, c.bits, c.maxBits), c.shift)
        << c.alignment << " " << c.custom << " " << c.bits << " " << c.maxBits;
  }
}

TEST(OutputShift, ACustomShiftOutsideThePipelineOrAnUnknownAlignmentIsRefused) {
  EXPECT_EQ(raisedBy([] { outputShift(2, 0, 16, 12); }), -6000);
  EXPECT_EQ(raisedBy([] { outputShift(2, 8, 8, 16); }), -6000);
  EXPECT_EQ(raisedBy([] { outputShift(3, 0, 8, 16); }), -2031);
  EXPECT_EQ(raisedBy([] { outputShift(-1, 0, 8, 16); }), -2031);
}

TEST(OutputShift, BitsPerPixelOfAFormatCode) {
  EXPECT_EQ(bitsOfFormat(3), 8u);
  EXPECT_EQ(bitsOfFormat(21), 10u);
  EXPECT_EQ(bitsOfFormat(1), 16u);
  EXPECT_EQ(bitsOfFormat(8), 1u);
  for (const std::uint32_t unknown : {0u, 10u, 408u, 0xFFFFFFFFu}) {
    EXPECT_EQ(raisedBy([&] { bitsOfFormat(unknown); }), -2031) << unknown;
  }
}

using OutputFormat = SetPathTest;

std::vector<std::string> formatWrites(std::uint32_t input, std::uint32_t shift) {
  std::vector<std::string> lines;
  for (std::uint32_t i = 0; i < 3; ++i) {
    lines.push_back("OutputFormat_Convert" + std::to_string(i) +
                    "_VirtualTrash_EnableTrash_Value 2 " + (i == input ? "0" : "1") + " 0");
  }
  lines.push_back("OutputFormat_DynamicShift_Shift_Value 2 " + std::to_string(shift) + " 0");
  lines.push_back("OutputFormat_FG_FORMAT_SelectSource 2 " + std::to_string(input) + " 0");
  return lines;
}

TEST_F(OutputFormat, AFormatSwitchesTheConvertersShiftsAndSelectsItsInput) {
  ASSERT_EQ(set(kFormat, kGray10), 0);
  EXPECT_EQ(writes(), formatWrites(1, 6));
  ASSERT_EQ(set(kFormat, kGray16), 0);
  EXPECT_EQ(writes(), formatWrites(2, 0));
  EXPECT_EQ(maximum(kCustomShift), 15);
  ASSERT_EQ(set(kFormat, kGray), 0);
  EXPECT_EQ(writes(), formatWrites(0, 8));
  EXPECT_EQ(maximum(kCustomShift), 7);
}

// Every alignment rewrites the shift of the current format through the format's setter.
TEST_F(OutputFormat, TheShiftFollowsTheAlignmentForEachFormat) {
  struct Case {
    std::uint32_t format, alignment, input, shift;
  };
  const Case cases[] = {
      {kGray, kRight, 0, 8},  {kGray10, kRight, 1, 6},  {kGray16, kRight, 2, 6},
      {kGray, kLeft, 0, 8},   {kGray10, kLeft, 1, 6},   {kGray16, kLeft, 2, 0},
      {kGray, kCustom, 0, 8}, {kGray10, kCustom, 1, 6}, {kGray16, kCustom, 2, 0},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(set(kFormat, c.format), 0);
    writes();
    ASSERT_EQ(set(kAlignment, c.alignment), 0);
    EXPECT_EQ(writes(), formatWrites(c.input, c.shift)) << c.format << " " << c.alignment;
  }
}

TEST_F(OutputFormat, ACustomShiftCountsOnlyInCustomAlignment) {
  EXPECT_EQ(set(kCustomShift, 8), -6000);
  EXPECT_TRUE(writes().empty());
  ASSERT_EQ(set(kCustomShift, 7), 0);
  EXPECT_EQ(writes(), formatWrites(0, 8));  // still left aligned
  ASSERT_EQ(set(kAlignment, kCustom), 0);
  EXPECT_EQ(writes(), formatWrites(0, 15));
  ASSERT_EQ(set(kFormat, kGray16), 0);
  EXPECT_EQ(writes(), formatWrites(2, 7));
  ASSERT_EQ(set(kCustomShift, 15), 0);
  EXPECT_EQ(writes(), formatWrites(2, 15));

  // Back to 8 bits the shift would be 15 + 8: the format is refused after its converter
  // switches were written, and stays.
  EXPECT_EQ(set(kFormat, kGray), -6000);
  EXPECT_EQ(get(kFormat), kGray16);
  const auto lines = writes();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "OutputFormat_Convert0_VirtualTrash_EnableTrash_Value 2 0 0");
}

TEST_F(OutputFormat, OnlyEnumeratedValuesAreAccepted) {
  EXPECT_EQ(set(kFormat, 2), -6000);  // a format code the applet does not offer
  EXPECT_EQ(set(kFormat, 408), -6000);
  EXPECT_EQ(set(kAlignment, 3), -6000);
  EXPECT_EQ(set(kAlignment, 0xFFFFFFFF), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(get(kFormat), kGray);
  EXPECT_EQ(get(kAlignment), kLeft);
}

TEST_F(OutputFormat, AFailingConverterSwitchIsALookupFailureAndRollsBack) {
  failWrites("Device1_Process0_OutputFormat_Convert1_VirtualTrash_EnableTrash_Value",
             SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(set(kFormat, kGray16), -2031);
  EXPECT_EQ(get(kFormat), kGray);
  EXPECT_EQ(writes(), (std::vector<std::string>{
                          "OutputFormat_Convert0_VirtualTrash_EnableTrash_Value 2 1 0",
                          "OutputFormat_Convert1_VirtualTrash_EnableTrash_Value 2 1 -2073",
                      }));
  // A failure inside the format's setter rolls the alignment and the custom shift back too,
  // with the runtime's own code for any other write.
  failWrites("Device1_Process0_OutputFormat_DynamicShift_Shift_Value", SIMBOARD_OUT_OF_RANGE, 2);
  EXPECT_EQ(set(kAlignment, kRight), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(get(kAlignment), kLeft);
  EXPECT_EQ(set(kCustomShift, 3), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(get(kCustomShift), 0u);
  EXPECT_EQ(set(kAlignment, kRight), 0);
}

// --- The table discovered from a modified design (a process of its own, external design) ---

class ModifiedOutputFormat : public ::testing::Test {
 protected:
  void TearDown() override {
    if (handle_.applet != nullptr) {
      EXPECT_EQ(Fg_FreeGrabber(&handle_), 0);
    }
  }
  void replaceText(const std::string& name, const std::string& text) {
    design_.replaceText(name, text);
  }
  void create() {
    design_.write();
    board_ = freshBoard();
    std::int32_t code = -1;
    handle_.applet = Std_entry(board_, &code, 0);
    ASSERT_EQ(code, 0);
    ASSERT_NE(handle_.applet, nullptr);
  }
  int setFormat(std::uint32_t format) {
    return Fg_setParameterWithType(&handle_, kFormat, &format, 0, 2);
  }
  std::vector<std::string> outputFormatWrites() {
    std::vector<std::string> lines;
    for (const std::string& line : journal(board_)) {
      if (line.find("OutputFormat") != std::string::npos) lines.push_back(line.substr(17));
    }
    simboard_journal_clear(board_);
    return lines;
  }

  DesignCopy design_;
  AppletHandle handle_{nullptr};
  std::uint64_t board_ = 0;
};

TEST_F(ModifiedOutputFormat, TheTableFollowsTheDesignsInputsFlagsAndWidth) {
  replaceText("Device1_Process0_OutputFormat_FG_FORMAT_MaxBits", "12");
  replaceText("Device1_Process0_OutputFormat_FG_FORMAT_InputFlag0", "0");
  create();
  outputFormatWrites();
  ASSERT_EQ(setFormat(kGray10), 0);
  EXPECT_EQ(outputFormatWrites(), (std::vector<std::string>{
                                      "OutputFormat_Convert1_VirtualTrash_EnableTrash_Value 2 0 0",
                                      "OutputFormat_Convert2_VirtualTrash_EnableTrash_Value 2 1 0",
                                      "OutputFormat_DynamicShift_Shift_Value 2 2 0",
                                      "OutputFormat_FG_FORMAT_SelectSource 2 1 0",
                                  }));
  // Sixteen bits do not fit a twelve-bit pipeline with a custom shift.
  ASSERT_EQ(setFormat(kGray16), 0);
  std::uint32_t alignment = kCustom;
  EXPECT_EQ(Fg_setParameterWithType(&handle_, kAlignment, &alignment, 0, 2), -6000);
  EXPECT_EQ(Fg_getParameterWithType(&handle_, kAlignment, &alignment, 0, 2), 0);
  EXPECT_EQ(alignment, kLeft);
}

TEST_F(ModifiedOutputFormat, AnUnknownInputEndsTheTableBeforeIt) {
  replaceText("Device1_Process0_OutputFormat_FG_FORMAT_Input1", "FG_YUV422");
  create();
  EXPECT_EQ(setFormat(kGray10), -6000);
  EXPECT_EQ(setFormat(kGray16), -6000);
  EXPECT_EQ(setFormat(kGray), 0);
}

// The debug points are discovered first; when that fails, the output formats are never read
// and no format can be set, not even by the default pass.
TEST_F(ModifiedOutputFormat, AFailedDebugPointDiscoveryLeavesTheTableEmpty) {
  replaceText("Device1_Process0_Debug_Type0", "inject");
  create();
  EXPECT_EQ(outputFormatWrites(), std::vector<std::string>{});
  EXPECT_EQ(setFormat(kGray), -6000);
  std::uint32_t width = 512;
  EXPECT_EQ(Fg_setParameterWithType(&handle_, sdkId("FG_WIDTH"), &width, 0, 2), 0);
}

}  // namespace
}  // namespace brenvik::test
