// The lookup table through the simulated board: the tables the processing values produce
// against the formula computed here, the ranges, the type and the access it grants, direct
// entry and range writes, and what a failing write leaves behind.
#include <cmath>
#include <limits>

#include "LutTestSupport.h"
#include "SetPathFixture.h"
#include "runtime/SdkRuntime.h"
#include "semantics/LutProcessing.h"

namespace brenvik::test {
namespace {

using runtime::FieldParameterAccess;
using runtime::LutEntry;

constexpr std::int32_t kType = sdkId("FG_LUT_TYPE");
constexpr std::int32_t kOffset = sdkId("FG_PROCESSING_OFFSET");
constexpr std::int32_t kGain = sdkId("FG_PROCESSING_GAIN");
constexpr std::int32_t kGamma = sdkId("FG_PROCESSING_GAMMA");
constexpr std::int32_t kInvert = sdkId("FG_PROCESSING_INVERT");
constexpr std::int32_t kValue = sdkId("FG_LUT_VALUE");
constexpr std::int32_t kCustomFile = sdkId("FG_LUT_CUSTOM_FILE");
constexpr std::uint32_t kProcessing = 3;
constexpr std::uint32_t kCustom = 0;
const std::string kContent = "Device1_Process0_LookupTable_LookupTable_LUTcontent";

class LookupTable : public SetPathTest {
 protected:
  int setEntry(std::uint32_t index, std::uint32_t value) {
    LutEntry entry{value, index};
    return Fg_setParameterWithType(&handle_, kValue, &entry, 0, runtime::kTypeUint32);
  }
  int setRange(std::uint32_t valueType, std::uint32_t index, std::uint32_t count, void* values) {
    FieldParameterAccess access{valueType, index, count, values};
    return Fg_setParameterWithType(&handle_, kValue, &access, 0, runtime::kTypeField);
  }
  // The cached table as the get path reads it.
  Table table() {
    Table entries{};
    FieldParameterAccess access{2, 0, 1024, entries.data()};
    EXPECT_EQ(Fg_getParameterWithType(&handle_, kValue, &access, 0, runtime::kTypeField), 0);
    return entries;
  }
  // Sets the four processing values; the last of the four writes is the complete table.
  std::string processed(double offset, double gain, double gamma, std::uint32_t invert) {
    EXPECT_EQ(setDouble(kOffset, offset), 0);
    EXPECT_EQ(setDouble(kGain, gain), 0);
    EXPECT_EQ(setDouble(kGamma, gamma), 0);
    EXPECT_EQ(set(kInvert, invert), 0);
    const auto lines = writes();
    return lines.size() == 4 ? lines.back()
                             : "expected four writes, got " + std::to_string(lines.size());
  }
};

TEST_F(LookupTable, CreationLeavesTheIdentityInTheCacheAndOnTheBoard) {
  EXPECT_EQ(table(), identityTable());
  char text[16384] = {};
  ASSERT_EQ(simboard_get(board_, kContent.c_str(), text, sizeof text), 0);
  EXPECT_EQ(tableWrite(identityTable()),
            "LookupTable_LookupTable_LUTcontent 4096 0:" + std::string(text) + " 0");
  EXPECT_EQ(get(kType), kProcessing);
}

TEST_F(LookupTable, TheBoardReceivesTheTableOfTheFormula) {
  struct Case {
    double offset, gain, gamma;
    std::uint32_t invert;
  };
  const Case cases[] = {
      {0, 1, 1, 0},    {0, 2, 1, 0},         {-0.5, 1, 1, 0},     {0, 1, 2, 0},
      {0, 1, 1, 1},    {0.1, 1.5, 0.45, 0},  {0.25, 0.8, 2.2, 1}, {-1, 1, 1, 0},
      {1, 1, 1, 0},    {-1, 1024, 1, 1},     {1, 1024, 1000, 0},  {0, 0, 1, 0},
      {0, 0, 1, 1},    {0, 1, -1000, 0},     {0, 1, 1000, 1},     {0.3, 3, -2, 0},
      {0, 1, 0, 0},    {0, 2, 0, 0},         {0, 2, 0, 1},        {-0.2, 1, -0.5, 1},
      {0, 1, -0.0, 0}, {0.5, 1024, 0.01, 1},
  };
  for (const Case& c : cases) {
    const Table expected = expectedTable(c.offset, c.gain, c.gamma, c.invert);
    EXPECT_EQ(processed(c.offset, c.gain, c.gamma, c.invert), tableWrite(expected))
        << c.offset << " " << c.gain << " " << c.gamma << " " << c.invert;
    EXPECT_EQ(table(), expected);
  }
}

TEST_F(LookupTable, WorkedEntriesOfTheFormula) {
  processed(0, 2, 1, 0);
  Table entries = table();
  EXPECT_EQ(entries[256], 512u);
  EXPECT_EQ(entries[511], 1022u);
  EXPECT_EQ(entries[512], 1023u);
  EXPECT_EQ(entries[1023], 1023u);

  processed(-0.5, 1, 1, 0);
  entries = table();
  EXPECT_EQ(entries[0], 0u);
  EXPECT_EQ(entries[511], 0u);
  EXPECT_EQ(entries[1023], 512u);

  processed(0, 1, 2, 0);
  EXPECT_EQ(table()[256], 512u);

  processed(0, 1, 1, 1);
  entries = table();
  for (std::uint32_t i = 0; i < 1024; ++i) ASSERT_EQ(entries[i], 1023 - i) << i;

  // Gamma 0: everything below the top is 0; with gain 2 the products beyond 1 are not finite
  // and clamp to 0, inverted or not.
  processed(0, 1, 0, 0);
  entries = table();
  EXPECT_EQ(entries[1022], 0u);
  EXPECT_EQ(entries[1023], 1023u);
  processed(0, 2, 0, 0);
  entries = table();
  EXPECT_EQ(entries[511], 0u);
  EXPECT_EQ(entries[1023], 0u);
  processed(0, 2, 0, 1);
  entries = table();
  EXPECT_EQ(entries[0], 1023u);
  EXPECT_EQ(entries[1023], 0u);

  // The inversion comes before the clamp: negative x inverts to 1023, x above 1 clamps to 0.
  processed(-0.5, 2, 1, 1);
  entries = table();
  EXPECT_EQ(entries[0], 1023u);
  EXPECT_EQ(entries[1023], 0u);
}

TEST_F(LookupTable, ValuesOutsideTheirRangesAreRefusedBeforeAnythingChanges) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  struct Case {
    std::int32_t id;
    double value;
    int result;
  };
  const Case cases[] = {
      {kGain, 1024.0, 0},       {kGain, 1024.5, -6000},     {kGain, 0.0, 0},
      {kGain, -1e-9, -6000},    {kGain, nan, -6000},        {kGain, infinity, -6000},
      {kOffset, -1.0, 0},       {kOffset, 1.0, 0},          {kOffset, -1.0000001, -6000},
      {kOffset, 1.5, -6000},    {kGamma, -1000.0, 0},       {kGamma, 1000.0, 0},
      {kGamma, 1000.01, -6000}, {kGamma, -infinity, -6000},
  };
  for (const Case& c : cases) {
    const double before = getDouble(c.id);
    writes();
    EXPECT_EQ(setDouble(c.id, c.value), c.result) << c.id << " " << c.value;
    if (c.result != 0) {
      EXPECT_EQ(getDouble(c.id), before) << c.id << " " << c.value;
      EXPECT_TRUE(writes().empty()) << c.id << " " << c.value;
    } else {
      EXPECT_EQ(getDouble(c.id), c.value);
    }
  }
  EXPECT_EQ(set(kInvert, 2), -6000);
  EXPECT_EQ(set(kType, 1), -6000);
  EXPECT_EQ(set(kType, 4), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(get(kInvert), 0u);
  EXPECT_EQ(get(kType), kProcessing);
}

TEST_F(LookupTable, TheTypeSwitchesAccessAndTheCustomTypeKeepsProcessingForLater) {
  const std::int32_t processingIds[] = {kOffset, kGain, kGamma, kInvert};
  ASSERT_NE(record(kCustomFile), nullptr);
  EXPECT_EQ(record(kCustomFile)->access, 1);
  for (const std::int32_t id : processingIds) EXPECT_EQ(record(id)->access, 7) << id;

  ASSERT_EQ(set(kType, kCustom), 0);
  EXPECT_TRUE(writes().empty()) << "no custom file: the table stays";
  EXPECT_EQ(record(kCustomFile)->access, 7);
  for (const std::int32_t id : processingIds) EXPECT_EQ(record(id)->access, 1) << id;

  EXPECT_EQ(setDouble(kGamma, 2.0), 0);
  EXPECT_EQ(set(kInvert, 1), 0);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(table(), identityTable());

  ASSERT_EQ(set(kType, kProcessing), 0);
  EXPECT_EQ(writes(), std::vector<std::string>{tableWrite(expectedTable(0, 1, 2, 1))});
  EXPECT_EQ(record(kCustomFile)->access, 1);
  for (const std::int32_t id : processingIds) EXPECT_EQ(record(id)->access, 7) << id;
}

TEST_F(LookupTable, AFailingTableWriteRollsTheValueBackButNotTheCache) {
  failWrites(kContent, -2073);
  EXPECT_EQ(setDouble(kGain, 2.0), -2073);
  EXPECT_EQ(lastError(), -2073);
  EXPECT_EQ(writes(), std::vector<std::string>{tableWrite(expectedTable(0, 2, 1, 0), -2073)});
  EXPECT_EQ(getDouble(kGain), 1.0);
  EXPECT_EQ(table(), expectedTable(0, 2, 1, 0));

  // The type: it stays, and so does the access it granted.
  failWrites(kContent, -2073);
  ASSERT_EQ(set(kType, kCustom), 0);
  EXPECT_EQ(set(kType, kProcessing), -2073);
  EXPECT_EQ(get(kType), kCustom);
  EXPECT_EQ(record(kCustomFile)->access, 7);
  EXPECT_EQ(record(kGain)->access, 1);

  // The next successful set writes the table of the values that were kept.
  ASSERT_EQ(set(kType, kProcessing), 0);
  EXPECT_EQ(writes().back(), tableWrite(identityTable()));
}

TEST_F(LookupTable, SingleEntriesAreCheckedWrittenAsPairsAndRolledBack) {
  EXPECT_EQ(setEntry(1023, 1023), 0);
  EXPECT_EQ(setEntry(0, 7), 0);
  EXPECT_EQ(writes(),
            (std::vector<std::string>{"LookupTable_LookupTable_LUTcontent 4098 1023=1023 0",
                                      "LookupTable_LookupTable_LUTcontent 4098 0=7 0"}));
  EXPECT_EQ(table()[0], 7u);

  EXPECT_EQ(setEntry(1024, 5), -6000);
  EXPECT_EQ(setEntry(5, 1024), -6000);
  EXPECT_TRUE(writes().empty());

  failWrites(kContent, -2073);
  EXPECT_EQ(setEntry(3, 900), -2073);
  EXPECT_EQ(table()[3], 3u);

  // Works with the custom type too; a recomputation overwrites it.
  ASSERT_EQ(set(kType, kCustom), 0);
  EXPECT_EQ(setEntry(3, 900), 0);
  EXPECT_EQ(table()[3], 900u);
  ASSERT_EQ(set(kType, kProcessing), 0);
  EXPECT_EQ(table(), identityTable());
}

TEST_F(LookupTable, RangesAreCheckedWrittenAsGivenAndRolledBack) {
  std::array<std::uint32_t, 25> values{};
  values.fill(1000);
  writes();
  EXPECT_EQ(setRange(2, 1000, 24, values.data()), 0);
  Table expected = identityTable();
  for (std::uint32_t i = 1000; i < 1024; ++i) expected[i] = 1000;
  EXPECT_EQ(table(), expected);
  const auto lines = writes();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("LookupTable_LookupTable_LUTcontent 4096 1000:1000,1000,", 0), 0u);

