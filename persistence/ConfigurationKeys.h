// The parameter keys of this applet's configuration files: which parameters are saved, in
// which order, in which form, and what loading does with each.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "parameters/SdkParameterTable.h"

namespace brenvik::persistence {

// What loading does with a key.
enum class KeyUse : std::uint8_t {
  kNotRead,         // saved for the reader's information only
  kStoredOnly,      // pass 1 stores it; a setter of another key applies it
  kAppliedOnly,     // pass 2 hands it to its setter
  kStoredApplied,   // both
};

constexpr bool isStored(KeyUse use) {
  return use == KeyUse::kStoredOnly || use == KeyUse::kStoredApplied;
}
constexpr bool isApplied(KeyUse use) {
  return use == KeyUse::kAppliedOnly || use == KeyUse::kStoredApplied;
}

// How a key's value is written and read: the parameter's own value form.
enum class KeyForm : std::uint8_t { kInteger, kDouble, kText };

struct ConfigurationKey {
  parameters::SdkName parameter;
  KeyUse use;

  constexpr const char* name() const { return parameter.name(); }
  constexpr std::int32_t id() const { return parameter.id(); }
  constexpr KeyForm form() const {
    switch (parameter.row->form) {
      case parameters::ValueForm::kDouble:
        return KeyForm::kDouble;
      case parameters::ValueForm::kText:
        return KeyForm::kText;
      default:
        return KeyForm::kInteger;
    }
  }
};

// The port section's keys, in the order of the file; both load passes follow it too.
// clang-format off
inline constexpr ConfigurationKey kConfigurationKeys[] = {
    {"FG_TIMEOUT", KeyUse::kStoredApplied},
    {"FG_CAMERA_LINK_CAMTYPE", KeyUse::kStoredApplied},
    {"FG_USEDVAL", KeyUse::kStoredApplied},
    {"FG_DEBUGSOURCE", KeyUse::kNotRead},
    {"FG_DEBUGINENABLE", KeyUse::kNotRead},
    {"FG_DEBUGFILE", KeyUse::kStoredApplied},
    {"FG_DEBUGOUTENABLE", KeyUse::kNotRead},
    {"FG_TAPGEOMETRY", KeyUse::kStoredApplied},
    {"FG_SENSORWIDTH", KeyUse::kStoredApplied},
    {"FG_VANTAGEPOINT", KeyUse::kStoredApplied},
    {"FG_WIDTH", KeyUse::kStoredApplied},
    {"FG_HEIGHT", KeyUse::kStoredApplied},
    {"FG_XOFFSET", KeyUse::kStoredApplied},
    {"FG_YOFFSET", KeyUse::kStoredApplied},
    {"FG_FORMAT", KeyUse::kStoredApplied},
    {"FG_BITALIGNMENT", KeyUse::kStoredApplied},
    {"FG_CUSTOM_BIT_SHIFT_RIGHT", KeyUse::kStoredApplied},
    {"FG_CAMERASIMULATOR_ENABLE", KeyUse::kStoredApplied},
    {"FG_CAMERASIMULATOR_WIDTH", KeyUse::kStoredOnly},
    {"FG_CAMERASIMULATOR_LINE_GAP", KeyUse::kStoredOnly},
    {"FG_CAMERASIMULATOR_HEIGHT", KeyUse::kStoredOnly},
    {"FG_CAMERASIMULATOR_FRAME_GAP", KeyUse::kStoredOnly},
    {"FG_CAMERASIMULATOR_PATTERN", KeyUse::kStoredApplied},
    {"FG_CAMERASIMULATOR_PATTERN_OFFSET", KeyUse::kStoredApplied},
    {"FG_CAMERASIMULATOR_ROLL", KeyUse::kStoredApplied},
    {"FG_CAMERASIMULATOR_SELECT_MODE", KeyUse::kStoredApplied},
    {"FG_CAMERASIMULATOR_PIXEL_FREQUENCY", KeyUse::kStoredOnly},
    {"FG_CAMERASIMULATOR_LINERATE", KeyUse::kStoredOnly},
    {"FG_CAMERASIMULATOR_FRAMERATE", KeyUse::kStoredOnly},
    {"FG_CAMERASIMULATOR_TRIGGER_MODE", KeyUse::kStoredApplied},
    {"FG_CAMERASIMULATOR_ACTIVE", KeyUse::kNotRead},
    {"FG_CAMERASIMULATOR_PASSIVE", KeyUse::kNotRead},
    {"FG_IMG_SELECT_PERIOD", KeyUse::kStoredApplied},
    {"FG_IMG_SELECT", KeyUse::kStoredApplied},
    {"FG_LUT_TYPE", KeyUse::kStoredApplied},
    {"FG_LUT_CUSTOM_FILE", KeyUse::kStoredOnly},
    {"FG_PROCESSING_OFFSET", KeyUse::kStoredOnly},
    {"FG_PROCESSING_GAIN", KeyUse::kStoredOnly},
    {"FG_PROCESSING_GAMMA", KeyUse::kStoredOnly},
    {"FG_PROCESSING_INVERT", KeyUse::kStoredOnly},
    {"FG_AREATRIGGERMODE", KeyUse::kAppliedOnly},
    {"FG_TRIGGERSTATE", KeyUse::kAppliedOnly},
    {"FG_TRIGGER_FRAMESPERSECOND", KeyUse::kStoredApplied},
    {"FG_TRIGGERIN_DEBOUNCE", KeyUse::kStoredApplied},
    {"FG_TRIGGERIN_SRC", KeyUse::kStoredApplied},
    {"FG_TRIGGERIN_POLARITY", KeyUse::kStoredApplied},
    {"FG_TRIGGERIN_DOWNSCALE", KeyUse::kStoredApplied},
    {"FG_TRIGGERIN_DOWNSCALE_PHASE", KeyUse::kStoredApplied},
    {"FG_TRIGGERIN_STATS_SOURCE", KeyUse::kStoredApplied},
    {"FG_TRIGGERIN_STATS_POLARITY", KeyUse::kStoredApplied},
    {"FG_TRIGGER_MULTIPLY_PULSES", KeyUse::kStoredApplied},
    {"FG_TRIGGERQUEUE_MODE", KeyUse::kStoredApplied},
    {"FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD", KeyUse::kStoredApplied},
    {"FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN0_DELAY", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN0_WIDTH", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN1_DELAY", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN1_WIDTH", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN2_DELAY", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN2_WIDTH", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN3_DELAY", KeyUse::kStoredApplied},
    {"FG_TRIGGER_PULSEFORMGEN3_WIDTH", KeyUse::kStoredApplied},
    {"FG_TRIGGERCC_SELECT0", KeyUse::kStoredApplied},
    {"FG_TRIGGERCC_SELECT1", KeyUse::kStoredApplied},
    {"FG_TRIGGERCC_SELECT2", KeyUse::kStoredApplied},
    {"FG_TRIGGERCC_SELECT3", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_SELECT_GPO_0", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_SELECT_GPO_1", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_SELECT_GPO_2", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_SELECT_GPO_3", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_SELECT_GPO_4", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_SELECT_GPO_5", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_SELECT_GPO_6", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_SELECT_GPO_7", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_SELECT_FRONT_GPO_0", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_SELECT_FRONT_GPO_1", KeyUse::kStoredApplied},
    {"FG_TRIGGEROUT_STATS_SOURCE", KeyUse::kStoredApplied},
    {"FG_TRIGGER_OUTPUT_EVENT_SELECT", KeyUse::kStoredApplied},
};
// clang-format on

inline constexpr std::size_t kConfigurationKeyCount = std::size(kConfigurationKeys);
static_assert(kConfigurationKeyCount == 86);
static_assert(std::ranges::count_if(kConfigurationKeys,
                                    [](const auto& key) { return isStored(key.use); }) == 79);
static_assert(std::ranges::count_if(kConfigurationKeys,
                                    [](const auto& key) { return isApplied(key.use); }) == 69);
// Integer keys are written as signed 32-bit numbers: no 64-bit or structured parameter is saved.
static_assert(std::ranges::all_of(kConfigurationKeys, [](const auto& key) {
  const parameters::ValueForm form = key.parameter.row->form;
  return form == parameters::ValueForm::kUint32 || form == parameters::ValueForm::kDouble ||
         form == parameters::ValueForm::kText;
}));

// The header section's identity keys.
inline constexpr char kVendorKey[] = "Hersteller";
inline constexpr char kAppletNameKey[] = "Typ";
inline constexpr char kVersionKey[] = "Version";
inline constexpr char kLoadAppletIdKey[] = "LoadAppletId";
inline constexpr char kActivePortKey[] = "AktivePort";

// Text values are read into, and written from, a cleared buffer of this size.
inline constexpr std::size_t kConfigurationTextBuffer = 1024;

}  // namespace brenvik::persistence
