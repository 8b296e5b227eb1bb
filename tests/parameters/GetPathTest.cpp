// Computed parameters of the get path for the states that the set path will produce: the
// applet is created on the simulated board, its stored values are set directly and its
// hardware values are played on the board.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "BoardJournal.h"
#include "applet/Creation.h"
#include "applet/FgTolqWrapperImpl.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "simboard/control.h"

namespace brenvik::parameters {
namespace {

using runtime::FieldParameterAccess;
using runtime::LutEntry;

constexpr std::int32_t kInvalidParameter = -2070;

class ComputedValues : public ::testing::Test {
 protected:
  void SetUp() override {
    board_ = brenvik::test::freshBoard();
    std::int32_t code = -1;
    applet_ = static_cast<FgTolqWrapperImpl*>(createApplet(board_, &code, 1));
    ASSERT_EQ(code, 0);
    ASSERT_NE(applet_, nullptr);
  }
  void TearDown() override {
    if (applet_ == nullptr) return;
    const auto release = applet_->functionTable().function<runtime::FreeGrabberFn>(
        RuntimeFunctionTable::kFreeGrabber);
    release(applet_->runtimeHandle());
    delete applet_;
  }

  void play(const std::string& name, const std::string& value) {
    ASSERT_EQ(simboard_set(board_, name.c_str(), value.c_str()), 0) << name;
  }
  int get(std::int32_t id, void* value, int type, unsigned dma = 0) {
    return applet_->getParameterWithType(id, value, dma, type);
  }
  std::uint32_t getUint32(std::int32_t id) {
    std::uint32_t value = 0xDEADBEEF;
    EXPECT_EQ(get(id, &value, runtime::kTypeUint32), 0) << id;
    return value;
  }
  double getDouble(std::int32_t id) {
    double value = -1;
    EXPECT_EQ(get(id, &value, runtime::kTypeDouble), 0) << id;
    return value;
  }
  CurrentValues& values() { return applet_->currentValues(); }

