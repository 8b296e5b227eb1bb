// The enumerations of the SDK parameters, as data: every list with its entries (display name,
// value, symbol), written once. The description's enumeration records, the set path's entry
// checks, the value names of Info, the initial values and the tool all read them from here.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/PixelFormats.h"

namespace brenvik::parameters {

struct EnumerationEntry {
  const char* displayName;
  std::int32_t value;
  const char* name;  // the value's symbol, e.g. "FG_GRAY"
};

struct EnumerationList {
  const char* label;  // the list's short label in the description ("T1", "YN", ...)
  std::span<const EnumerationEntry> entries;
};

namespace enumerations {

// The output formats' values are the SDK's pixel format codes.
consteval std::int32_t pixel(std::string_view format) {
  return static_cast<std::int32_t>(runtime::pixelFormatCode(format));
}

// clang-format off
inline constexpr EnumerationEntry kCameraLinkModesEntries[] = {
    {"8 Tap 8bit", 308, "FG_CL_FULL_8_TAP_8_BIT"},
    {"10 Tap 8bit", 310, "FG_CL_FULL_10_TAP_8_BIT"},
    {"8 Tap 10bit", 311, "FG_CL_FULL_8_TAP_10_BIT"},
};
inline constexpr EnumerationEntry kYesNoEntries[] = {
    {"Yes", 1, "FG_YES"},
    {"No", 0, "FG_NO"},
};
inline constexpr EnumerationEntry kOnOffEntries[] = {
    {"On", 1, "FG_ON"},
    {"Off", 0, "FG_OFF"},
};
inline constexpr EnumerationEntry kTapGeometriesEntries[] = {
    {"1X8", 25165824, "FG_GEOMETRY_1X8"},
    {"1X10", 27262976, "FG_GEOMETRY_1X10"},
    {"4X2", 69206016, "FG_GEOMETRY_4X2"},
    {"4X2E", 69271552, "FG_GEOMETRY_4X2E"},
    {"5X2", 85983232, "FG_GEOMETRY_5X2"},
    {"8X", 135266304, "FG_GEOMETRY_8X"},
    {"10X", 168820736, "FG_GEOMETRY_10X"},
};
inline constexpr EnumerationEntry kVantagePointsEntries[] = {
    {"Top-Left", 0, "FG_VANTAGEPOINT_TOP_LEFT"},
    {"Top-Right", 1, "FG_VANTAGEPOINT_TOP_RIGHT"},
};
inline constexpr EnumerationEntry kTriggerInputSourcesEntries[] = {
    {"GPI Trigger Source 0", 0, "TRGINSRC_GPI_0"},
    {"GPI Trigger Source 1", 1, "TRGINSRC_GPI_1"},
    {"GPI Trigger Source 2", 2, "TRGINSRC_GPI_2"},
    {"GPI Trigger Source 3", 3, "TRGINSRC_GPI_3"},
    {"GPI Trigger Source 4 (not available on Pelloran)", 4, "TRGINSRC_GPI_4"},
    {"GPI Trigger Source 5 (not available on Pelloran)", 5, "TRGINSRC_GPI_5"},
    {"GPI Trigger Source 6 (not available on Pelloran)", 6, "TRGINSRC_GPI_6"},
    {"GPI Trigger Source 7 (not available on Pelloran)", 7, "TRGINSRC_GPI_7"},
    {"Front GPI Trigger Source 0", 16, "TRGINSRC_FRONT_GPI_0"},
    {"Front GPI Trigger Source 1", 17, "TRGINSRC_FRONT_GPI_1"},
    {"Front GPI Trigger Source 2", 18, "TRGINSRC_FRONT_GPI_2"},
    {"Front GPI Trigger Source 3", 19, "TRGINSRC_FRONT_GPI_3"},
};
inline constexpr EnumerationEntry kPolaritiesEntries[] = {
    {"Low Active", 1, "LOW_ACTIVE"},
    {"High Active", 0, "HIGH_ACTIVE"},
};
inline constexpr EnumerationEntry kBusyFlagsEntries[] = {
    {"Busy Flag is set", 1, "IS_BUSY"},
    {"Busy Flag is not set", 0, "IS_NOT_BUSY"},
};
inline constexpr EnumerationEntry kTriggerOutputSourcesEntries[] = {
    {"Vcc", 5, "VCC"},
    {"Gnd", 4, "GND"},
    {"Cam A Pulse Generator 0", 50, "CAM_A_PULSEGEN0"},
    {"Cam A Pulse Generator 1", 51, "CAM_A_PULSEGEN1"},
    {"Cam A Pulse Generator 2", 52, "CAM_A_PULSEGEN2"},
    {"Cam A Pulse Generator 3", 53, "CAM_A_PULSEGEN3"},
    {"Not Cam A Pulse Generator 0", 60, "CAM_A_NOT_PULSEGEN0"},
    {"Not Cam A Pulse Generator 1", 61, "CAM_A_NOT_PULSEGEN1"},
    {"Not Cam A Pulse Generator 2", 62, "CAM_A_NOT_PULSEGEN2"},
    {"Not Cam A Pulse Generator 3", 63, "CAM_A_NOT_PULSEGEN3"},
    {"Bypass GPI 0", 10, "BYPASS_GPI_0"},
    {"Not Bypass GPI 0", 20, "NOT_BYPASS_GPI_0"},
    {"Bypass GPI 1", 11, "BYPASS_GPI_1"},
    {"Not Bypass GPI 1", 21, "NOT_BYPASS_GPI_1"},
    {"Bypass GPI 2", 12, "BYPASS_GPI_2"},
    {"Not Bypass GPI 2", 22, "NOT_BYPASS_GPI_2"},
    {"Bypass GPI 3", 13, "BYPASS_GPI_3"},
    {"Not Bypass GPI 3", 23, "NOT_BYPASS_GPI_3"},
    {"Bypass GPI 4 (not available on Pelloran)", 14, "BYPASS_GPI_4"},
    {"Not Bypass GPI 4 (not available on Pelloran)", 24, "NOT_BYPASS_GPI_4"},
    {"Bypass GPI 5 (not available on Pelloran)", 15, "BYPASS_GPI_5"},
    {"Not Bypass GPI 5 (not available on Pelloran)", 25, "NOT_BYPASS_GPI_5"},
    {"Bypass GPI 6 (not available on Pelloran)", 16, "BYPASS_GPI_6"},
    {"Not Bypass GPI 6 (not available on Pelloran)", 26, "NOT_BYPASS_GPI_6"},
    {"Bypass GPI 7 (not available on Pelloran)", 17, "BYPASS_GPI_7"},
    {"Not Bypass GPI 7 (not available on Pelloran)", 27, "NOT_BYPASS_GPI_7"},
    {"Bypass Front-GPI 0", 30, "BYPASS_FRONT_GPI_0"},
    {"Not Bypass Front-GPI 0", 40, "NOT_BYPASS_FRONT_GPI_0"},
    {"Bypass Front-GPI 1", 31, "BYPASS_FRONT_GPI_1"},
    {"Not Bypass Front-GPI 1", 41, "NOT_BYPASS_FRONT_GPI_1"},
    {"Bypass Front-GPI 2", 32, "BYPASS_FRONT_GPI_2"},
    {"Not Bypass Front-GPI 2", 42, "NOT_BYPASS_FRONT_GPI_2"},
    {"Bypass Front-GPI 3", 33, "BYPASS_FRONT_GPI_3"},
    {"Not Bypass Front-GPI 3", 43, "NOT_BYPASS_FRONT_GPI_3"},
    {"Pulse Generator 0", 0, "PULSEGEN0"},
    {"Pulse Generator 1", 1, "PULSEGEN1"},
    {"Pulse Generator 2", 2, "PULSEGEN2"},
    {"Pulse Generator 3", 3, "PULSEGEN3"},
    {"Not Pulse Generator 0", 6, "NOT_PULSEGEN0"},
    {"Not Pulse Generator 1", 7, "NOT_PULSEGEN1"},
    {"Not Pulse Generator 2", 8, "NOT_PULSEGEN2"},
    {"Not Pulse Generator 3", 9, "NOT_PULSEGEN3"},
};
inline constexpr EnumerationEntry kPulseGeneratorsEntries[] = {
    {"Pulse Generator 0", 0, "PULSEGEN0"},
    {"Pulse Generator 1", 1, "PULSEGEN1"},
    {"Pulse Generator 2", 2, "PULSEGEN2"},
    {"Pulse Generator 3", 3, "PULSEGEN3"},
};
inline constexpr EnumerationEntry kAreaTriggerModesEntries[] = {
    {"Generator", 1, "ATM_GENERATOR"},
    {"External", 2, "ATM_EXTERNAL"},
    {"Software", 4, "ATM_SOFTWARE"},
};
inline constexpr EnumerationEntry kTriggerStatesEntries[] = {
    {"Active", 0, "TS_ACTIVE"},
    {"Async Stop", 1, "TS_ASYNC_STOP"},
    {"Sync Stop", 2, "TS_SYNC_STOP"},
};
inline constexpr EnumerationEntry kLutImplementationsEntries[] = {
    {"Full LUT", 0, "LUT_IMPLEMENTATION_FULL_LUT"},
    {"KneeLUT", 1, "LUT_IMPLEMENTATION_KNEELUT"},
};
inline constexpr EnumerationEntry kLutTypesEntries[] = {
    {"Processor", 3, "LUT_TYPE_PROCESSING"},
    {"User file", 0, "LUT_TYPE_CUSTOM"},
};
inline constexpr EnumerationEntry kOutputFormatsEntries[] = {
    {"Gray 8bit", pixel("FG_GRAY"), "FG_GRAY"},
    {"Gray 10bit", pixel("FG_GRAY10"), "FG_GRAY10"},
    {"Gray 16bit", pixel("FG_GRAY16"), "FG_GRAY16"},
};
inline constexpr EnumerationEntry kBitAlignmentsEntries[] = {
    {"Left Aligned", 1, "FG_LEFT_ALIGNED"},
    {"Right Aligned", 0, "FG_RIGHT_ALIGNED"},
    {"Custom Bit Shift", 2, "FG_CUSTOM_BIT_SHIFT_MODE"},
};
inline constexpr EnumerationEntry kImageSourcesEntries[] = {
    {"Camera", 0, "FG_CAMPORT"},
    {"Simulator", 1, "FG_CAMERASIMULATOR"},
};
inline constexpr EnumerationEntry kSimulatorPatternsEntries[] = {
    {"Horizontal", 1, "FG_HORIZONTAL"},
    {"Vertical", 2, "FG_VERTICAL"},
    {"Diagonal", 3, "FG_DIAGONAL"},
};
inline constexpr EnumerationEntry kSimulatorSpeedModesEntries[] = {
    {"Pixel Frequency", 0, "FG_PIXEL_FREQUENCY"},
    {"Line Rate", 1, "FG_LINERATE"},
    {"Frame Rate", 2, "FG_FRAMERATE"},
};
inline constexpr EnumerationEntry kSimulatorTriggerModesEntries[] = {
    {"Free Run", 0, "SIMULATION_FREE_RUN"},
    {"Rising Edge Triggers Line", 8, "RISING_EDGE_TRIGGERS_LINE"},
    {"Rising Edge Triggers Frame", 9, "RISING_EDGE_TRIGGERS_FRAME"},
};
inline constexpr EnumerationEntry kDebugWriteFlagsEntries[] = {
    {"EndOfLine", 0, "FG_ENDOFLINE"},
    {"EndOfFrame", 1, "FG_ENDOFFRAME"},
};
inline constexpr EnumerationEntry kPoclStatesEntries[] = {
    {"Initialize", 0, "FG_INITIALIZE"},
    {"PoCL Connection Sense", 1, "FG_POCL_CONNECTION_SENSE"},
    {"PoCL wait for Connection", 6, "FG_POCL_WAIT_FOR_CONNECTION"},
    {"PoCL Camera and Cable Detected", 2, "FG_POCL_CAMERA_DETECTED"},
    {"PoCL Camera Clock Detected", 3, "FG_POCL_CAMERA_CLOCK_DETECTED"},
    {"CL wait for Connection", 7, "FG_CL_WAIT_FOR_CONNECTION"},
    {"CL Camera Detected", 4, "FG_CL_CAMERA_DETECTED"},
    {"CL Camera Clock Detected", 5, "FG_CL_CAMERA_CLOCK_DETECTED"},
    {"PoCL Disabled", 8, "FG_POCL_DISABLED"},
};
inline constexpr EnumerationEntry kApplyEntries[] = {
    {"Apply", 1, "FG_APPLY"},
};
// clang-format on

inline constexpr EnumerationList kCameraLinkModes{"T1", kCameraLinkModesEntries};
inline constexpr EnumerationList kYesNo{"YN", kYesNoEntries};
inline constexpr EnumerationList kOnOff{"OO", kOnOffEntries};
inline constexpr EnumerationList kTapGeometries{"T3", kTapGeometriesEntries};
inline constexpr EnumerationList kVantagePoints{"T4", kVantagePointsEntries};
inline constexpr EnumerationList kTriggerInputSources{"T5", kTriggerInputSourcesEntries};
inline constexpr EnumerationList kPolarities{"T6", kPolaritiesEntries};
inline constexpr EnumerationList kBusyFlags{"T7", kBusyFlagsEntries};
inline constexpr EnumerationList kTriggerOutputSources{"T9", kTriggerOutputSourcesEntries};
inline constexpr EnumerationList kPulseGenerators{"T10", kPulseGeneratorsEntries};
inline constexpr EnumerationList kAreaTriggerModes{"T11", kAreaTriggerModesEntries};
inline constexpr EnumerationList kTriggerStates{"T12", kTriggerStatesEntries};
inline constexpr EnumerationList kLutImplementations{"T13", kLutImplementationsEntries};
inline constexpr EnumerationList kLutTypes{"T14", kLutTypesEntries};
inline constexpr EnumerationList kOutputFormats{"T15", kOutputFormatsEntries};
inline constexpr EnumerationList kBitAlignments{"T16", kBitAlignmentsEntries};
inline constexpr EnumerationList kImageSources{"T17", kImageSourcesEntries};
inline constexpr EnumerationList kSimulatorPatterns{"T18", kSimulatorPatternsEntries};
inline constexpr EnumerationList kSimulatorSpeedModes{"T19", kSimulatorSpeedModesEntries};
inline constexpr EnumerationList kSimulatorTriggerModes{"T20", kSimulatorTriggerModesEntries};
inline constexpr EnumerationList kDebugWriteFlags{"T21", kDebugWriteFlagsEntries};
inline constexpr EnumerationList kPoclStates{"T22", kPoclStatesEntries};
inline constexpr EnumerationList kApply{"AP", kApplyEntries};

// Every list.
inline constexpr auto kAll = std::to_array<const EnumerationList*>({
    &kCameraLinkModes,  &kYesNo,  &kOnOff,  &kTapGeometries,  &kVantagePoints,  &kTriggerInputSources,  &kPolarities,  &kBusyFlags,  &kTriggerOutputSources,  &kPulseGenerators, &kAreaTriggerModes, &kTriggerStates,
    &kLutImplementations, &kLutTypes, &kOutputFormats, &kBitAlignments, &kImageSources, &kSimulatorPatterns, &kSimulatorSpeedModes, &kSimulatorTriggerModes, &kDebugWriteFlags, &kPoclStates, &kApply,
});

}  // namespace enumerations

// The value of a symbol ("FG_GEOMETRY_1X8"), resolved while compiling: a symbol that no list
// has does not compile.
consteval std::int32_t enumValue(std::string_view symbol) {
  for (const EnumerationList* list : enumerations::kAll) {
    for (const EnumerationEntry& entry : list->entries) {
      if (symbol == entry.name) return entry.value;
    }
  }
  throw "not a value symbol of this applet";
}

// The same for members and registers kept as unsigned 32-bit values.
consteval std::uint32_t enumUnsigned(std::string_view symbol) {
  return static_cast<std::uint32_t>(enumValue(symbol));
}

}  // namespace brenvik::parameters
