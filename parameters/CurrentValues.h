// CurrentValues: the last accepted value of every writable SDK parameter, grouped by family,
// with the values the applet object starts from (enumeration values by their symbols); then
// one row per stored parameter: where it keeps its value, whether the default pass writes it
// and what a configuration file does with it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "parameters/Enumerations.h"
#include "parameters/LookupTableShape.h"
#include "parameters/SdkParameterTable.h"

namespace brenvik::parameters {

// Region of interest, tap geometry, output format, Camera Link receiver, image selector.
struct GeometryValues {
  std::uint32_t tapGeometry = enumValue("FG_GEOMETRY_1X8");
  std::uint32_t sensorWidth = 1024;
  std::uint32_t vantagePoint = enumValue("FG_VANTAGEPOINT_TOP_LEFT");
  std::uint32_t width = 1024;
  std::uint32_t height = 1024;
  std::uint32_t xOffset = 0;
  std::uint32_t yOffset = 0;
  std::uint32_t format = enumValue("FG_GRAY");
  std::int32_t bitAlignment = enumValue("FG_LEFT_ALIGNED");
  std::uint32_t customBitShiftRight = 0;
  std::int32_t cameraLinkCamType = enumValue("FG_CL_FULL_8_TAP_8_BIT");
  std::int32_t useDval = enumValue("FG_YES");
  std::uint32_t cameraLinkCoreReset = 0;
  std::uint32_t timeout = 1000000;
  std::uint32_t imageSelectPeriod = 1;
  std::uint32_t imageSelect = 0;
};

// The lookup table and the processing that computes it.
struct LutValues {
  std::array<std::uint32_t, kLutSize> table{};  // what was last written to the hardware
  std::int32_t lutType = enumValue("LUT_TYPE_PROCESSING");
  double processingOffset = 0.0;
  double processingGain = 1.0;
  double processingGamma = 1.0;
  std::int32_t processingInvert = enumValue("FG_OFF");
  std::string customFile;
  std::string saveFile;
};

// One pulse form generator; delay and width in microseconds.
struct PulseFormGeneratorValues {
  std::uint32_t downscale = 1;
  std::uint32_t downscalePhase = 0;
  double delay = 0.0;
  double width = 4.0;
};

// The trigger system. The output selectors remember the code as the setter mapped it.
struct TriggerValues {
  std::uint32_t areaTriggerMode = enumValue("ATM_GENERATOR");
  std::uint32_t triggerState = enumValue("TS_SYNC_STOP");
  double framesPerSecond = 8.0;
  double inputDebounce = 1.0;  // microseconds
  std::uint32_t inputSource = enumValue("TRGINSRC_GPI_0");
  std::uint32_t inputPolarity = enumValue("HIGH_ACTIVE");
  std::uint32_t inputDownscale = 1;
  std::uint32_t inputDownscalePhase = 0;
  std::uint32_t inputStatisticsSource = 0;
  std::uint32_t inputStatisticsPolarity = 0;
  std::uint32_t inputStatisticsPulseCountClear = enumValue("FG_APPLY");
  std::uint32_t inputStatisticsMinMaxFrequencyClear = enumValue("FG_APPLY");
  std::uint32_t exceededPeriodLimitsClear = enumValue("FG_APPLY");
  std::uint32_t outputStatisticsPulseCountClear = enumValue("FG_APPLY");
  std::uint32_t missingCameraFrameResponseClear = enumValue("FG_APPLY");
  std::uint32_t multiplyPulses = 1;
  std::uint32_t queueMode = enumValue("FG_OFF");
  std::uint32_t queueFillLevelOnThreshold = 2047;
  std::uint32_t queueFillLevelOffThreshold = 2;
  std::array<PulseFormGeneratorValues, 4> pulseFormGenerators{};
  std::array<std::uint32_t, 4> cameraControlSelect{enumValue("NOT_PULSEGEN0"), enumValue("VCC"),
                                                   enumValue("VCC"), enumValue("VCC")};
  std::array<std::uint32_t, 8> gpoSelect{enumValue("CAM_A_NOT_PULSEGEN0"),
                                         enumValue("CAM_A_NOT_PULSEGEN1"),
                                         enumValue("VCC"),
                                         enumValue("VCC"),
                                         enumValue("VCC"),
                                         enumValue("VCC"),
                                         enumValue("VCC"),
                                         enumValue("VCC")};
  std::array<std::uint32_t, 2> frontGpoSelect{enumValue("CAM_A_NOT_PULSEGEN0"),
                                              enumValue("CAM_A_NOT_PULSEGEN1")};
  std::uint32_t outputStatisticsSource = enumValue("PULSEGEN0");
  std::uint32_t outputEventSelect = enumValue("PULSEGEN0");
  std::uint32_t sendSoftwareTrigger = 1;
};

// The camera simulator: the requested values, then the state derived from them.
struct SimulatorValues {
  std::int32_t enable = enumValue("FG_CAMPORT");
  std::uint32_t width = 1024;
  std::uint32_t height = 1024;
  std::uint32_t lineGap = 0;
  std::uint32_t frameGap = 0;
  std::uint32_t pattern = enumValue("FG_DIAGONAL");
  std::uint32_t patternOffset = 0;
  std::int32_t roll = enumValue("FG_ON");
  std::uint32_t selectMode = enumValue("FG_FRAMERATE");
  std::uint32_t triggerMode = enumValue("SIMULATION_FREE_RUN");
  double pixelFrequency = 40.0;  // MHz
  double lineRate = 10240.0;     // lines per second
  double frameRate = 10.0;       // frames per second