  std::uint64_t board_ = 0;
  FgTolqWrapperImpl* applet_ = nullptr;
};

constexpr const char* kQueueStatus = "Device1_Process1_Trigger_Monitoring_ReadQueueStatus_Status";
constexpr const char* kQueueValue =
    "Device1_Process1_Trigger_TriggerCam0_Generators_QueueValue_Status";
constexpr const char* kMaximumReached =
    "Device1_Process1_Trigger_TriggerCam0_Generators_Generator_MaximumReached_Status";

TEST_F(ComputedValues, TriggerQueueFollowsModeStateAndHardware) {
  constexpr std::int32_t kFillLevel = sdkId("FG_TRIGGERQUEUE_FILLLEVEL");
  constexpr std::int32_t kExceeded = sdkId("FG_TRIGGER_EXCEEDED_PERIOD_LIMITS");
  constexpr std::int32_t kMissing = sdkId("FG_MISSING_CAMERA_FRAME_RESPONSE");
  TriggerValues& trigger = values().trigger;
  play(kQueueStatus, "7");
  EXPECT_EQ(getUint32(kFillLevel), 0u) << "the generator has no queue";
  EXPECT_EQ(getUint32(kExceeded), 0u) << "the generator never exceeds its own period";
  EXPECT_EQ(getUint32(kMissing), 1u);

  trigger.areaTriggerMode = 2;
  trigger.triggerState = 0;
  EXPECT_EQ(getUint32(kFillLevel), 2040u);
  EXPECT_EQ(getUint32(kExceeded), 1u);
  play(kQueueStatus, "0");
  EXPECT_EQ(getUint32(kMissing), 0u);
  play(kQueueValue, "17");
  EXPECT_EQ(getUint32(kFillLevel), 17u);
  play(kQueueValue, "0");
  play(kMaximumReached, "1");
  EXPECT_EQ(getUint32(kFillLevel), 0u);
  play(kMaximumReached, "0");
  EXPECT_EQ(getUint32(kFillLevel), 1u) << "an empty queue of a generator still running";

  trigger.triggerState = 1;
  EXPECT_EQ(getUint32(kFillLevel), 0u);
  trigger.triggerState = 0;
  trigger.areaTriggerMode = 3;
  EXPECT_EQ(getUint32(kFillLevel), 0u);
}

TEST_F(ComputedValues, SoftwareTriggerCountsOnlyInSoftwareMode) {
  constexpr std::int32_t kBusy = sdkId("FG_SOFTWARETRIGGER_IS_BUSY");
  constexpr std::int32_t kQueued = sdkId("FG_SOFTWARETRIGGER_QUEUE_FILLLEVEL");
  TriggerValues& trigger = values().trigger;
  play(kQueueValue, "5");
  play(kMaximumReached, "0");
  EXPECT_EQ(getUint32(kBusy), 0u);
  EXPECT_EQ(getUint32(kQueued), 0u);

  trigger.areaTriggerMode = 4;
  trigger.triggerState = 0;
  trigger.multiplyPulses = 3;
  EXPECT_EQ(getUint32(kBusy), 1u);
  EXPECT_EQ(getUint32(kQueued), 15u);
  play(kQueueValue, "0");
  play(kMaximumReached, "1");
  EXPECT_EQ(getUint32(kBusy), 0u);
  EXPECT_EQ(getUint32(kQueued), 0u);
}

TEST_F(ComputedValues, CameraSimulatorSpeedsFollowTheSelectMode) {
  constexpr std::int32_t kPixelFrequency = sdkId("FG_CAMERASIMULATOR_PIXEL_FREQUENCY");
  constexpr std::int32_t kLineRate = sdkId("FG_CAMERASIMULATOR_LINERATE");
  constexpr std::int32_t kFrameRate = sdkId("FG_CAMERASIMULATOR_FRAMERATE");
  constexpr std::int32_t kActive = sdkId("FG_CAMERASIMULATOR_ACTIVE");
  constexpr std::int32_t kPassive = sdkId("FG_CAMERASIMULATOR_PASSIVE");
  constexpr std::int32_t kLineGap = sdkId("FG_CAMERASIMULATOR_LINE_GAP");
  constexpr std::int32_t kFrameGap = sdkId("FG_CAMERASIMULATOR_FRAME_GAP");
  const std::string prefix = "Device1_Process0_CameraSimulator_PixelFrequency_";
  SimulatorValues& simulator = values().simulator;
  simulator.effectiveLineGap = 8;
  simulator.effectiveFrameGap = 16;
  simulator.height = 100;
  play(prefix + "SequenceLength_ImageWidth", "10000");
  play(prefix + "ActivePixel_Number", "125");

  // Frame-rate mode (the initial one): no gaps count, the sequence length is per line.
  EXPECT_DOUBLE_EQ(getDouble(kPixelFrequency), 999.9999999999999);
  EXPECT_DOUBLE_EQ(getDouble(kLineRate), 8 / (1024 * 8e-9));
  EXPECT_DOUBLE_EQ(getDouble(kFrameRate), 1 / (10000.0 * 100 * 8e-9));
  EXPECT_EQ(getUint32(kLineGap), 0u);
  EXPECT_EQ(getUint32(kFrameGap), 0u);
  std::uint32_t untouched = 77;
  EXPECT_EQ(get(kActive, &untouched, runtime::kTypeUint32), 0);
  EXPECT_EQ(get(kPassive, &untouched, runtime::kTypeUint32), 0);
  EXPECT_EQ(untouched, 77u);

  simulator.selectMode = 0;
  EXPECT_DOUBLE_EQ(getDouble(kPixelFrequency), 62.5);
  EXPECT_DOUBLE_EQ(getDouble(kLineRate), 62.5e6 / 1032);
  EXPECT_DOUBLE_EQ(getDouble(kFrameRate), 62.5e6 / (1032.0 * 116));
  EXPECT_EQ(getUint32(kActive), 125u);
  EXPECT_EQ(getUint32(kPassive), 1875u);
  EXPECT_EQ(getUint32(kLineGap), 8u);
  EXPECT_EQ(getUint32(kFrameGap), 16u);

  simulator.selectMode = 1;
  EXPECT_DOUBLE_EQ(getDouble(kLineRate), 12500.0);
  EXPECT_DOUBLE_EQ(getDouble(kFrameRate), 12500.0 / 116);
  EXPECT_EQ(getUint32(kLineGap), 0u);
  EXPECT_EQ(getUint32(kFrameGap), 16u);
  play(prefix + "SequenceLength_ImageWidth", "0");
  EXPECT_TRUE(std::isinf(getDouble(kLineRate))) << "a zero divisor is no error";

  simulator.selectMode = 3;
  double rate = 5;
  EXPECT_EQ(get(kLineRate, &rate, runtime::kTypeDouble), -2075);
  EXPECT_EQ(get(kFrameRate, &rate, runtime::kTypeDouble), -2075);
  EXPECT_EQ(rate, 5.0);
  EXPECT_DOUBLE_EQ(getDouble(kPixelFrequency), 999.9999999999999);
}

TEST_F(ComputedValues, CameraStatusCountsTheSimulatorAsPixelClock) {
  constexpr std::int32_t kExtended = sdkId("FG_CAMSTATUS_EXTENDED");
  play("FG_CAMSTATUS_EXTENDED", "0xF6");  // bits 5 to 7 come from the applet, not the runtime
  play("Device1_Process0_Buffer_0_DRAM_A_0_FillLevel", "49");
  EXPECT_EQ(getUint32(kExtended), 0x56u);
  EXPECT_EQ(getUint32(sdkId("FG_CAMSTATUS")), 0u);
  values().simulator.enable = 1;
  play("Device1_Process0_Buffer_0_DRAM_A_0_FillLevel", "50");
  EXPECT_EQ(getUint32(kExtended), 0x97u);
  EXPECT_EQ(getUint32(sdkId("FG_CAMSTATUS")), 1u);
}

TEST_F(ComputedValues, LookupTableEntriesInEachForm) {
  constexpr std::int32_t kLut = sdkId("FG_LUT_VALUE");
  auto& table = values().lut.table;
  for (std::uint32_t i = 0; i < table.size(); ++i) table[i] = (i * 3) % 1024;

  LutEntry entry{0, 1023};
  EXPECT_EQ(get(kLut, &entry, runtime::kTypeUint32), 0);
  EXPECT_EQ(entry.value, (1023u * 3) % 1024);
  entry = {99, 1024};
  EXPECT_EQ(get(kLut, &entry, runtime::kTypeUint32), kInvalidParameter);
  EXPECT_EQ(entry.value, 99u);

  std::array<std::uint32_t, 25> narrow{};
  FieldParameterAccess field{2, 1000, 24, narrow.data()};
  ASSERT_EQ(get(kLut, &field, runtime::kTypeField), 0);
  EXPECT_EQ(narrow[0], table[1000]);
  EXPECT_EQ(narrow[23], table[1023]);
  EXPECT_EQ(narrow[24], 0u);
  for (const auto& [index, count] :
       {std::pair{1000u, 25u}, std::pair{1024u, 0u}, std::pair{0u, 1025u}}) {
    field = {1, index, count, narrow.data()};
    EXPECT_EQ(get(kLut, &field, runtime::kTypeField), kInvalidParameter) << index << "+" << count;
  }

  std::array<std::uint64_t, 2> wide{~0ull, ~0ull};
  field = {4, 10, 2, wide.data()};
  ASSERT_EQ(get(kLut, &field, runtime::kTypeField), 0);
  EXPECT_EQ(wide[1], std::uint64_t{table[11]});
  std::array<double, 1> real{-1};
  field = {5, 7, 1, real.data()};
  ASSERT_EQ(get(kLut, &field, runtime::kTypeField), 0);
  EXPECT_EQ(real[0], static_cast<double>(table[7]));

  // Another element type receives nothing and succeeds; a null destination is refused.
  narrow.fill(5);
  field = {runtime::kTypeLutEntry, 0, 2, narrow.data()};
  EXPECT_EQ(get(kLut, &field, runtime::kTypeField), 0);
  EXPECT_EQ(narrow[0], 5u);
  field = {2, 0, 2, nullptr};
  EXPECT_EQ(get(kLut, &field, runtime::kTypeField), kInvalidParameter);
}

TEST_F(ComputedValues, StoredTextsAreWrittenOrHandedOut) {
  constexpr std::int32_t kCustomFile = sdkId("FG_LUT_CUSTOM_FILE");
  values().lut.customFile = "tables/gamma.lut";
  std::array<char, 64> buffer{};
  ASSERT_EQ(get(kCustomFile, buffer.data(), runtime::kTypeString), 0);
  EXPECT_STREQ(buffer.data(), "tables/gamma.lut");

  char* copy = nullptr;
  ASSERT_EQ(get(kCustomFile, &copy, runtime::kTypeStringCopy), 0);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "tables/gamma.lut");
  values().lut.customFile.clear();
  EXPECT_STREQ(copy, "tables/gamma.lut") << "a handed-out copy is the caller's";
  EXPECT_EQ(applet_->freeParameterStringWithType(kCustomFile, copy, 0, 22), 0);
}

TEST_F(ComputedValues, DebugParametersReadTheSelectedPoint) {
  constexpr std::int32_t kXPosition = sdkId("FG_DEBUGOUTXPOS");
  constexpr std::int32_t kInput = sdkId("FG_DEBUGINENABLE");
  constexpr std::int32_t kOutput = sdkId("FG_DEBUGOUTENABLE");
  constexpr std::int32_t kName = sdkId("FG_DEBUGSOURCENAME");
  ASSERT_EQ(applet_->debugPoints().count(), 2);
  play("Device1_Process0_Debug_CameraInput_OperationMode", "3");
  play("Device1_Process0_Debug_LutOutput_OperationMode", "2");
  play("Device1_Process0_Debug_LutOutput_XPosition", "17");
  std::array<char, 128> name{};

  // Point 0 injects only: it has no output side and no monitored position.
  EXPECT_EQ(getUint32(kInput), 1u);
  EXPECT_EQ(getUint32(kOutput), 0u);
  EXPECT_EQ(getUint32(kXPosition), 0u);

  values().debug.selectedPoint = 1;
  EXPECT_EQ(getUint32(kInput), 0u);
  EXPECT_EQ(getUint32(kOutput), 1u);
  EXPECT_EQ(getUint32(kXPosition), 17u);
  ASSERT_EQ(get(kName, name.data(), runtime::kTypeString), 0);
  EXPECT_STREQ(name.data(), "LutOutput");

  ASSERT_EQ(
      simboard_fail(board_, "Device1_Process0_Debug_LutOutput_XPosition", SIMBOARD_READS, -2073, 1),
      0);
  std::uint32_t position = 5;
  EXPECT_EQ(get(kXPosition, &position, runtime::kTypeUint32), -2031);
  EXPECT_EQ(getUint32(kXPosition), 17u);

  // A selection past the discovered points names no hardware parameter.
  values().debug.selectedPoint = 40;
  EXPECT_EQ(get(kInput, &position, runtime::kTypeUint32), -2031);
  ASSERT_EQ(get(kName, name.data(), runtime::kTypeString), 0);
  EXPECT_STREQ(name.data(), "");
}

TEST_F(ComputedValues, DebugDiscoveryStopsAtTheFirstBadEntry) {
  debug::DebugPoints points(applet_->services());
  const std::string longName(200, 'n');
  play("Device1_Process0_Debug_Name0", longName);
  play("Device1_Process0_Debug_Type1", "injectmonitor");
  EXPECT_FALSE(points.discover());
  EXPECT_EQ(points.count(), 2);
  EXPECT_EQ(std::string(points.point(0).name.data()), longName.substr(0, 127));
  EXPECT_STREQ(points.point(0).path.data(), "Debug_CameraInput");
  EXPECT_STREQ(points.point(1).name.data(), "LutOutput");
  EXPECT_EQ(points.point(1).kind, debug::kInject);
  EXPECT_STREQ(points.point(1).path.data(), "");

  play("Device1_Process0_Debug_Entries", "none");
  EXPECT_TRUE(points.discover());
  EXPECT_EQ(points.count(), 0);
  play("Device1_Process0_Debug_Entries", "1");
  ASSERT_EQ(simboard_fail(board_, "Device1_Process0_Debug_Path0", SIMBOARD_READS, -2073, 1), 0);
  EXPECT_FALSE(points.discover());
  EXPECT_EQ(points.count(), 1);
}

}  // namespace
}  // namespace brenvik::parameters
