// Where each writable SDK parameter keeps its last accepted value in CurrentValues, written
// once: the getter table reads the stored values from here, the default pass takes the
// initial values from a fresh CurrentValues through it.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "parameters/CurrentValues.h"
#include "parameters/SdkParameterTable.h"

namespace brenvik::parameters {

struct StoredValue {
  std::int32_t id;
  ValueForm form;  // kUint32, kUint64, kDouble or kText (a std::string)
  const void* (*address)(const CurrentValues& values);
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

// A parameter and the member that keeps its value, named by an accessor (a lambda without
// captures).
template <typename Access>
constexpr StoredValue storedAt(SdkName parameter, Access) {
  return {parameter.id(), storedForm<MemberType<Access>>(), &memberAddress<Access>};
}

namespace stored_values {
using V = const CurrentValues&;
// clang-format off
inline constexpr StoredValue kAll[] = {
    storedAt("FG_TIMEOUT", [](V v) -> auto& { return v.geometry.timeout; }),
    storedAt("FG_CAMERA_LINK_CAMTYPE", [](V v) -> auto& { return v.geometry.cameraLinkCamType; }),
    storedAt("FG_USEDVAL", [](V v) -> auto& { return v.geometry.useDval; }),
    storedAt("FG_CAMERA_LINK_CORE_RESET", [](V v) -> auto& { return v.geometry.cameraLinkCoreReset; }),
    storedAt("FG_DEBUGSOURCE", [](V v) -> auto& { return v.debug.selectedPoint; }),
    storedAt("FG_DEBUGINENABLE", [](V v) -> auto& { return v.debug.inputEnable; }),
    storedAt("FG_DEBUGFILE", [](V v) -> auto& { return v.debug.file; }),
    storedAt("FG_DEBUGINSERT", [](V v) -> auto& { return v.debug.insert; }),
    storedAt("FG_DEBUGWRITEPIXEL", [](V v) -> auto& { return v.debug.writePixel; }),
    storedAt("FG_DEBUGWRITEFLAG", [](V v) -> auto& { return v.debug.writeFlag; }),
    storedAt("FG_DEBUGOUTENABLE", [](V v) -> auto& { return v.debug.outputEnable; }),
    storedAt("FG_DEBUGSAVECONFIG", [](V v) -> auto& { return v.debug.saveConfigFile; }),
    storedAt("FG_TAPGEOMETRY", [](V v) -> auto& { return v.geometry.tapGeometry; }),
    storedAt("FG_SENSORWIDTH", [](V v) -> auto& { return v.geometry.sensorWidth; }),
    storedAt("FG_VANTAGEPOINT", [](V v) -> auto& { return v.geometry.vantagePoint; }),
    storedAt("FG_WIDTH", [](V v) -> auto& { return v.geometry.width; }),
    storedAt("FG_HEIGHT", [](V v) -> auto& { return v.geometry.height; }),
    storedAt("FG_XOFFSET", [](V v) -> auto& { return v.geometry.xOffset; }),
    storedAt("FG_YOFFSET", [](V v) -> auto& { return v.geometry.yOffset; }),
    storedAt("FG_FORMAT", [](V v) -> auto& { return v.geometry.format; }),
    storedAt("FG_BITALIGNMENT", [](V v) -> auto& { return v.geometry.bitAlignment; }),
    storedAt("FG_CUSTOM_BIT_SHIFT_RIGHT", [](V v) -> auto& { return v.geometry.customBitShiftRight; }),
    storedAt("FG_CAMERASIMULATOR_ENABLE", [](V v) -> auto& { return v.simulator.enable; }),
    storedAt("FG_CAMERASIMULATOR_WIDTH", [](V v) -> auto& { return v.simulator.width; }),
    storedAt("FG_CAMERASIMULATOR_LINE_GAP", [](V v) -> auto& { return v.simulator.lineGap; }),
    storedAt("FG_CAMERASIMULATOR_HEIGHT", [](V v) -> auto& { return v.simulator.height; }),
    storedAt("FG_CAMERASIMULATOR_FRAME_GAP", [](V v) -> auto& { return v.simulator.frameGap; }),
    storedAt("FG_CAMERASIMULATOR_PATTERN", [](V v) -> auto& { return v.simulator.pattern; }),
    storedAt("FG_CAMERASIMULATOR_PATTERN_OFFSET", [](V v) -> auto& { return v.simulator.patternOffset; }),
    storedAt("FG_CAMERASIMULATOR_ROLL", [](V v) -> auto& { return v.simulator.roll; }),
    storedAt("FG_CAMERASIMULATOR_SELECT_MODE", [](V v) -> auto& { return v.simulator.selectMode; }),
    storedAt("FG_CAMERASIMULATOR_PIXEL_FREQUENCY", [](V v) -> auto& { return v.simulator.pixelFrequency; }),
    storedAt("FG_CAMERASIMULATOR_LINERATE", [](V v) -> auto& { return v.simulator.lineRate; }),
    storedAt("FG_CAMERASIMULATOR_FRAMERATE", [](V v) -> auto& { return v.simulator.frameRate; }),
    storedAt("FG_CAMERASIMULATOR_TRIGGER_MODE", [](V v) -> auto& { return v.simulator.triggerMode; }),
    storedAt("FG_IMG_SELECT_PERIOD", [](V v) -> auto& { return v.geometry.imageSelectPeriod; }),
    storedAt("FG_IMG_SELECT", [](V v) -> auto& { return v.geometry.imageSelect; }),
    storedAt("FG_LUT_TYPE", [](V v) -> auto& { return v.lut.lutType; }),
    storedAt("FG_LUT_CUSTOM_FILE", [](V v) -> auto& { return v.lut.customFile; }),
    storedAt("FG_LUT_SAVE_FILE", [](V v) -> auto& { return v.lut.saveFile; }),
    storedAt("FG_PROCESSING_OFFSET", [](V v) -> auto& { return v.lut.processingOffset; }),
    storedAt("FG_PROCESSING_GAIN", [](V v) -> auto& { return v.lut.processingGain; }),
    storedAt("FG_PROCESSING_GAMMA", [](V v) -> auto& { return v.lut.processingGamma; }),
    storedAt("FG_PROCESSING_INVERT", [](V v) -> auto& { return v.lut.processingInvert; }),
    storedAt("FG_AREATRIGGERMODE", [](V v) -> auto& { return v.trigger.areaTriggerMode; }),
    storedAt("FG_TRIGGERSTATE", [](V v) -> auto& { return v.trigger.triggerState; }),
    storedAt("FG_TRIGGER_FRAMESPERSECOND", [](V v) -> auto& { return v.trigger.framesPerSecond; }),
    storedAt("FG_TRIGGER_EXCEEDED_PERIOD_LIMITS_CLEAR", [](V v) -> auto& { return v.trigger.exceededPeriodLimitsClear; }),
    storedAt("FG_TRIGGERIN_DEBOUNCE", [](V v) -> auto& { return v.trigger.inputDebounce; }),
    storedAt("FG_TRIGGERIN_SRC", [](V v) -> auto& { return v.trigger.inputSource; }),
    storedAt("FG_TRIGGERIN_POLARITY", [](V v) -> auto& { return v.trigger.inputPolarity; }),
    storedAt("FG_TRIGGERIN_DOWNSCALE", [](V v) -> auto& { return v.trigger.inputDownscale; }),
    storedAt("FG_TRIGGERIN_DOWNSCALE_PHASE", [](V v) -> auto& { return v.trigger.inputDownscalePhase; }),
    storedAt("FG_SENDSOFTWARETRIGGER", [](V v) -> auto& { return v.trigger.sendSoftwareTrigger; }),
    storedAt("FG_TRIGGERIN_STATS_SOURCE", [](V v) -> auto& { return v.trigger.inputStatisticsSource; }),
    storedAt("FG_TRIGGERIN_STATS_POLARITY", [](V v) -> auto& { return v.trigger.inputStatisticsPolarity; }),
    storedAt("FG_TRIGGERIN_STATS_PULSECOUNT_CLEAR", [](V v) -> auto& { return v.trigger.inputStatisticsPulseCountClear; }),
    storedAt("FG_TRIGGERIN_STATS_MINMAXFREQUENCY_CLEAR", [](V v) -> auto& { return v.trigger.inputStatisticsMinMaxFrequencyClear; }),
    storedAt("FG_TRIGGER_MULTIPLY_PULSES", [](V v) -> auto& { return v.trigger.multiplyPulses; }),
    storedAt("FG_TRIGGERQUEUE_MODE", [](V v) -> auto& { return v.trigger.queueMode; }),
    storedAt("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD", [](V v) -> auto& { return v.trigger.queueFillLevelOnThreshold; }),
    storedAt("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD", [](V v) -> auto& { return v.trigger.queueFillLevelOffThreshold; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[0].downscale; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[0].downscalePhase; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN0_DELAY", [](V v) -> auto& { return v.trigger.pulseFormGenerators[0].delay; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN0_WIDTH", [](V v) -> auto& { return v.trigger.pulseFormGenerators[0].width; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[1].downscale; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[1].downscalePhase; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN1_DELAY", [](V v) -> auto& { return v.trigger.pulseFormGenerators[1].delay; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN1_WIDTH", [](V v) -> auto& { return v.trigger.pulseFormGenerators[1].width; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[2].downscale; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[2].downscalePhase; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN2_DELAY", [](V v) -> auto& { return v.trigger.pulseFormGenerators[2].delay; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN2_WIDTH", [](V v) -> auto& { return v.trigger.pulseFormGenerators[2].width; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[3].downscale; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE", [](V v) -> auto& { return v.trigger.pulseFormGenerators[3].downscalePhase; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN3_DELAY", [](V v) -> auto& { return v.trigger.pulseFormGenerators[3].delay; }),
    storedAt("FG_TRIGGER_PULSEFORMGEN3_WIDTH", [](V v) -> auto& { return v.trigger.pulseFormGenerators[3].width; }),
    storedAt("FG_TRIGGERCC_SELECT0", [](V v) -> auto& { return v.trigger.cameraControlSelect[0]; }),
    storedAt("FG_TRIGGERCC_SELECT1", [](V v) -> auto& { return v.trigger.cameraControlSelect[1]; }),
    storedAt("FG_TRIGGERCC_SELECT2", [](V v) -> auto& { return v.trigger.cameraControlSelect[2]; }),
    storedAt("FG_TRIGGERCC_SELECT3", [](V v) -> auto& { return v.trigger.cameraControlSelect[3]; }),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_0", [](V v) -> auto& { return v.trigger.gpoSelect[0]; }),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_1", [](V v) -> auto& { return v.trigger.gpoSelect[1]; }),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_2", [](V v) -> auto& { return v.trigger.gpoSelect[2]; }),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_3", [](V v) -> auto& { return v.trigger.gpoSelect[3]; }),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_4", [](V v) -> auto& { return v.trigger.gpoSelect[4]; }),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_5", [](V v) -> auto& { return v.trigger.gpoSelect[5]; }),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_6", [](V v) -> auto& { return v.trigger.gpoSelect[6]; }),
    storedAt("FG_TRIGGEROUT_SELECT_GPO_7", [](V v) -> auto& { return v.trigger.gpoSelect[7]; }),
    storedAt("FG_TRIGGEROUT_SELECT_FRONT_GPO_0", [](V v) -> auto& { return v.trigger.frontGpoSelect[0]; }),
    storedAt("FG_TRIGGEROUT_SELECT_FRONT_GPO_1", [](V v) -> auto& { return v.trigger.frontGpoSelect[1]; }),
    storedAt("FG_TRIGGEROUT_STATS_SOURCE", [](V v) -> auto& { return v.trigger.outputStatisticsSource; }),
    storedAt("FG_TRIGGEROUT_STATS_PULSECOUNT_CLEAR", [](V v) -> auto& { return v.trigger.outputStatisticsPulseCountClear; }),
    storedAt("FG_MISSING_CAMERA_FRAME_RESPONSE_CLEAR", [](V v) -> auto& { return v.trigger.missingCameraFrameResponseClear; }),
    storedAt("FG_TRIGGER_OUTPUT_EVENT_SELECT", [](V v) -> auto& { return v.trigger.outputEventSelect; }),
};
// clang-format on
}  // namespace stored_values

// The stored value of a parameter named in code, found while compiling.
consteval const StoredValue& storedValue(std::string_view name) {
  const std::int32_t id = sdkId(name);
  for (const StoredValue& value : stored_values::kAll) {
    if (value.id == id) return value;
  }
  throw "the parameter keeps no value of its own";
}

// The bytes of a stored scalar of `form` (4 for 32-bit values, 8 for the others).
constexpr std::size_t scalarSize(ValueForm form) { return form == ValueForm::kUint32 ? 4 : 8; }

}  // namespace brenvik::parameters
