// Trigger timing, inputs, outputs, clears and the software trigger on the simulated board:
// the ticks and codes written, the cross-checks and their error codes, the description
// limits kept consistent, and nothing left stored after a refusal.
#include <chrono>
#include <thread>

#include "SetPathFixture.h"
#include "description/DescriptionRows.h"
#include "semantics/TriggerOutputs.h"
#include "TriggerWrites.h"
#include "simboard/control.h"

namespace brenvik::test {
namespace {

namespace tw = trigger;
using tw::line;
using tw::pulseForm;

constexpr std::int32_t kRate = sdkId("FG_TRIGGER_FRAMESPERSECOND");
constexpr std::int32_t kDebounce = sdkId("FG_TRIGGERIN_DEBOUNCE");
constexpr std::int32_t kDownscale = sdkId("FG_TRIGGERIN_DOWNSCALE");
constexpr std::int32_t kPhase = sdkId("FG_TRIGGERIN_DOWNSCALE_PHASE");
constexpr std::int32_t kWidth1 = sdkId("FG_TRIGGER_PULSEFORMGEN1_WIDTH");
constexpr std::int32_t kDelay0 = sdkId("FG_TRIGGER_PULSEFORMGEN0_DELAY");
constexpr std::int32_t kDownscale1 = sdkId("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE");
constexpr std::int32_t kPhase1 = sdkId("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE");
constexpr std::int32_t kMode = sdkId("FG_AREATRIGGERMODE");
constexpr std::int32_t kState = sdkId("FG_TRIGGERSTATE");
constexpr std::int32_t kQueue = sdkId("FG_TRIGGERQUEUE_MODE");
constexpr std::int32_t kSend = sdkId("FG_SENDSOFTWARETRIGGER");

// The output-source table and the selectors' enumeration name the same 42 sources.
TEST(TriggerOutputSources, TheTableCoversExactlyTheEnumeratedSources) {
  std::size_t tableSize = 0;
  for (const semantics::trigger::OutputSourceRange& range : semantics::trigger::kOutputSources) {
    tableSize += range.count;
  }
  const auto& entries = description::describedRow("FG_TRIGGEROUT_SELECT_GPO_0").values.list->entries;
  EXPECT_EQ(tableSize, std::size(entries));
  for (const parameters::EnumerationEntry& entry : entries) {
    const auto code = static_cast<std::uint32_t>(entry.value);
    EXPECT_NO_THROW(semantics::trigger::outputSource(code)) << entry.name;
    EXPECT_EQ(semantics::trigger::outputSource(semantics::trigger::cameraSource(code)).select,
              semantics::trigger::outputSource(code).select)
        << entry.name;
  }
}

using Trigger = SetPathTest;

TEST_F(Trigger, TimesBecomeTicksOfTheTimeBase) {
  ASSERT_EQ(setDouble(kRate, 8.0), 0);
  ASSERT_EQ(setDouble(kRate, 1e5), 0);  // 10 µs still hold the 4 µs pulses
  ASSERT_EQ(setDouble(kDebounce, 1.0), 0);
  ASSERT_EQ(setDouble(kDelay0, 0.0), 0);
  ASSERT_EQ(setDouble(kDelay0, 0.012), 0);  // 1.5 ticks round half up
  ASSERT_EQ(setDouble(kWidth1, 4.0), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{
                          line(tw::kMinimumPeriod, 15624991), line(tw::kMinimumPeriod, 1241),
                          line("TriggerInput_Debounce8_Prescale_Period", 42),
                          line(pulseForm(0, "Delay_Delay_Width"), 1),
                          line(pulseForm(0, "Delay_Delay_Width"), 2),
                          line(pulseForm(1, "Width_Width"), 500)}));
  EXPECT_DOUBLE_EQ(getDouble(kDelay0), 0.016);
  EXPECT_DOUBLE_EQ(getDouble(kDebounce), 1.008);
}

TEST_F(Trigger, OutOfRangeTimesAreRefusedBeforeAnyWrite) {
  EXPECT_EQ(setDouble(kRate, 0.029), -6000);
  EXPECT_EQ(setDouble(kRate, 1.26e7), -6000);
  EXPECT_EQ(setDouble(kDebounce, 0.047), -6000);
  EXPECT_EQ(setDouble(kDebounce, 1.6), -6000);
  EXPECT_EQ(setDouble(kDelay0, -0.1), -6000);
  EXPECT_EQ(setDouble(kWidth1, 0.9), -6000);
  EXPECT_EQ(setDouble(kWidth1, 6.9e7), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_DOUBLE_EQ(getDouble(kRate), 8.0);
}

// A pulse longer than a generator period breaks the cross-check; a downscale stretches the
// period the pulse may take.
TEST_F(Trigger, PulsesMustFitIntoTheGeneratorPeriod) {
  ASSERT_EQ(setDouble(kRate, 4.0), 0);
  ASSERT_EQ(setDouble(kWidth1, 200000.0), 0);
  writes();
  EXPECT_EQ(setDouble(kRate, 5.0), -2079);
  EXPECT_DOUBLE_EQ(getDouble(kRate), 4.0);
  EXPECT_TRUE(writes().empty());

  ASSERT_EQ(set(kDownscale1, 2), 0);
  ASSERT_EQ(setDouble(kRate, 9.0), 0);
  EXPECT_EQ(setDouble(kRate, 10.0), -2079);
  EXPECT_EQ(set(kDownscale1, 1), -2078);  // the width no longer fits at 9 Hz
  EXPECT_EQ(get(kDownscale1), 2u);
  EXPECT_EQ(setDouble(kDelay0, 111112.0), -2079);
  EXPECT_EQ(setDouble(kWidth1, 222224.0), -2079);
  EXPECT_DOUBLE_EQ(getDouble(kWidth1), 200000.0);
}

// A width whose ticks do not fit the 32-bit register is held at its largest count: the get
// and the cross-check read the time the hardware really holds. The slowest rate's period of
// 2^32 ticks fits once the generator's offset is taken off.
TEST_F(Trigger, TimesBeyondTheRegisterAreHeldAtItsLargestCount) {
  constexpr std::uint32_t kLargest = 0xFFFFFFFFu;
  constexpr double kLongest = kLargest * 8.0 / 1000;  // µs
  constexpr std::int32_t kWidth0 = sdkId("FG_TRIGGER_PULSEFORMGEN0_WIDTH");
  constexpr std::int32_t kDownscale0 = sdkId("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE");
  constexpr double kSlowest = 0.0291038304567337;
  ASSERT_EQ(setDouble(kRate, kSlowest), 0);
  ASSERT_EQ(setDouble(kRate, 0.03), 0);
  ASSERT_EQ(set(kDownscale0, 7), 0);
  writes();
  ASSERT_EQ(setDouble(kWidth0, 6.8e7), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{line(pulseForm(0, "Width_Width"), kLargest)}));
  EXPECT_DOUBLE_EQ(getDouble(kWidth0), kLongest);
  // The held pulse, a seventh of it per period, leaves room for up to 7e6 / kLongest Hz.
  EXPECT_EQ(setDouble(kRate, 0.2), 0);
  EXPECT_EQ(setDouble(kRate, 0.21), -2079);
  ASSERT_EQ(setDouble(kRate, 0.03), 0);
  ASSERT_EQ(setDouble(kWidth0, 3.4e7), 0);
  EXPECT_EQ(writes().back(), line(pulseForm(0, "Width_Width"), 4250000000u));
  ASSERT_EQ(setDouble(kRate, kSlowest), 0);
  EXPECT_EQ(writes().back(), line(tw::kMinimumPeriod, 4294967287u));
}

TEST_F(Trigger, DownscaleAndPhaseKeepEachOtherAndTheirLimits) {
  EXPECT_EQ(set(kPhase, 1), -6000);  // not below the downscale of 1
  ASSERT_EQ(set(kDownscale, 3), 0);
  EXPECT_EQ(maximum(kPhase), 2);
  EXPECT_EQ(set(kPhase, 3), -6000);
  ASSERT_EQ(set(kDownscale, 4), 0);
  ASSERT_EQ(set(kPhase, 3), 0);
  EXPECT_EQ(minimum(kDownscale), 4);
  EXPECT_EQ(set(kDownscale, 3), -6000);
  EXPECT_EQ(writes(), (std::vector<std::string>{
                          line("TriggerCam0_Downscale_Downscale_Downscale", 3),
                          line("TriggerCam0_Downscale_Downscale_Downscale", 4),
                          line("TriggerCam0_Downscale_Downscale_SelectedPulse", 4)}));

  EXPECT_EQ(set(kDownscale1, 8), -6000);
  ASSERT_EQ(set(kDownscale1, 7), 0);
  ASSERT_EQ(set(kPhase1, 6), 0);
  EXPECT_EQ(maximum(kPhase1), 6);
  EXPECT_EQ(minimum(kDownscale1), 7);
  EXPECT_EQ(set(kDownscale1, 6), -6000);
  EXPECT_EQ(writes(), (std::vector<std::string>{line(pulseForm(1, "Downscale_Downscale"), 7),
                                                line(pulseForm(1, "Downscale_SelectedPulse"), 7)}));
}

TEST_F(Trigger, MultipliedPulsesNeverSelectBeyondTheSequence) {
  const std::string selected = "TriggerCam0_Generators_Sequence_SelectedPulse";
  const std::string length = "TriggerCam0_Generators_Sequence_Downscale";
  const std::string clear = line("TriggerCam0_Generators_ClearDownscale_Mode", 2);
  ASSERT_EQ(set(sdkId("FG_TRIGGER_MULTIPLY_PULSES"), 5), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGER_MULTIPLY_PULSES"), 3), 0);
  EXPECT_EQ(set(sdkId("FG_TRIGGER_MULTIPLY_PULSES"), 0), -6000);
  EXPECT_EQ(set(sdkId("FG_TRIGGER_MULTIPLY_PULSES"), 65536), -6000);
  EXPECT_EQ(writes(), (std::vector<std::string>{line(length, 5), line(selected, 5), clear,
                                                line(selected, 3), line(length, 3), clear}));
}

TEST_F(Trigger, InputsAndSelectorsWriteTheirHardwareCodes) {
  ASSERT_EQ(set(sdkId("FG_TRIGGERIN_SRC"), 18), 0);  // front input 2
  ASSERT_EQ(set(sdkId("FG_TRIGGERIN_STATS_SOURCE"), 7), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGERIN_POLARITY"), 1), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGEROUT_STATS_SOURCE"), 3), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGER_OUTPUT_EVENT_SELECT"), 2), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD"), 100), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{
                          line("TriggerCam0_InputSelect_Select_Value", 10),
                          line("TriggerCam0_StatisticsSelect_Select_Value", 7),
                          line("TriggerCam0_InputSelect_Polarity_Invert", 1),
                          line("TriggerCam0_OutputStatistics_Select_Select", 3),
                          line("TriggerCam0_OutputEvent_Select_Select", 2),
                          line("TriggerCam0_Hysteresis_OnLevel_Number", 100)}));
  EXPECT_EQ(set(sdkId("FG_TRIGGERIN_SRC"), 8), -6000);
  EXPECT_EQ(set(sdkId("FG_TRIGGEROUT_STATS_SOURCE"), 4), -6000);
  EXPECT_EQ(set(sdkId("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD"), 1), -6000);
  EXPECT_EQ(set(sdkId("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD"), 2048), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(get(sdkId("FG_TRIGGERIN_SRC")), 18u);
}

