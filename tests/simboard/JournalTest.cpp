// The journal of writes (order, value texts, bound, clearing) and the failure plan (counts,
// operations, persistence across design loads).
#include "BoardTestSupport.h"
#include "RuntimeFunctions.h"

namespace brenvik::simboard::test {
namespace {

using runtime::FieldParameterAccess;
using runtime::LutEntry;

constexpr const char* kCount = "Device1_Process0_Block_Count";
constexpr const char* kTable = "Device1_Process0_Table_Values";
constexpr const char* kPlain = "Plain";

using Journal = RuntimeTest;

TEST_F(Journal, ListsEveryWriteInOrderWithItsValueText) {
  std::uint32_t u32 = 50;
  std::int64_t i64 = -1;
  double real = 0.25;
  std::uint32_t words[2] = {7, 8};
  FieldParameterAccess field{2, 2, 2, words};
  LutEntry entry{9, 3};
  LutEntry entries[2] = {{5, 1}, {6, 2}};
  FieldParameterAccess pairs{4098, 0, 2, entries};
  set(kCount, &u32, 2);
  set(kCount, &i64, 3);
  set("Device1_Process0_Other_Gain", &real, 5);
  set("Device1_Process0_Text_Name", "abc", 6);
  set(kTable, &field, 4096);
  set(kTable, &entry, 4098);
  set(kTable, &pairs, 4096);
  FieldParameterAccess tooMany{2, 6, 3, words};  // claims a third element it does not have
  set(kTable, &tooMany, 4096);
  set("Device1_Process1_Status_Level", &u32, 2);
  set(kCount, nullptr, 2);
  Fg_setParameterWithType(runtime_, 77, &u32, 0, 2);
  u32 = 5000;
  set("FG_TIMEOUT", &u32, 2);
  VurnHw_WriteRegister(board_, 0x40, 1ull << 40);
  VurnHw_WriteRegister(board_, 0x99, 1);
  // Reads and control writes are not journaled.
  get(kCount, &u32, 2);
  simboard_set(board_, kCount, "3");

  EXPECT_EQ(journal(board_), (std::vector<std::string>{
                                 "Device1_Process0_Block_Count 2 50 0",
                                 "Device1_Process0_Block_Count 3 -1 -2073",
                                 "Device1_Process0_Other_Gain 5 0.25 0",
                                 "Device1_Process0_Text_Name 6 abc 0",
                                 "Device1_Process0_Table_Values 4096 2:7,8 0",
                                 "Device1_Process0_Table_Values 4098 3=9 0",
                                 "Device1_Process0_Table_Values 4096 0:1=5,2=6 0",
                                 "Device1_Process0_Table_Values 4096 6: -2073",
                                 "Device1_Process1_Status_Level 2 50 -2072",
                                 "Device1_Process0_Block_Count 2  -2070",
                                 "#77 2 50 -2070",
                                 "FG_TIMEOUT 2 5000 0",
                                 "register:Wide 0 1099511627776 0",
                                 "register:#153 0 1 -2074",
                             }));
  SimboardWrite write{};
  EXPECT_EQ(simboard_journal_entry(board_, 14, &write), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(simboard_journal_entry(board_, 0, nullptr), SIMBOARD_INVALID_PARAMETER);
  simboard_journal_clear(board_);
  EXPECT_EQ(simboard_journal_size(board_), 0u);
}

TEST_F(Journal, KeepsTheNewestEntriesOnly) {
  constexpr std::uint32_t kExtra = 10;
  constexpr std::uint32_t kCapacity = 65536;
  const int plain = id(kPlain);
  for (std::uint32_t i = 0; i < kCapacity + kExtra; ++i) {
    Fg_setParameterWithType(runtime_, plain, &i, 0, 2);
  }
  ASSERT_EQ(simboard_journal_size(board_), kCapacity);
  SimboardWrite first{};
  SimboardWrite last{};
  ASSERT_EQ(simboard_journal_entry(board_, 0, &first), 0);
  ASSERT_EQ(simboard_journal_entry(board_, kCapacity - 1, &last), 0);
  EXPECT_STREQ(first.value, std::to_string(kExtra).c_str());
  EXPECT_STREQ(last.value, std::to_string(kCapacity + kExtra - 1).c_str());
  EXPECT_STREQ(first.name, kPlain);
}

// Texts and fields past the journal's wrap: each entry kept still tells its own value while
// the storage of their data wraps, drops the oldest and, once long texts follow short ones,
// grows with entries in use.
TEST_F(Journal, KeepsTheDataOfEveryEntryWhileItsStorageGrowsAndWraps) {
  constexpr std::uint32_t kCapacity = 65536;
  constexpr std::uint32_t kWrites = kCapacity + 3000;
  auto text = [](std::uint32_t i) {
    const std::size_t length = i < kCapacity ? i % 10 : 1000 - i % 7;
    return std::string(length, static_cast<char>('a' + i % 26)) + std::to_string(i);
  };
  const int name = id("Device1_Process0_Text_Name");
  const int table = id(kTable);
  for (std::uint32_t i = 0; i < kWrites; ++i) {
    if (i % 2 == 0) {
      Fg_setParameterWithType(runtime_, name, text(i).c_str(), 0, 6);
    } else {
      std::uint32_t words[8];
      for (std::uint32_t k = 0; k < 8; ++k) words[k] = (i + k) % 1000;
      FieldParameterAccess field{2, 0, 8, words};
      Fg_setParameterWithType(runtime_, table, &field, 0, 4096);
    }
  }
  ASSERT_EQ(simboard_journal_size(board_), kCapacity);
  for (std::uint32_t index = 0; index < kCapacity; index += index < kCapacity - 3000 ? 97 : 1) {
    const std::uint32_t i = kWrites - kCapacity + index;
    SimboardWrite entry{};
    ASSERT_EQ(simboard_journal_entry(board_, index, &entry), 0);
    std::string expected = text(i);
    if (i % 2 == 1) {
      expected = "0:";
      for (std::uint32_t k = 0; k < 8; ++k) {
        expected += (k == 0 ? "" : ",") + std::to_string((i + k) % 1000);
      }
    }
    ASSERT_EQ(entry.value, expected) << index;
  }
}

TEST_F(Journal, IsClearedWhenADesignIsLoaded) {
  std::uint32_t u32 = 20;
  set(kCount, &u32, 2);
  ASSERT_EQ(simboard_journal_size(board_), 1u);
  void* second = Fg_InitHandle("again", board_, hap_);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(simboard_journal_size(board_), 0u);
  EXPECT_EQ(value(kCount), "5");  // values back to their initial state
  EXPECT_EQ(Fg_FreeGrabber(second), 0);
}

using FailurePlan = RuntimeTest;

TEST_F(FailurePlan, FailsTheNextCountAccessesOfTheChosenOperations) {
  ASSERT_EQ(simboard_fail(board_, kCount, SIMBOARD_WRITES, -5000, 2), 0);
  std::uint32_t u32 = 10;
  EXPECT_EQ(set(kCount, &u32, 2), -5000);
  EXPECT_EQ(get(kCount, &u32, 2), 0);  // reads are not planned to fail
  EXPECT_EQ(u32, 5u);
  u32 = 11;
  EXPECT_EQ(set(kCount, &u32, 2), -5000);
  EXPECT_EQ(set(kCount, &u32, 2), 0);
  EXPECT_EQ(journal(board_)[1], "Device1_Process0_Block_Count 2 11 -5000");

  ASSERT_EQ(simboard_fail(board_, kCount, SIMBOARD_READS | SIMBOARD_WRITES, -7, -1), 0);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(get(kCount, &u32, 2), -7);
    EXPECT_EQ(set(kCount, &u32, 2), -7);
  }
  ASSERT_EQ(simboard_fail(board_, kCount, SIMBOARD_READS, -7, 0), 0);  // count 0 disarms
  EXPECT_EQ(get(kCount, &u32, 2), 0);
  EXPECT_EQ(set(kCount, &u32, 2), -7);
  simboard_clear_failures(board_);
  EXPECT_EQ(set(kCount, &u32, 2), 0);
}

TEST_F(FailurePlan, CoversRegistersAndTheRuntimesOwnParameters) {
  ASSERT_EQ(simboard_fail(board_, "register:Wide", SIMBOARD_READS, -9, 1), 0);
  ASSERT_EQ(simboard_fail(board_, "FG_TIMEOUT", SIMBOARD_WRITES, -8, 1), 0);
  std::uint64_t wide = 0;
  EXPECT_EQ(VurnHw_ReadRegister(board_, 0x40, &wide), -9);
  EXPECT_EQ(VurnHw_ReadRegister(board_, 0x40, &wide), 0);
  std::uint32_t timeout = 5;
  EXPECT_EQ(set("FG_TIMEOUT", &timeout, 2), -8);
  EXPECT_EQ(set("FG_TIMEOUT", &timeout, 2), 0);
}

TEST_F(FailurePlan, IsArrangedBeforeADesignIsLoadedAndSurvivesLoads) {
  const std::uint64_t board = freshBoard();
  ASSERT_EQ(simboard_fail(board, kCount, SIMBOARD_WRITES, -5000, 3), 0);
  void* first = Fg_InitHandle("x", board, hap_);
  ASSERT_NE(first, nullptr);
  std::uint32_t u32 = 10;
  EXPECT_EQ(Fg_setParameterWithType(first, 1, &u32, 0, 2), -5000);
  void* second = Fg_InitHandle("x", board, hap_);  // loading again keeps the plan and its count
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(Fg_setParameterWithType(second, 1, &u32, 0, 2), -5000);
  EXPECT_EQ(Fg_setParameterWithType(second, 1, &u32, 0, 2), -5000);
  EXPECT_EQ(Fg_setParameterWithType(second, 1, &u32, 0, 2), 0);
  EXPECT_EQ(Fg_FreeGrabber(first), 0);
  EXPECT_EQ(Fg_FreeGrabber(second), 0);
}

TEST_F(FailurePlan, RefusesMeaninglessRequests) {
  EXPECT_EQ(simboard_fail(board_, kCount, SIMBOARD_WRITES, 0, 1), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_fail(board_, kCount, 0, -1, 1), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_fail(board_, kCount, 4, -1, 1), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_fail(board_, "", SIMBOARD_WRITES, -1, 1), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_fail(board_, nullptr, SIMBOARD_WRITES, -1, 1), SIMBOARD_INVALID_PARAMETER);
}

}  // namespace
}  // namespace brenvik::simboard::test