  EXPECT_EQ(setRange(2, 1000, 25, values.data()), -6000);
  EXPECT_EQ(setRange(2, 1024, 0, values.data()), -6000);
  EXPECT_EQ(setRange(2, 0, 1025, values.data()), -6000);
  EXPECT_EQ(setRange(5, 0, 4, values.data()), -2070);
  EXPECT_EQ(setRange(3, 0, 4, values.data()), -2070);
  EXPECT_EQ(setRange(2, 0, 4, nullptr), -2070);
  values[20] = 1024;
  EXPECT_EQ(setRange(1, 0, 25, values.data()), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(table(), expected);

  // A failing write puts the entries back.
  values[20] = 5;
  failWrites(kContent, -2073);
  EXPECT_EQ(setRange(1, 0, 25, values.data()), -2073);
  EXPECT_EQ(table(), expected);

  // Pairs go to the board as they are; the cache keeps its entries.
  std::array<LutEntry, 2> pairs{{{11, 4}, {12, 9}}};
  writes();
  EXPECT_EQ(setRange(runtime::kTypeLutEntry, 0, 2, pairs.data()), 0);
  EXPECT_EQ(writes().size(), 1u);
  EXPECT_EQ(table(), expected);
  pairs[1].value = 1024;
  EXPECT_EQ(setRange(runtime::kTypeLutEntry, 0, 2, pairs.data()), -6000);
}

// The formula leaves out the powers of entries it knows to be full scale; the tables stay
// those of every power computed. The settings straddle that shortcut: gains whose brightest
// product lies just under or over the 32-bit range (entries that overflow to 0 amid full-scale
// ones), exponents near 0 and large, x at and around 1, and both inversions.
TEST(ProcessingFormula, LeavingOutFullScalePowersChangesNoEntry) {
  const double offsets[] = {-1, -0.5, 0, 0.05, 0.5, 1};
  const double gains[] = {0, 0.5, 1, 1.2, 2, 3.9, 4.1, 4.3, 8, 1024};
  const double gammas[] = {-1000, -2.2, -0.5, 0, 0.001, 0.1, 0.45, 0.999, 1, 2.2, 1000};
  for (const double offset : offsets) {
    for (const double gain : gains) {
      for (const double gamma : gammas) {
        for (const std::uint32_t invert : {0u, 1u}) {
          semantics::LutTable table{};
          semantics::computeProcessingTable({offset, gain, gamma, static_cast<std::int32_t>(invert)},
                                            table);
          ASSERT_EQ(table, expectedTable(offset, gain, gamma, invert))
              << offset << " " << gain << " " << gamma << " " << invert;
        }
      }
    }
  }
}

}  // namespace
}  // namespace brenvik::test
