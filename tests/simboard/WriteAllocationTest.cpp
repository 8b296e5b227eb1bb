// The board's write path allocates nothing once its journal holds what a workload keeps:
// typed writes of every kind, refused ones, register writes, and writes past the journal's
// wrap, counted over every allocation of the program and the libraries it loads.
#include <functional>
#include <vector>

#include "AllocationCount.h"
#include "BoardTestSupport.h"

namespace brenvik::simboard::test {
namespace {

using runtime::FieldParameterAccess;
using runtime::LutEntry;

class WritePath : public RuntimeTest {
 protected:
  struct Write {
    const char* what;
    std::function<int()> call;
    int result;
  };

  // One of every kind of write, each with the result it must give.
  std::vector<Write> writes() {
    return {
        {"u32", [this] { return set("Device1_Process0_Block_Count", &count_, 2); }, 0},
        {"i64", [this] { return set("Device1_Process0_Other_Signed", &signed_, 3); }, 0},
        {"double", [this] { return set("Device1_Process0_Other_Gain", &gain_, 5); }, 0},
        {"text", [this] { return set("Device1_Process0_Text_Name", text_, 6); }, 0},
        {"long text", [this] { return set("Device1_Process0_Text_Name", longText_.data(), 22); },
         0},
        {"field", [this] { return set("Device1_Process0_Table_Values", &field_, 4096); }, 0},
        {"pairs", [this] { return set("Device1_Process0_Table_Values", &pairs_, 4096); }, 0},
        {"entry", [this] { return set("Device1_Process0_Table_Values", &entry_, 4098); }, 0},
        {"runtime", [this] { return set("FG_TIMEOUT", &count_, 2); }, 0},
        {"register", [this] { return VurnHw_WriteRegister(board_, 0x40, 5); }, 0},
        {"wrong type", [this] { return set("Device1_Process0_Block_Count", &gain_, 5); },
         SIMBOARD_WRONG_TYPE},
        {"out of range", [this] { return set("Device1_Process0_Block_Count", &tooBig_, 2); },
         SIMBOARD_OUT_OF_RANGE},
        {"read-only", [this] { return set("Device1_Process1_Status_Level", &count_, 2); },
         SIMBOARD_READ_ONLY},
        {"unknown id",
         [this] { return Fg_setParameterWithType(runtime_, 77, &count_, 0, 2); },
         SIMBOARD_INVALID_PARAMETER},
        {"null value", [this] { return set("Device1_Process0_Block_Count", nullptr, 2); },
         SIMBOARD_INVALID_PARAMETER},
    };
  }

  // Allocations counted over `rounds` rounds of every write.
  long counted(int rounds) {
    const std::vector<Write> all = writes();
    const long before = brenvik::test::allocationCount();
    for (int round = 0; round < rounds; ++round) {
      for (const Write& write : all) EXPECT_EQ(write.call(), write.result) << write.what;
    }
    return brenvik::test::allocationCount() - before;
  }

  std::uint32_t count_ = 7;
  std::int64_t signed_ = -5;
  double gain_ = 0.25;
  const char* text_ = "short";
  std::string longText_ = std::string(1000, 'x');
  std::uint32_t tooBig_ = 1000;
  std::uint32_t words_[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  FieldParameterAccess field_{2, 0, 8, words_};
  LutEntry entryPairs_[2] = {{9, 1}, {10, 7}};
  FieldParameterAccess pairs_{4098, 0, 2, entryPairs_};
  LutEntry entry_{11, 3};
};

TEST_F(WritePath, EveryKindOfWriteAllocatesNothing) {
  static_cast<void>(counted(1));  // the journal takes its first storage
  EXPECT_EQ(counted(50), 0);
  // The journal still tells every write as it was.
  SimboardWrite last{};
  ASSERT_EQ(simboard_journal_entry(board_, simboard_journal_size(board_) - 1, &last), 0);
  EXPECT_STREQ(last.value, "");  // the null value
  ASSERT_EQ(simboard_journal_entry(board_, simboard_journal_size(board_) - 9, &last), 0);
  EXPECT_STREQ(last.name, "Device1_Process0_Table_Values");
  EXPECT_STREQ(last.value, "0:1=9,7=10");
}

// Once full, each write takes the place of the oldest, and the storage of the ones pushed
// out (their rendered texts too) is the new ones'.
TEST_F(WritePath, WritesPastTheJournalsWrapAllocateNothing) {
  std::uint32_t value = 1;
  for (std::size_t i = 0; i < 65536 + 10; ++i) set("Plain", &value, 2);
  SimboardWrite read{};
  for (std::size_t i = 0; i < 100; ++i) ASSERT_EQ(simboard_journal_entry(board_, i, &read), 0);
  static_cast<void>(counted(1));
  EXPECT_EQ(counted(50), 0);
  EXPECT_EQ(simboard_journal_size(board_), 65536u);
}

}  // namespace
}  // namespace brenvik::simboard::test
