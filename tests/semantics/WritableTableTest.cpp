// The writable table against the families' parameter lists: every parameter a family owns is
// writable through its own setter, and the table holds nothing beyond the families.
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "SetPathFixture.h"
#include "semantics/SetPath.h"

namespace brenvik::test {
namespace {

struct Family {
  std::string_view name;
  std::vector<std::string_view> parameters;
};

// Each family's writable parameters, as the set path's table lists them.
const std::vector<Family>& families() {
  static const std::vector<Family> kFamilies = {
      {"image geometry and output format",
       {"FG_WIDTH", "FG_HEIGHT", "FG_XOFFSET", "FG_YOFFSET", "FG_TAPGEOMETRY", "FG_VANTAGEPOINT",
        "FG_SENSORWIDTH", "FG_FORMAT", "FG_BITALIGNMENT", "FG_CUSTOM_BIT_SHIFT_RIGHT",
        "FG_CAMERA_LINK_CAMTYPE", "FG_CAMERA_LINK_CORE_RESET", "FG_USEDVAL", "FG_TIMEOUT",
        "FG_IMG_SELECT_PERIOD", "FG_IMG_SELECT"}},
      {"lookup table and processing",
       {"FG_LUT_TYPE", "FG_PROCESSING_INVERT", "FG_PROCESSING_GAIN", "FG_PROCESSING_GAMMA",
        "FG_PROCESSING_OFFSET", "FG_LUT_VALUE"}},
      {"lookup-table files", {"FG_LUT_CUSTOM_FILE", "FG_LUT_SAVE_FILE"}},
      {"trigger system",
       {"FG_AREATRIGGERMODE",
        "FG_TRIGGERSTATE",
        "FG_TRIGGER_EXCEEDED_PERIOD_LIMITS_CLEAR",
        "FG_TRIGGERIN_SRC",
        "FG_TRIGGERIN_POLARITY",
        "FG_TRIGGERIN_DOWNSCALE",
        "FG_TRIGGERIN_DOWNSCALE_PHASE",
        "FG_TRIGGERIN_STATS_SOURCE",
        "FG_TRIGGERIN_STATS_POLARITY",
        "FG_TRIGGERIN_STATS_PULSECOUNT_CLEAR",
        "FG_TRIGGERIN_STATS_MINMAXFREQUENCY_CLEAR",
        "FG_TRIGGER_MULTIPLY_PULSES",
        "FG_TRIGGERQUEUE_MODE",
        "FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD",
        "FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD",
        "FG_SENDSOFTWARETRIGGER",
        "FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE",
        "FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE",
        "FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE",
        "FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE",
        "FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE",
        "FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE",
        "FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE",
        "FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE",
        "FG_TRIGGERCC_SELECT0",
        "FG_TRIGGERCC_SELECT1",
        "FG_TRIGGERCC_SELECT2",
        "FG_TRIGGERCC_SELECT3",
        "FG_TRIGGEROUT_SELECT_GPO_0",
        "FG_TRIGGEROUT_SELECT_GPO_1",
        "FG_TRIGGEROUT_SELECT_GPO_2",
        "FG_TRIGGEROUT_SELECT_GPO_3",
        "FG_TRIGGEROUT_SELECT_GPO_4",
        "FG_TRIGGEROUT_SELECT_GPO_5",
        "FG_TRIGGEROUT_SELECT_GPO_6",
        "FG_TRIGGEROUT_SELECT_GPO_7",
        "FG_TRIGGEROUT_SELECT_FRONT_GPO_0",
        "FG_TRIGGEROUT_SELECT_FRONT_GPO_1",
        "FG_TRIGGEROUT_STATS_SOURCE",
        "FG_TRIGGEROUT_STATS_PULSECOUNT_CLEAR",
        "FG_TRIGGER_OUTPUT_EVENT_SELECT",
        "FG_MISSING_CAMERA_FRAME_RESPONSE_CLEAR",
        "FG_TRIGGER_FRAMESPERSECOND",
        "FG_TRIGGERIN_DEBOUNCE",
        "FG_TRIGGER_PULSEFORMGEN0_DELAY",
        "FG_TRIGGER_PULSEFORMGEN1_DELAY",
        "FG_TRIGGER_PULSEFORMGEN2_DELAY",
        "FG_TRIGGER_PULSEFORMGEN3_DELAY",
        "FG_TRIGGER_PULSEFORMGEN0_WIDTH",
        "FG_TRIGGER_PULSEFORMGEN1_WIDTH",
        "FG_TRIGGER_PULSEFORMGEN2_WIDTH",
        "FG_TRIGGER_PULSEFORMGEN3_WIDTH"}},
      {"camera simulator",
       {"FG_CAMERASIMULATOR_ENABLE", "FG_CAMERASIMULATOR_WIDTH", "FG_CAMERASIMULATOR_HEIGHT",
        "FG_CAMERASIMULATOR_LINE_GAP", "FG_CAMERASIMULATOR_FRAME_GAP", "FG_CAMERASIMULATOR_PATTERN",
        "FG_CAMERASIMULATOR_PATTERN_OFFSET", "FG_CAMERASIMULATOR_ROLL",
        "FG_CAMERASIMULATOR_SELECT_MODE", "FG_CAMERASIMULATOR_TRIGGER_MODE",
        "FG_CAMERASIMULATOR_PIXEL_FREQUENCY", "FG_CAMERASIMULATOR_LINERATE",
        "FG_CAMERASIMULATOR_FRAMERATE"}},
      {"debug image injection",
       {"FG_DEBUGFILE", "FG_DEBUGSAVECONFIG", "FG_DEBUGSOURCE", "FG_DEBUGINENABLE",
        "FG_DEBUGINSERT", "FG_DEBUGOUTENABLE", "FG_DEBUGWRITEFLAG", "FG_DEBUGWRITEPIXEL"}},
  };
  return kFamilies;
}

std::int32_t idOf(std::string_view name) {
  const parameters::SdkParameter* parameter = parameters::findSdkParameter(name);
  return parameter == nullptr ? 0 : parameter->id;
}

TEST(WritableTable, EveryFamilysParametersAreWritableAndNothingElseIs) {
  std::set<std::int32_t> listed;
  std::size_t total = 0;
  for (const Family& family : families()) {
    total += family.parameters.size();
    for (std::string_view name : family.parameters) {
      const std::int32_t id = idOf(name);
      ASSERT_NE(id, 0) << name;
      listed.insert(id);
      EXPECT_NE(semantics::findWritableParameter(id), nullptr) << family.name << ": " << name;
    }
  }
  EXPECT_EQ(total, 97u);
  EXPECT_EQ(listed.size(), 97u);
  for (const semantics::WritableParameter& writable : semantics::writableParameters()) {
    EXPECT_EQ(listed.count(writable.id), 1u) << writable.id << " belongs to no family";
  }
}

// Every writable parameter's set reaches its setter: whatever the setter makes of a zero (or
// of a file name in a scratch directory), the dispatcher does not refuse it as unknown.
using WritableWalk = SetPathTest;

TEST_F(WritableWalk, EveryWritableParameterReachesItsSetter) {
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("brenvik-walk-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  const std::string file = (scratch / "walk.mcf").string();
  for (const Family& family : families()) {
    for (std::string_view name : family.parameters) {
      const semantics::WritableParameter* writable = semantics::findWritableParameter(idOf(name));
      ASSERT_NE(writable, nullptr) << name;
      const std::uint64_t zero = 0;
      const void* value = writable->form == semantics::SetForm::kText
                              ? static_cast<const void*>(file.c_str())
                              : static_cast<const void*>(&zero);
      const int result = Fg_setParameterWithType(&handle_, writable->id, value, 0, 2);
      EXPECT_NE(result, -2070) << name;
      EXPECT_NE(result, -12) << name;
    }
  }
  std::filesystem::remove_all(scratch);
}

}  // namespace
}  // namespace brenvik::test
