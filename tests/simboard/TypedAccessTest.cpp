// The runtime's typed access to hardware parameters: which type codes each value type
// takes, range checks in both directions, strings, fields and lookup-table entries, and
// the refusals for read-only parameters, null pointers and unknown ids.
#include <cmath>
#include <cstring>
#include <limits>

#include "BoardTestSupport.h"

namespace brenvik::simboard::test {
namespace {

using runtime::FieldParameterAccess;
using runtime::LutEntry;

constexpr const char* kCount = "Device1_Process0_Block_Count";    // u32, 1 … 100
constexpr const char* kOffset = "Device1_Process0_Block_Offset";  // i32
constexpr const char* kBig = "Device1_Process0_Other_Big";        // u64
constexpr const char* kSigned = "Device1_Process0_Other_Signed";  // i64
constexpr const char* kGain = "Device1_Process0_Other_Gain";      // f64, -1 … 1
constexpr const char* kName = "Device1_Process0_Text_Name";       // str
constexpr const char* kTable = "Device1_Process0_Table_Values";   // u32[8], elements ≤ 1000
constexpr const char* kLevel = "Device1_Process1_Status_Level";   // u32, read-only

using TypedAccess = RuntimeTest;

TEST_F(TypedAccess, IntegersTakeCodes2To4WithinTheirTypeAndLimits) {
  std::uint32_t u32 = 50;
  std::int64_t i64 = 100;
  std::uint64_t u64 = 101;
  EXPECT_EQ(set(kCount, &u32, 2), 0);
  EXPECT_EQ(set(kCount, &i64, 3), 0);
  EXPECT_EQ(set(kCount, &u64, 4), SIMBOARD_OUT_OF_RANGE);  // above the design's maximum
  i64 = -1;
  EXPECT_EQ(set(kCount, &i64, 3), SIMBOARD_OUT_OF_RANGE);
  u32 = 0;
  EXPECT_EQ(set(kCount, &u32, 2), SIMBOARD_OUT_OF_RANGE);  // below the design's minimum
  double real = 5;
  EXPECT_EQ(set(kCount, &real, 5), SIMBOARD_WRONG_TYPE);
  EXPECT_EQ(set(kCount, "5", 6), SIMBOARD_WRONG_TYPE);
  EXPECT_EQ(value(kCount), "100");  // refused writes changed nothing

  u32 = 0x80000000u;  // does not fit an i32
  EXPECT_EQ(set(kOffset, &u32, 2), SIMBOARD_OUT_OF_RANGE);
  i64 = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(set(kOffset, &i64, 3), 0);
  u64 = 1ull << 63;  // does not fit an i64
  EXPECT_EQ(set(kSigned, &u64, 4), SIMBOARD_OUT_OF_RANGE);
  u64 = std::numeric_limits<std::uint64_t>::max();
  EXPECT_EQ(set(kBig, &u64, 4), 0);
}

TEST_F(TypedAccess, ReadsRefuseValuesTheRequestedCodeCannotHold) {
  std::uint32_t u32 = 0;
  std::int64_t i64 = 0;
  std::uint64_t u64 = 0;
  EXPECT_EQ(get(kOffset, &i64, 3), 0);
  EXPECT_EQ(i64, -3);
  EXPECT_EQ(get(kOffset, &u32, 2), SIMBOARD_OUT_OF_RANGE);  // negative as unsigned
  EXPECT_EQ(get(kOffset, &u64, 4), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(get(kBig, &u32, 2), 0);
  EXPECT_EQ(u32, 3u);
  ASSERT_EQ(simboard_set(board_, kBig, "4294967296"), 0);
  EXPECT_EQ(get(kBig, &u32, 2), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(get(kBig, &u64, 4), 0);
  EXPECT_EQ(u64, 4294967296u);
  ASSERT_EQ(simboard_set(board_, kBig, "0xFFFFFFFFFFFFFFFF"), 0);
  EXPECT_EQ(get(kBig, &i64, 3), SIMBOARD_OUT_OF_RANGE);
  double real = 0;
  EXPECT_EQ(get(kBig, &real, 5), SIMBOARD_WRONG_TYPE);
  // A 32-bit read writes exactly four bytes.
  std::uint64_t wide = ~0ull;
  EXPECT_EQ(get(kCount, &wide, 2), 0);
  EXPECT_EQ(wide, 0xFFFFFFFF00000005ull);
}

TEST_F(TypedAccess, DoublesTakeOnlyCode5WithinTheirLimits) {
  double real = -0.25;
  EXPECT_EQ(set(kGain, &real, 5), 0);
  real = 1.5;
  EXPECT_EQ(set(kGain, &real, 5), SIMBOARD_OUT_OF_RANGE);
  real = std::nan("");
  EXPECT_EQ(set(kGain, &real, 5), SIMBOARD_OUT_OF_RANGE);
  std::uint32_t u32 = 0;
  EXPECT_EQ(set(kGain, &u32, 2), SIMBOARD_WRONG_TYPE);
  EXPECT_EQ(get(kGain, &u32, 2), SIMBOARD_WRONG_TYPE);
  EXPECT_EQ(get(kGain, &real, 5), 0);
  EXPECT_EQ(real, -0.25);
}

TEST_F(TypedAccess, StringsAreCopiedOrHandedOutAndReleasedOnce) {
  EXPECT_EQ(set(kName, "abc", 6), 0);
  char buffer[1024];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(get(kName, buffer, 6), 0);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(set(kName, "copy", 22), 0);  // a set with 22 reads the text too

  const int outstanding = simboard_strings_outstanding();
  char* copy = nullptr;
  ASSERT_EQ(get(kName, &copy, 22), 0);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "copy");
  EXPECT_EQ(simboard_strings_outstanding(), outstanding + 1);
  EXPECT_EQ(Fg_freeParameterStringWithType(runtime_, id(kName), copy, 0, 6), SIMBOARD_WRONG_TYPE);
  EXPECT_EQ(Fg_freeParameterStringWithType(runtime_, id(kName), copy, 0, 22), 0);
  EXPECT_EQ(Fg_freeParameterStringWithType(runtime_, id(kName), copy, 0, 22),
            SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(Fg_freeParameterStringWithType(runtime_, id(kName), buffer, 0, 22),
            SIMBOARD_INVALID_PARAMETER);  // never handed out
  EXPECT_EQ(simboard_strings_outstanding(), outstanding);

  std::string longest(1023, 'a');
  EXPECT_EQ(set(kName, longest.c_str(), 6), 0);
  EXPECT_EQ(set(kName, (longest + "b").c_str(), 6), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(get(kName, buffer, 6), 0);
  EXPECT_EQ(std::string(buffer), longest);
  std::uint32_t u32 = 0;
  EXPECT_EQ(get(kName, &u32, 2), SIMBOARD_WRONG_TYPE);
}

TEST_F(TypedAccess, AHandleReleasesTheStringsItStillHasWhenFreed) {
  const int outstanding = simboard_strings_outstanding();
  char* first = nullptr;
  char* second = nullptr;
  ASSERT_EQ(get(kName, &first, 22), 0);
  ASSERT_EQ(get(kName, &second, 22), 0);
  EXPECT_EQ(simboard_strings_outstanding(), outstanding + 2);
  EXPECT_EQ(Fg_FreeGrabber(runtime_), 0);
  runtime_ = nullptr;
  EXPECT_EQ(simboard_strings_outstanding(), outstanding);
}

TEST_F(TypedAccess, FieldsTakeEveryElementFormAndFitTheRange) {
  std::uint32_t words[2] = {7, 8};
  FieldParameterAccess access{2, 6, 2, words};
  EXPECT_EQ(set(kTable, &access, 4096), 0);
  access.count = 3;  // 6 + 3 passes the end of 8 elements
  EXPECT_EQ(set(kTable, &access, 4096), SIMBOARD_OUT_OF_RANGE);
  std::uint64_t wide[2] = {11, 12};
  access = {4, 0, 2, wide};
  EXPECT_EQ(set(kTable, &access, 4096), 0);
  double reals[2] = {21, 22.5};
  access = {5, 2, 2, reals};
  EXPECT_EQ(set(kTable, &access, 4096), SIMBOARD_OUT_OF_RANGE);  // 22.5 is no element value
  reals[1] = 22;
  EXPECT_EQ(set(kTable, &access, 4096), 0);
  LutEntry entries[2] = {{31, 4}, {32, 5}};
  access = {4098, 0, 2, entries};
  EXPECT_EQ(set(kTable, &access, 4096), 0);
  EXPECT_EQ(value(kTable), "11,12,21,22,31,32,7,8");

  // A refused element refuses the whole write.
  std::uint32_t mixed[3] = {1, 1001, 3};
  access = {1, 0, 3, mixed};
  EXPECT_EQ(set(kTable, &access, 4096), SIMBOARD_OUT_OF_RANGE);
  entries[1].index = 8;
  access = {4098, 0, 2, entries};
  EXPECT_EQ(set(kTable, &access, 4096), SIMBOARD_OUT_OF_RANGE);
  access = {7, 0, 1, mixed};
  EXPECT_EQ(set(kTable, &access, 4096), SIMBOARD_WRONG_TYPE);
  access = {2, 0, 1, nullptr};
  EXPECT_EQ(set(kTable, &access, 4096), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(set(kTable, words, 2), SIMBOARD_WRONG_TYPE);
  EXPECT_EQ(value(kTable), "11,12,21,22,31,32,7,8");

  LutEntry single{99, 7};
  EXPECT_EQ(set(kTable, &single, 4098), 0);
  single = {1001, 0};
  EXPECT_EQ(set(kTable, &single, 4098), SIMBOARD_OUT_OF_RANGE);
  single = {1, 8};
  EXPECT_EQ(set(kTable, &single, 4098), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(value(kTable), "11,12,21,22,31,32,7,99");
}

TEST_F(TypedAccess, FieldReadsFillEveryElementForm) {
  ASSERT_EQ(simboard_set(board_, kTable, "10,20,30,40,50,60,70,80"), 0);
  std::uint32_t words[3] = {};
  FieldParameterAccess access{1, 5, 3, words};
  EXPECT_EQ(get(kTable, &access, 4096), 0);
  EXPECT_EQ(words[0], 60u);
  EXPECT_EQ(words[2], 80u);
  std::uint64_t wide[2] = {~0ull, ~0ull};
  access = {3, 0, 2, wide};
  EXPECT_EQ(get(kTable, &access, 4096), 0);
  EXPECT_EQ(wide[1], 20u);
  double reals[1] = {};
  access = {5, 7, 1, reals};
  EXPECT_EQ(get(kTable, &access, 4096), 0);
  EXPECT_EQ(reals[0], 80.0);
  LutEntry entries[2] = {{0, 3}, {0, 0}};
  access = {4098, 0, 2, entries};
  EXPECT_EQ(get(kTable, &access, 4096), 0);
  EXPECT_EQ(entries[0].value, 40u);
  EXPECT_EQ(entries[1].value, 10u);
  access = {1, 8, 1, words};
  EXPECT_EQ(get(kTable, &access, 4096), SIMBOARD_OUT_OF_RANGE);
  LutEntry single{0, 2};
  EXPECT_EQ(get(kTable, &single, 4098), 0);
  EXPECT_EQ(single.value, 30u);
  single.index = 8;
  EXPECT_EQ(get(kTable, &single, 4098), SIMBOARD_OUT_OF_RANGE);
}

TEST_F(TypedAccess, ReadOnlyNullAndUnknownAreRefused) {
  std::uint32_t u32 = 1;
  EXPECT_EQ(set(kLevel, &u32, 2), SIMBOARD_READ_ONLY);
  EXPECT_EQ(get(kLevel, &u32, 2), 0);
  EXPECT_EQ(u32, 9u);
  EXPECT_EQ(simboard_set(board_, kLevel, "12"), 0);  // the control interface may play it
  EXPECT_EQ(value(kLevel), "12");

  EXPECT_EQ(set(kCount, nullptr, 2), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(get(kCount, nullptr, 2), SIMBOARD_INVALID_PARAMETER);
  for (int unknown : {0, -1, 10, 599, 602}) {
    EXPECT_EQ(Fg_setParameterWithType(runtime_, unknown, &u32, 0, 2), SIMBOARD_INVALID_PARAMETER);
    EXPECT_EQ(Fg_getParameterWithType(runtime_, unknown, &u32, 0, 2), SIMBOARD_INVALID_PARAMETER);
  }
  EXPECT_EQ(id("Device1_Process0_Block_Nothing"), 0);
  EXPECT_EQ(Fg_getParameterIdByName(runtime_, nullptr), 0);
  EXPECT_EQ(Fg_getLastErrorNumber(runtime_), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(id(kCount), 1);
  EXPECT_EQ(Fg_getLastErrorNumber(runtime_), 0);
}

TEST_F(TypedAccess, UntypedAccessUsesCode2) {
  std::uint32_t u32 = 42;
  EXPECT_EQ(Fg_setParameter(runtime_, id(kCount), &u32, 0), 0);
  u32 = 0;
  EXPECT_EQ(Fg_getParameter(runtime_, id(kCount), &u32, 0), 0);
  EXPECT_EQ(u32, 42u);
  EXPECT_EQ(Fg_getParameter(runtime_, id(kGain), &u32, 0), SIMBOARD_WRONG_TYPE);
  EXPECT_EQ(journal(board_).back(), "Device1_Process0_Block_Count 2 42 0");
}

TEST_F(TypedAccess, TheControlInterfaceReadsAndPlaysTexts) {
  char small[3];
  EXPECT_EQ(simboard_get(board_, kName, small, sizeof small), SIMBOARD_BUFFER_TOO_SMALL);
  EXPECT_EQ(simboard_get(board_, kName, nullptr, 10), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(value(kGain), "0.5");
  EXPECT_EQ(value(kOffset), "-3");
  EXPECT_EQ(simboard_set(board_, kGain, "0.1"), 0);
  EXPECT_EQ(value(kGain), "0.10000000000000001");
  EXPECT_EQ(simboard_set(board_, kCount, "abc"), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_set(board_, kCount, "101"), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(simboard_set(board_, kTable, "1,2,3"), 0);  // the first elements only
  EXPECT_EQ(simboard_set(board_, kTable, "1,2,3,4,5,6,7,8,9"), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(simboard_set(board_, kTable, "1,,3"), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(value(kTable), "1,2,3,0,0,0,0,0");
  EXPECT_EQ(simboard_set(board_, "Device1_Process0_Nothing", "1"), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_set(board_, kCount, nullptr), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(simboard_set(freshBoard(), kCount, "1"), SIMBOARD_NO_DESIGN);
  EXPECT_TRUE(journal(board_).empty());  // control writes are not journaled
}

}  // namespace
}  // namespace brenvik::simboard::test