TEST_F(Trigger, OutputSourcesWriteSelectAndInvert) {
  const auto output = [&](const std::string& base, std::uint32_t select, std::uint32_t invert) {
    return std::vector<std::string>{line("TriggerOutput_" + base + "_Select_Select_Value", select),
                                    line("TriggerOutput_" + base + "_Polarity_Invert", invert)};
  };
  ASSERT_EQ(set(sdkId("FG_TRIGGERCC_SELECT0"), 5), 0);   // VCC
  ASSERT_EQ(set(sdkId("FG_TRIGGERCC_SELECT3"), 43), 0);  // NOT_BYPASS_FRONT_GPI_3
  ASSERT_EQ(set(sdkId("FG_TRIGGEROUT_SELECT_GPO_7"), 2), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGEROUT_SELECT_FRONT_GPO_1"), 9), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGEROUT_SELECT_GPO_3"), 4), 0);   // GND
  ASSERT_EQ(set(sdkId("FG_TRIGGEROUT_SELECT_GPO_4"), 23), 0);  // NOT_BYPASS_GPI_3
  EXPECT_EQ(writes(), concatenated({output("CameraControl0_Select0", 20, 1),
                                    output("CameraControl0_Select3", 19, 1),
                                    output("SelectOutput_Select7", 2, 0),
                                    output("SelectFrontOutput_Select1", 3, 1),
                                    output("SelectOutput_Select3", 20, 0),
                                    output("SelectOutput_Select4", 11, 1)}));
  // The outputs remember the pulse generators by their camera's names; the lines keep theirs.
  EXPECT_EQ(get(sdkId("FG_TRIGGEROUT_SELECT_GPO_7")), 52u);
  EXPECT_EQ(get(sdkId("FG_TRIGGEROUT_SELECT_FRONT_GPO_1")), 63u);
  EXPECT_EQ(get(sdkId("FG_TRIGGEROUT_SELECT_GPO_3")), 4u);
  ASSERT_EQ(set(sdkId("FG_TRIGGERCC_SELECT1"), 2), 0);
  EXPECT_EQ(get(sdkId("FG_TRIGGERCC_SELECT1")), 2u);
  writes();
  for (const std::uint32_t unknown : {18u, 28u, 34u, 44u, 54u, 64u}) {
    EXPECT_EQ(set(sdkId("FG_TRIGGERCC_SELECT2"), unknown), -6000) << unknown;
  }
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(get(sdkId("FG_TRIGGERCC_SELECT2")), 5u);
}

