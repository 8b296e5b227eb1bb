// Journal lines of the trigger process as the board records them, and the write sequences
// of the trigger actions, for the trigger tests and the default pass.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brenvik::test::trigger {

inline const std::string kPrefix = "Device1_Process1_Trigger_";

// One successful 32-bit write of a trigger hardware parameter (name without the prefix).
inline std::string line(const std::string& name, std::uint64_t value) {
  return kPrefix + name + " 2 " + std::to_string(value) + " 0";
}

inline std::string pulseForm(int generator, const std::string& register_) {
  return "TriggerCam0_PulseFormGenerators_PulseFormGenerator" + std::to_string(generator) + "_" +
         register_;
}

inline const std::string kClear = "TriggerCam0_PulseFormGenerators_Clear_Mode";
inline const std::string kClearQueuePulse = "TriggerCam0_Generators_ClearQueuePulse_Mode";
inline const std::string kMinimumPeriod = "TriggerCam0_Generators_Generator_MinimumPeriod_Number";
inline const std::string kSelectExternal = "TriggerCam0_TriggerMode_SelectExternal_Select";
inline const std::string kSoftwareTrigger = "TriggerCam0_TriggerMode_SoftwareTrigger_Mode";

constexpr std::uint32_t kPeriodAt8Hz = 15624991;

inline std::vector<std::string> stop() { return {line(kClear, 1)}; }
inline std::vector<std::string> release() { return {line(kClear, 0)}; }
inline std::vector<std::string> external(std::uint64_t on) { return {line(kSelectExternal, on)}; }
inline std::vector<std::string> missingFrameReset() {
  return {line("Monitoring_CheckForMissingFrame_Cam0_ResetMissing_Mode", 2), line(kClear, 2)};
}
inline std::vector<std::string> runOff() { return {line(kClearQueuePulse, 1)}; }
inline std::vector<std::string> restart(std::uint64_t queue) {
  return {line(kClearQueuePulse, 1), line("TriggerCam0_Generators_EnableQueue_Select", queue),
          line(kMinimumPeriod, kPeriodAt8Hz),
          line("TriggerCam0_PulseFormGenerators_Enable_Select", 1), line(kClearQueuePulse, 0)};
}
inline std::vector<std::string> runOn() { return restart(0); }
inline std::vector<std::string> fullReset() {
  std::vector<std::string> lines{line("TriggerCam0_Downscale_Clear_Mode", 2)};
  for (const std::string& l : restart(1)) lines.push_back(l);
  lines.push_back(line("TriggerCam0_Generators_ClearDownscale_Mode", 2));
  for (const std::string& l : missingFrameReset()) lines.push_back(l);
  return lines;
}

// The writes that creation makes before the defaults.
inline std::vector<std::string> creation() {
  return {line(kClear, 1), line(kClearQueuePulse, 1), line(kClear, 0)};
}

// The writes of the default pass, in its order.
inline std::vector<std::string> defaults() {
  std::vector<std::string> lines{
      line(kMinimumPeriod, kPeriodAt8Hz),
      line("TriggerInput_Debounce8_Prescale_Period", 42),
      line("TriggerCam0_InputSelect_Select_Value", 0),
      line("TriggerCam0_InputSelect_Polarity_Invert", 0),
      line("TriggerCam0_Downscale_Downscale_Downscale", 1),
      line("TriggerCam0_Downscale_Downscale_SelectedPulse", 1),
      line("TriggerCam0_StatisticsSelect_Select_Value", 0),
      line("TriggerCam0_StatisticsSelect_Polarity_Invert", 0),
      line("TriggerCam0_InputStatistics_ClearPulses_Mode", 2),
      line("TriggerCam0_Generators_Sequence_SelectedPulse", 1),
      line("TriggerCam0_Generators_Sequence_Downscale", 1),
      line("TriggerCam0_Generators_ClearDownscale_Mode", 2),
      line("TriggerCam0_Hysteresis_OnLevel_Number", 2047),
      line("TriggerCam0_Hysteresis_OffLevel_Number", 2),
  };
  for (int g = 0; g < 4; ++g) lines.push_back(line(pulseForm(g, "Downscale_Downscale"), 1));
  for (int g = 0; g < 4; ++g) lines.push_back(line(pulseForm(g, "Downscale_SelectedPulse"), 1));
  for (int g = 0; g < 4; ++g) lines.push_back(line(pulseForm(g, "Delay_Delay_Width"), 1));
  for (int g = 0; g < 4; ++g) lines.push_back(line(pulseForm(g, "Width_Width"), 500));
  const auto output = [&](const std::string& base, std::uint32_t select, std::uint32_t invert) {
    lines.push_back(line("TriggerOutput_" + base + "_Select_Select_Value", select));
    lines.push_back(line("TriggerOutput_" + base + "_Polarity_Invert", invert));
  };
  output("CameraControl0_Select0", 0, 1);
  for (int cc = 1; cc < 4; ++cc) output("CameraControl0_Select" + std::to_string(cc), 20, 1);
  output("SelectOutput_Select0", 0, 1);
  output("SelectOutput_Select1", 1, 1);
  for (int gpo = 2; gpo < 8; ++gpo) output("SelectOutput_Select" + std::to_string(gpo), 20, 1);
  output("SelectFrontOutput_Select0", 0, 1);
  output("SelectFrontOutput_Select1", 1, 1);
  lines.push_back(line("TriggerCam0_OutputStatistics_Select_Select", 0));
  lines.push_back(line("TriggerCam0_OutputEvent_Select_Select", 0));
  return lines;
}

}  // namespace brenvik::test::trigger
