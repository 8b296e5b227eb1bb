// The set dispatcher through Fg_setParameterWithType: null values, DMA indices, read-only and
// unknown ids, the last error, rollback of a failed write, and the refusal messages.
#include <cstdlib>
#include <sstream>

#include "SetPathFixture.h"
#include "LogLines.h"
#include "description/DescriptionRows.h"
#include "runtime/ParameterRecord.h"
#include "semantics/SetPath.h"
#include "simboard/control.h"

namespace brenvik::test {
namespace {

constexpr std::int32_t kWidth = sdkId("FG_WIDTH");
constexpr std::int32_t kParameterDescription = 24114;

using SetDispatch = SetPathTest;

TEST_F(SetDispatch, ANullValueIsRefusedForEveryKindOfId) {
  for (const std::int32_t id :
       {kWidth, sdkId("FG_PIXELDEPTH"), kParameterDescription, 12345, 1000005, 2000100}) {
    EXPECT_EQ(Fg_setParameterWithType(&handle_, id, nullptr, 0, 2), -2070) << id;
    EXPECT_EQ(lastError(), -2070) << id;
  }
  EXPECT_TRUE(writes().empty());
}

TEST_F(SetDispatch, OnlyDmaZeroReachesTheSetter) {
  EXPECT_EQ(set(kWidth, 512, 1), -2070);
  EXPECT_EQ(set(kWidth, 512, 0xFFFFFFFF), -2070);
  EXPECT_EQ(get(kWidth), 1024u);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(set(kWidth, 512, 0), 0);
  EXPECT_EQ(get(kWidth), 512u);
}

// The read-only list and the description are written down separately: a parameter is
// refused as read-only exactly when its description is read-only, or when it is one of the
// runtime's own parameters, which have no description.
TEST_F(SetDispatch, ReadOnlyParametersAreRefusedWhateverTheValue) {
  int refused = 0;
  for (const parameters::SdkParameter& parameter : parameters::kSdkParameters) {
    const description::DescriptionRow* row = nullptr;
    for (const auto& candidate : description::descriptionRows()) {
      if (candidate.id == parameter.id) row = &candidate;
    }
    const bool readOnly = row == nullptr ? parameter.name != "FG_TIMEOUT"
                                         : (row->access & runtime::kAccessWrite) == 0;
    // Setting the save parameter would make the runtime write a file named by the value.
    if (parameter.name == "FG_DEBUGSAVECONFIG") continue;
    // Zeros wide enough for every value form: the writable ones then name no file and write
    // entry 0 of the lookup table.
    const std::uint64_t zeros[4] = {};
    const int result = Fg_setParameterWithType(&handle_, parameter.id, zeros, 0, 2);
    if (readOnly) {
      EXPECT_EQ(result, -12) << parameter.name;
      EXPECT_EQ(lastError(), -12) << parameter.name;
      ++refused;
    } else {
      EXPECT_NE(result, -12) << parameter.name;
    }
  }
  EXPECT_EQ(refused, 57);
  // The description query has no row of its own but is refused all the same.
  EXPECT_EQ(set(kParameterDescription, 0), -12);
  EXPECT_EQ(semantics::readOnlyParameters().size(), 58u);
}

TEST_F(SetDispatch, UnknownIdsAreInvalidAndASuccessfulSetClearsTheLastError) {
  for (const std::int32_t id : {12345, 0, -77, 1000000, 1000005, 2000000}) {
    EXPECT_EQ(set(id, 1), -2070) << id;
    EXPECT_EQ(lastError(), -2070) << id;
  }
  EXPECT_EQ(set(kWidth, 1020), -7080);
  EXPECT_EQ(lastError(), -7080);
  EXPECT_EQ(set(kWidth, 1016), 0);
  EXPECT_EQ(lastError(), 0);
}

// The value is read in the parameter's own form, whatever type code the caller gives.
TEST_F(SetDispatch, TheTypeCodeDoesNotChangeHowTheValueIsRead) {
  for (const int type : {2, 3, 5, 6, 4096}) {
    const std::uint32_t width = type == 5 ? 256 : 512;
    EXPECT_EQ(set(kWidth, width, 0, type), 0) << type;
    EXPECT_EQ(get(kWidth), width) << type;
  }
}

// The first write that fails stops the sequence: what was written before it stays, the stored
// value goes back, and the applet goes on working.
TEST_F(SetDispatch, AFailingWriteRollsTheValueBackAndKeepsEarlierWrites) {
  failWrites("Device1_Process0_Buffer_0_TapGeometrySorter_TapWidth", SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(set(kWidth, 512), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(lastError(), SIMBOARD_OUT_OF_RANGE);
  EXPECT_EQ(get(kWidth), 1024u);
  EXPECT_EQ(writes(), (std::vector<std::string>{
                          "Buffer_0_TapGeometrySorter_SensorWidth 2 512 0",
                          "Buffer_0_TapGeometrySorter_TranslateVantagePoint_Value 2 0 0",
                          "Buffer_0_TapGeometrySorter_TapWidth 2 512 -2073",
                      }));
  // The limits that follow the width were not touched either.
  EXPECT_EQ(maximum(sdkId("FG_XOFFSET")), 16384 - 1024);
  EXPECT_EQ(set(kWidth, 512), 0);
  EXPECT_EQ(get(kWidth), 512u);
  EXPECT_EQ(maximum(sdkId("FG_XOFFSET")), 16384 - 512);
}

// --- With the applet's messages at level 4 written to a file (a process of its own) ---

using LoggedSetRefusal = SetPathTest;

TEST_F(LoggedSetRefusal, ReadOnlyAndUnknownIdsAreNamedAndBadDmaIndicesAreNot) {
  ASSERT_NE(std::getenv("BRENVIK_LOG_FILE"), nullptr);
  const std::size_t start = logText().size();
  EXPECT_EQ(set(sdkId("FG_PIXELDEPTH"), 8), -12);
  EXPECT_EQ(set(kParameterDescription, 8), -12);
  EXPECT_EQ(set(12345, 8), -2070);
  EXPECT_EQ(set(kWidth, 512, 1), -2070);
  EXPECT_EQ(set(sdkId("FG_PIXELDEPTH"), 8, 1), -2070);
  const std::string readOnly = "trying to set read-only SDK parameter ";
  EXPECT_EQ(countLogged(start, readOnly + "'FG_PIXELDEPTH' on process 0!"), 1);
  EXPECT_EQ(countLogged(start, readOnly + "'FG_PARAM_DESCR' on process 0!"), 1);
  EXPECT_EQ(countLogged(start, "trying to set unknown SDK parameter '12345' on process 0!"), 1);
  // A value the setter refuses is not a refusal of the parameter: nothing is logged for it.
  EXPECT_EQ(set(kWidth, 4), -6000);
  std::istringstream lines(logText().substr(start));
  int total = 0;
  for (std::string line; std::getline(lines, line);) ++total;
  EXPECT_EQ(total, 3);
}

}  // namespace
}  // namespace brenvik::test