TEST_F(Trigger, ClearsAcceptOnlyApply) {
  const std::uint32_t apply = 1;
  ASSERT_EQ(set(sdkId("FG_TRIGGERIN_STATS_PULSECOUNT_CLEAR"), apply), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGEROUT_STATS_PULSECOUNT_CLEAR"), apply), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGER_EXCEEDED_PERIOD_LIMITS_CLEAR"), apply), 0);
  ASSERT_EQ(set(sdkId("FG_MISSING_CAMERA_FRAME_RESPONSE_CLEAR"), apply), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGERIN_STATS_MINMAXFREQUENCY_CLEAR"), apply), 0);
  ASSERT_EQ(set(sdkId("FG_TRIGGERIN_STATS_MINMAXFREQUENCY_CLEAR"), apply), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{
                          line("TriggerCam0_InputStatistics_ClearPulses_Mode", 2),
                          line("TriggerCam0_OutputStatistics_ClearPulses_Mode", 2),
                          line("Monitoring_ClearOverrideCam0_Mode", 2),
                          line("Monitoring_ClearMissingFrame_Cam0_Mode", 2),
                          line("TriggerCam0_InputStatistics_ClearMinMax_Value", 1),
                          line("TriggerCam0_InputStatistics_ClearMinMax_Value", 0)}));
  for (const std::uint32_t other : {0u, 2u}) {
    EXPECT_EQ(set(sdkId("FG_TRIGGERIN_STATS_PULSECOUNT_CLEAR"), other), -6000);
    EXPECT_EQ(set(sdkId("FG_MISSING_CAMERA_FRAME_RESPONSE_CLEAR"), other), -6000);
  }
  EXPECT_TRUE(writes().empty());
}