  std::uint32_t effectiveWidth = 1024;          // W8: the width rounded up to a multiple of 8
  std::uint32_t effectiveLineGap = 0;           // G8: the line gap rounded up likewise
  std::uint32_t effectiveHeight = 1024;         // H
  std::uint32_t effectiveFrameGap = 0;          // F
  double maximumPixelRate = 999999999.9999999;  // P, pixels per second
  double actualFrameRate = 10.0;
};

// The selected debug point and the debug parameters that the applet keeps itself.
struct DebugValues {
  std::uint32_t selectedPoint = 0;
  std::uint32_t inputEnable = 0;
  std::string file;
  std::uint32_t insert = 1;
  std::uint64_t writePixel = 0;
  std::uint32_t writeFlag = 0;
  std::uint32_t outputEnable = 0;
  std::string saveConfigFile;
};

// One member per family; each family's setters keep their own part and read the others'.
struct CurrentValues {
  GeometryValues geometry;
  LutValues lut;
  TriggerValues trigger;
  SimulatorValues simulator;
  DebugValues debug;
};

// --- Where each writable parameter keeps its value, and what creation and the configuration
// files do with it ---

// The default pass writes a parameter's initial value through its setter in one of these
// rounds, or leaves it alone (kNone). The rounds run in this order, each in the order of the
// SDK parameter table.
enum class DefaultStep : std::uint8_t {
  kNone,
  kSettings,         // all but the pulse form generators and the outputs
  kPulseDownscales,  // the four generators' downscales, then their phases, delays, widths
  kPulsePhases,
  kPulseDelays,
  kPulseWidths,
  kOutputs,  // output selectors, the output statistics source and the output event
};

// What a configuration file does with a parameter's key; the keys follow the order of the
// SDK parameter table.
enum class KeyUse : std::uint8_t {
  kNoKey,          // not saved
  kNotRead,        // saved for the reader's information only
  kStoredOnly,     // pass 1 stores it; a setter of another key applies it
  kAppliedOnly,    // pass 2 hands it to its setter
  kStoredApplied,  // both
};

constexpr bool isStored(KeyUse use) {
  return use == KeyUse::kStoredOnly || use == KeyUse::kStoredApplied;
}
constexpr bool isApplied(KeyUse use) {
  return use == KeyUse::kAppliedOnly || use == KeyUse::kStoredApplied;
}

struct StoredValue {
  std::int32_t id;
  ValueForm form;  // kUint32, kUint64, kDouble or kText (a std::string)
  const void* (*address)(const CurrentValues& values);
  DefaultStep defaultStep;
  KeyUse key;
};

// The form of a member of CurrentValues.
template <typename T>
consteval ValueForm storedForm() {
  if constexpr (std::is_same_v<T, std::string>) {
    return ValueForm::kText;
  } else if constexpr (std::is_same_v<T, double>) {
    return ValueForm::kDouble;
  } else {
    static_assert(std::is_integral_v<T> && (sizeof(T) == 4 || sizeof(T) == 8));
    return sizeof(T) == 8 ? ValueForm::kUint64 : ValueForm::kUint32;
  }
}

template <typename Access>
using MemberType = std::remove_cvref_t<std::invoke_result_t<Access, const CurrentValues&>>;

template <typename Access>
const void* memberAddress(const CurrentValues& values) {
  return &Access{}(values);
}

// A parameter, the member that keeps its value (named by an accessor, a lambda without
// captures; its initial value is the member's), and the two decisions every writable
// parameter states: its default-pass round and its key use. The getter of the get path, the
// default pass and the configuration keys are derived from these rows.
template <typename Access>
constexpr StoredValue storedAt(SdkName parameter, Access, DefaultStep step, KeyUse key) {
  return {parameter.id(), storedForm<MemberType<Access>>(), &memberAddress<Access>, step, key};
}

namespace stored_values {
using V = const CurrentValues&;
using enum DefaultStep;
using enum KeyUse;
// clang-format off
inline constexpr StoredValue kAll[] = {
    storedAt("FG_TIMEOUT", [](V v) -> auto& { return v.geometry.timeout; }, kSettings, kStoredApplied),
    storedAt("FG_CAMERA_LINK_CAMTYPE", [](V v) -> auto& { return v.geometry.cameraLinkCamType; }, kSettings, kStoredApplied),
    storedAt("FG_USEDVAL", [](V v) -> auto& { return v.geometry.useDval; }, kSettings, kStoredApplied),
    storedAt("FG_CAMERA_LINK_CORE_RESET", [](V v) -> auto& { return v.geometry.cameraLinkCoreReset; }, kNone, kNoKey),
    storedAt("FG_DEBUGSOURCE", [](V v) -> auto& { return v.debug.selectedPoint; }, kNone, kNotRead),
    storedAt("FG_DEBUGINENABLE", [](V v) -> auto& { return v.debug.inputEnable; }, kNone, kNotRead),
    storedAt("FG_DEBUGFILE", [](V v) -> auto& { return v.debug.file; }, kSettings, kStoredApplied),
    storedAt("FG_DEBUGINSERT", [](V v) -> auto& { return v.debug.insert; }, kNone, kNoKey),
    storedAt("FG_DEBUGWRITEPIXEL", [](V v) -> auto& { return v.debug.writePixel; }, kNone, kNoKey),
    storedAt("FG_DEBUGWRITEFLAG", [](V v) -> auto& { return v.debug.writeFlag; }, kNone, kNoKey),
    storedAt("FG_DEBUGOUTENABLE", [](V v) -> auto& { return v.debug.outputEnable; }, kNone, kNotRead),
    storedAt("FG_DEBUGSAVECONFIG", [](V v) -> auto& { return v.debug.saveConfigFile; }, kNone, kNoKey),
    storedAt("FG_TAPGEOMETRY", [](V v) -> auto& { return v.geometry.tapGeometry; }, kSettings, kStoredApplied),
    storedAt("FG_SENSORWIDTH", [](V v) -> auto& { return v.geometry.sensorWidth; }, kSettings, kStoredApplied),
    storedAt("FG_VANTAGEPOINT", [](V v) -> auto& { return v.geometry.vantagePoint; }, kSettings, kStoredApplied),
    storedAt("FG_WIDTH", [](V v) -> auto& { return v.geometry.width; }, kSettings, kStoredApplied),
    storedAt("FG_HEIGHT", [](V v) -> auto& { return v.geometry.height; }, kSettings, kStoredApplied),
    storedAt("FG_XOFFSET", [](V v) -> auto& { return v.geometry.xOffset; }, kSettings, kStoredApplied),
    storedAt("FG_YOFFSET", [](V v) -> auto& { return v.geometry.yOffset; }, kSettings, kStoredApplied),
    storedAt("FG_FORMAT", [](V v) -> auto& { return v.geometry.format; }, kSettings, kStoredApplied),
    storedAt("FG_BITALIGNMENT", [](V v) -> auto& { return v.geometry.bitAlignment; }, kSettings, kStoredApplied),
    storedAt("FG_CUSTOM_BIT_SHIFT_RIGHT", [](V v) -> auto& { return v.geometry.customBitShiftRight; }, kSettings, kStoredApplied),
    storedAt("FG_CAMERASIMULATOR_ENABLE", [](V v) -> auto& { return v.simulator.enable; }, kSettings, kStoredApplied),
    storedAt("FG_CAMERASIMULATOR_WIDTH", [](V v) -> auto& { return v.simulator.width; }, kNone, kStoredOnly),
    storedAt("FG_CAMERASIMULATOR_LINE_GAP", [](V v) -> auto& { return v.simulator.lineGap; }, kNone, kStoredOnly),
    storedAt("FG_CAMERASIMULATOR_HEIGHT", [](V v) -> auto& { return v.simulator.height; }, kNone, kStoredOnly),
    storedAt("FG_CAMERASIMULATOR_FRAME_GAP", [](V v) -> auto& { return v.simulator.frameGap; }, kNone, kStoredOnly),
    storedAt("FG_CAMERASIMULATOR_PATTERN", [](V v) -> auto& { return v.simulator.pattern; }, kSettings, kStoredApplied),
    storedAt("FG_CAMERASIMULATOR_PATTERN_OFFSET", [](V v) -> auto& { return v.simulator.patternOffset; }, kSettings, kStoredApplied),
    storedAt("FG_CAMERASIMULATOR_ROLL", [](V v) -> auto& { return v.simulator.roll; }, kSettings, kStoredApplied),
    storedAt("FG_CAMERASIMULATOR_SELECT_MODE", [](V v) -> auto& { return v.simulator.selectMode; }, kSettings, kStoredApplied),
    storedAt("FG_CAMERASIMULATOR_PIXEL_FREQUENCY", [](V v) -> auto& { return v.simulator.pixelFrequency; }, kNone, kStoredOnly),
    storedAt("FG_CAMERASIMULATOR_LINERATE", [](V v) -> auto& { return v.simulator.lineRate; }, kNone, kStoredOnly),
    storedAt("FG_CAMERASIMULATOR_FRAMERATE", [](V v) -> auto& { return v.simulator.frameRate; }, kNone, kStoredOnly),
    storedAt("FG_CAMERASIMULATOR_TRIGGER_MODE", [](V v) -> auto& { return v.simulator.triggerMode; }, kSettings, kStoredApplied),
    storedAt("FG_IMG_SELECT_PERIOD", [](V v) -> auto& { return v.geometry.imageSelectPeriod; }, kSettings, kStoredApplied),
    storedAt("FG_IMG_SELECT", [](V v) -> auto& { return v.geometry.imageSelect; }, kSettings, kStoredApplied),
    storedAt("FG_LUT_TYPE", [](V v) -> auto& { return v.lut.lutType; }, kSettings, kStoredApplied),
    storedAt("FG_LUT_CUSTOM_FILE", [](V v) -> auto& { return v.lut.customFile; }, kNone, kStoredOnly),
    storedAt("FG_LUT_SAVE_FILE", [](V v) -> auto& { return v.lut.saveFile; }, kNone, kNoKey),
    storedAt("FG_PROCESSING_OFFSET", [](V v) -> auto& { return v.lut.processingOffset; }, kNone, kStoredOnly),
    storedAt("FG_PROCESSING_GAIN", [](V v) -> auto& { return v.lut.processingGain; }, kNone, kStoredOnly),
    storedAt("FG_PROCESSING_GAMMA", [](V v) -> auto& { return v.lut.processingGamma; }, kNone, kStoredOnly),
    storedAt("FG_PROCESSING_INVERT", [](V v) -> auto& { return v.lut.processingInvert; }, kNone, kStoredOnly),
    storedAt("FG_AREATRIGGERMODE", [](V v) -> auto& { return v.trigger.areaTriggerMode; }, kSettings, kAppliedOnly),
    storedAt("FG_TRIGGERSTATE", [](V v) -> auto& { return v.trigger.triggerState; }, kSettings, kAppliedOnly),
    storedAt("FG_TRIGGER_FRAMESPERSECOND", [](V v) -> auto& { return v.trigger.framesPerSecond; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGER_EXCEEDED_PERIOD_LIMITS_CLEAR", [](V v) -> auto& { return v.trigger.exceededPeriodLimitsClear; }, kNone, kNoKey),
    storedAt("FG_TRIGGERIN_DEBOUNCE", [](V v) -> auto& { return v.trigger.inputDebounce; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGERIN_SRC", [](V v) -> auto& { return v.trigger.inputSource; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGERIN_POLARITY", [](V v) -> auto& { return v.trigger.inputPolarity; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGERIN_DOWNSCALE", [](V v) -> auto& { return v.trigger.inputDownscale; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGERIN_DOWNSCALE_PHASE", [](V v) -> auto& { return v.trigger.inputDownscalePhase; }, kSettings, kStoredApplied),
    storedAt("FG_SENDSOFTWARETRIGGER", [](V v) -> auto& { return v.trigger.sendSoftwareTrigger; }, kNone, kNoKey),
    storedAt("FG_TRIGGERIN_STATS_SOURCE", [](V v) -> auto& { return v.trigger.inputStatisticsSource; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGERIN_STATS_POLARITY", [](V v) -> auto& { return v.trigger.inputStatisticsPolarity; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGERIN_STATS_PULSECOUNT_CLEAR", [](V v) -> auto& { return v.trigger.inputStatisticsPulseCountClear; }, kSettings, kNoKey),
    storedAt("FG_TRIGGERIN_STATS_MINMAXFREQUENCY_CLEAR", [](V v) -> auto& { return v.trigger.inputStatisticsMinMaxFrequencyClear; }, kNone, kNoKey),
    storedAt("FG_TRIGGER_MULTIPLY_PULSES", [](V v) -> auto& { return v.trigger.multiplyPulses; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGERQUEUE_MODE", [](V v) -> auto& { return v.trigger.queueMode; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD", [](V v) -> auto& { return v.trigger.queueFillLevelOnThreshold; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD", [](V v) -> auto& { return v.trigger.queueFillLevelOffThreshold; }, kSettings, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[0].downscale; }, kPulseDownscales, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[0].downscalePhase; }, kPulsePhases, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN0_DELAY", [](V v) -> auto& { return v.trigger.pulseFormGenerators[0].delay; }, kPulseDelays, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN0_WIDTH", [](V v) -> auto& { return v.trigger.pulseFormGenerators[0].width; }, kPulseWidths, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[1].downscale; }, kPulseDownscales, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[1].downscalePhase; }, kPulsePhases, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN1_DELAY", [](V v) -> auto& { return v.trigger.pulseFormGenerators[1].delay; }, kPulseDelays, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN1_WIDTH", [](V v) -> auto& { return v.trigger.pulseFormGenerators[1].width; }, kPulseWidths, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[2].downscale; }, kPulseDownscales, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[2].downscalePhase; }, kPulsePhases, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN2_DELAY", [](V v) -> auto& { return v.trigger.pulseFormGenerators[2].delay; }, kPulseDelays, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN2_WIDTH", [](V v) -> auto& { return v.trigger.pulseFormGenerators[2].width; }, kPulseWidths, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[3].downscale; }, kPulseDownscales, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[3].downscalePhase; }, kPulsePhases, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN3_DELAY", [](V v) -> auto& { return v.trigger.pulseFormGenerators[3].delay; }, kPulseDelays, kStoredApplied),
    storedAt("FG_TRIGGER_PULSEFORMGEN3_WIDTH", [](V v) -> auto& { return v.trigger.pulseFormGenerators[3].width; }, kPulseWidths, kStoredApplied),
    storedAt("FG_TRIGGERCC_SELECT0", [](V v) -> auto& { return v.trigger.cameraControlSelect[0]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGERCC_SELECT1", [](V v) -> auto& { return v.trigger.cameraControlSelect[1]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGERCC_SELECT2", [](V v) -> auto& { return v.trigger.cameraControlSelect[2]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGERCC_SELECT3", [](V v) -> auto& { return v.trigger.cameraControlSelect[3]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_0", [](V v) -> auto& { return v.trigger.gpoSelect[0]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_1", [](V v) -> auto& { return v.trigger.gpoSelect[1]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_2", [](V v) -> auto& { return v.trigger.gpoSelect[2]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_3", [](V v) -> auto& { return v.trigger.gpoSelect[3]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_4", [](V v) -> auto& { return v.trigger.gpoSelect[4]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_5", [](V v) -> auto& { return v.trigger.gpoSelect[5]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_6", [](V v) -> auto& { return v.trigger.gpoSelect[6]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_7", [](V v) -> auto& { return v.trigger.gpoSelect[7]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_SELECT_FRONT_GPO_0", [](V v) -> auto& { return v.trigger.frontGpoSelect[0]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_SELECT_FRONT_GPO_1", [](V v) -> auto& { return v.trigger.frontGpoSelect[1]; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_STATS_SOURCE", [](V v) -> auto& { return v.trigger.outputStatisticsSource; }, kOutputs, kStoredApplied),
    storedAt("FG_TRIGGEROUT_STATS_PULSECOUNT_CLEAR", [](V v) -> auto& { return v.trigger.outputStatisticsPulseCountClear; }, kNone, kNoKey),
    storedAt("FG_MISSING_CAMERA_FRAME_RESPONSE_CLEAR", [](V v) -> auto& { return v.trigger.missingCameraFrameResponseClear; }, kNone, kNoKey),
    storedAt("FG_TRIGGER_OUTPUT_EVENT_SELECT", [](V v) -> auto& { return v.trigger.outputEventSelect; }, kOutputs, kStoredApplied),
};
// clang-format on

// The writable parameters that keep no value here (the lookup table keeps its entries in
// LutValues::table): the default pass leaves them alone and no key saves them.
inline constexpr SdkName kWithoutStoredValue[] = {"FG_LUT_VALUE"};

}  // namespace stored_values

// The stored value of an id, or null.
constexpr const StoredValue* findStoredValue(std::int32_t id) {
  for (const StoredValue& value : stored_values::kAll) {
    if (value.id == id) return &value;
  }
  return nullptr;
}

// The stored value of a parameter named in code, found while compiling.
consteval const StoredValue& storedValue(std::string_view name) {
  const StoredValue* value = findStoredValue(sdkId(name));
  if (value == nullptr) throw "the parameter keeps no value of its own";
  return *value;
}

// The bytes of a stored scalar of `form` (4 for 32-bit values, 8 for the others).
constexpr std::size_t scalarSize(ValueForm form) { return form == ValueForm::kUint32 ? 4 : 8; }

}  // namespace brenvik::parameters
