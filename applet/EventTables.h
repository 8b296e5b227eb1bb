// The event tables: the hardware applet's events by name and by mask bit, and the SDK's
// names for 32 of them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

struct MolvrtEventDescriptor;

namespace vurn::tools::logging {
class Logger;
}

namespace brenvik {

struct EventAlias {
  std::string_view sdkName;
  std::string_view hardwareName;
};

// The SDK event names, in the order in which they are resolved.
inline constexpr std::array<EventAlias, 32> kEventAliases{{
    {"FG_OVERFLOW_CAM0", "Device1_Process0_Overflow_Overflow"},
    {"FG_START_OF_FRAME_CAM_PORT_0",
     "Device1_Process1_Trigger_Monitoring_FVALEvents_Cam0_FrameStart"},
    {"FG_END_OF_FRAME_CAM_PORT_0", "Device1_Process1_Trigger_Monitoring_FVALEvents_Cam0_FrameEnd"},
    {"FG_TRIGGER_INPUT0_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_Pin0"},
    {"FG_TRIGGER_INPUT0_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_NotPin0"},
    {"FG_TRIGGER_INPUT1_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_Pin1"},
    {"FG_TRIGGER_INPUT1_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_NotPin1"},
    {"FG_TRIGGER_INPUT2_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_Pin2"},
    {"FG_TRIGGER_INPUT2_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_NotPin2"},
    {"FG_TRIGGER_INPUT3_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_Pin3"},
    {"FG_TRIGGER_INPUT3_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_NotPin3"},
    {"FG_TRIGGER_INPUT4_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_Pin4"},
    {"FG_TRIGGER_INPUT4_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_NotPin4"},
    {"FG_TRIGGER_INPUT5_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_Pin5"},
    {"FG_TRIGGER_INPUT5_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_NotPin5"},
    {"FG_TRIGGER_INPUT6_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_Pin6"},
    {"FG_TRIGGER_INPUT6_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_NotPin6"},
    {"FG_TRIGGER_INPUT7_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_Pin7"},
    {"FG_TRIGGER_INPUT7_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputEvents_NotPin7"},
    {"FG_TRIGGER_FRONT_GPI0_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputFrontEvents_FrontPin0"},
    {"FG_TRIGGER_FRONT_GPI0_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputFrontEvents_FrontNotPin0"},
    {"FG_TRIGGER_FRONT_GPI1_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputFrontEvents_FrontPin1"},
    {"FG_TRIGGER_FRONT_GPI1_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputFrontEvents_FrontNotPin1"},
    {"FG_TRIGGER_FRONT_GPI2_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputFrontEvents_FrontPin2"},
    {"FG_TRIGGER_FRONT_GPI2_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputFrontEvents_FrontNotPin2"},
    {"FG_TRIGGER_FRONT_GPI3_RISING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputFrontEvents_FrontPin3"},
    {"FG_TRIGGER_FRONT_GPI3_FALLING",
     "Device1_Process1_Trigger_TriggerInput_InputEvents_InputFrontEvents_FrontNotPin3"},
    {"FG_TRIGGER_EXCEEDED_PERIOD_LIMITS_CAM0",
     "Device1_Process1_Trigger_Monitoring_MonitoringEvents_Cam0Override"},
    {"FG_MISSING_CAM0_FRAME_RESPONSE",
     "Device1_Process1_Trigger_Monitoring_MonitoringEvents_Cam0MissingFrame"},
    {"FG_TRIGGER_QUEUE_FILLLEVEL_THRESHOLD_CAM0_ON",
     "Device1_Process1_Trigger_Monitoring_MonitoringEvents_Cam0HysteresisOn"},
    {"FG_TRIGGER_QUEUE_FILLLEVEL_THRESHOLD_CAM0_OFF",
     "Device1_Process1_Trigger_Monitoring_MonitoringEvents_Cam0HysteresisOff"},
    {"FG_TRIGGER_OUTPUT_CAM0",
     "Device1_Process1_Trigger_Monitoring_MonitoringEvents_Cam0OutputEvent"},
}};

// Event number n has the mask 2^n; no more than 64 events are asked for.
inline constexpr std::uint32_t kEventLimit = 64;

// Thread-safety: built once during creation, read without a lock afterwards.
class EventTables {
 public:
  // The descriptor of event number n, or null past the last event.
  using DescriptorSource = std::function<const MolvrtEventDescriptor*(std::uint32_t number)>;

  // Numbers the events up to the first missing descriptor; publishes every event of kind 1
  // under its hardware name, then every SDK alias whose hardware event exists (the alias
  // takes over the mask's name). An alias without its event is logged at level 4.
  void build(const DescriptorSource& descriptor, vurn::tools::logging::Logger* logger);

  // The mask of an event name, or null.
  const std::uint64_t* maskOf(std::string_view name) const;
  // The name of a mask (valid as long as the tables), or null.
  const char* nameOf(std::uint64_t mask) const;

  std::size_t size() const { return byName_.size(); }

 private:
  std::map<std::string, std::uint64_t, std::less<>> byName_;
  std::map<std::uint64_t, std::string> byMask_;
};

}  // namespace brenvik