TEST_F(Trigger, TheQueueSetsTheGeneratorAndTheSoftwareTriggerLimit) {
  ASSERT_EQ(set(kQueue, 1), 0);  // the generator runs without the queue
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(maximum(kSend), 2040);
  ASSERT_EQ(set(kMode, 4), 0);
  writes();
  ASSERT_EQ(set(kQueue, 1), 0);
  ASSERT_EQ(set(kQueue, 0), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{
                          line(tw::kMinimumPeriod, tw::kPeriodAt8Hz),
                          line("TriggerCam0_Generators_Queue_QueueFullValue_Number", 2040),
                          line("TriggerCam0_Generators_Queue_QueueEnabled_Select", 1),
                          line(tw::kMinimumPeriod, 10),
                          line("TriggerCam0_Generators_Queue_QueueFullValue_Number", 1),
                          line("TriggerCam0_Generators_Queue_QueueEnabled_Select", 0)}));
  EXPECT_EQ(maximum(kSend), 1);
  EXPECT_EQ(set(kQueue, 2), -6000);
}

TEST_F(Trigger, SoftwareTriggersNeedTheirModeStateAndRoom) {
  EXPECT_EQ(set(kSend, 0), -6000);
  EXPECT_EQ(set(kSend, 2), -6000);  // the queue is off
  EXPECT_EQ(set(kSend, 1), -2140);
  ASSERT_EQ(set(kMode, 4), 0);
  EXPECT_EQ(set(kSend, 1), -2141);
  ASSERT_EQ(set(kQueue, 1), 0);
  ASSERT_EQ(set(kState, 0), 0);
  writes();
  ASSERT_EQ(set(kSend, 5), 0);
  EXPECT_EQ(writes(), std::vector<std::string>(5, line(tw::kSoftwareTrigger, 2)));
  EXPECT_EQ(get(kSend), 5u);
  EXPECT_EQ(set(kSend, 2041), -6000);

  // Without the queue a busy generator refuses the pulse and the previous count stays.
  ASSERT_EQ(set(kQueue, 0), 0);
  const std::string queued = tw::kPrefix + "TriggerCam0_Generators_QueueValue_Status";
  ASSERT_EQ(simboard_set(board_, queued.c_str(), "1"), 0);
  EXPECT_EQ(set(kSend, 1), -60);
  EXPECT_EQ(get(kSend), 5u);
  ASSERT_EQ(simboard_set(board_, queued.c_str(), "0"), 0);
  const std::string reached = tw::kPrefix + "TriggerCam0_Generators_Generator_MaximumReached_Status";
  ASSERT_EQ(simboard_set(board_, reached.c_str(), "1"), 0);
  writes();
  ASSERT_EQ(set(kSend, 1), 0);
  EXPECT_EQ(writes(), std::vector<std::string>{line(tw::kSoftwareTrigger, 2)});
}

// The board's trigger unit: software triggers fill the queue, the generator drains it one
// pulse per period, and the fill level, busy flag and pulse counter follow.
TEST_F(Trigger, TheBoardsQueueFillsAndDrains) {
  constexpr std::int32_t kFillLevel = sdkId("FG_TRIGGERQUEUE_FILLLEVEL");
  constexpr std::int32_t kBusy = sdkId("FG_SOFTWARETRIGGER_IS_BUSY");
  constexpr std::int32_t kPulses = sdkId("FG_TRIGGEROUT_STATS_PULSECOUNT");
  ASSERT_EQ(setDouble(kRate, 100.0), 0);  // 10 ms per pulse
  ASSERT_EQ(set(kMode, 4), 0);
  ASSERT_EQ(set(kQueue, 1), 0);
  ASSERT_EQ(set(kState, 0), 0);
  EXPECT_EQ(get(kBusy), 0u);
  ASSERT_EQ(set(kSend, 4), 0);  // the first starts at once, three wait
  EXPECT_EQ(get(kFillLevel), 3u);
  EXPECT_EQ(get(kBusy), 1u);
  EXPECT_EQ(get(kPulses), 1u);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(get(kFillLevel), 0u);
  EXPECT_EQ(get(kBusy), 0u);
  EXPECT_EQ(get(kPulses), 4u);

  // Without the queue a second pulse during the first one's period meets a busy generator.
  ASSERT_EQ(set(kQueue, 0), 0);
  ASSERT_EQ(setDouble(kRate, 1.0), 0);  // one pulse per second
  ASSERT_EQ(set(kSend, 1), 0);
  EXPECT_EQ(set(kSend, 1), -60);
  EXPECT_EQ(get(kPulses), 5u);
}

}  // namespace
}  // namespace brenvik::test
