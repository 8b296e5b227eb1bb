// The camera simulator: size, gaps, pattern and the three timing modes.
#pragma once

#include <array>
#include <cstdint>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

// Setters (value, reportErrors) of the FG_CAMERASIMULATOR_ parameters.
void setSimulatorEnable(SetContext& context, std::int32_t enable, bool reportErrors);
void setSimulatorPattern(SetContext& context, std::uint32_t pattern, bool reportErrors);
void setSimulatorPatternOffset(SetContext& context, std::uint32_t offset, bool reportErrors);
void setSimulatorRoll(SetContext& context, std::int32_t roll, bool reportErrors);
void setSimulatorTriggerMode(SetContext& context, std::uint32_t mode, bool reportErrors);
void setSimulatorWidth(SetContext& context, std::uint32_t width, bool reportErrors);
void setSimulatorLineGap(SetContext& context, std::uint32_t gap, bool reportErrors);
void setSimulatorHeight(SetContext& context, std::uint32_t height, bool reportErrors);
void setSimulatorFrameGap(SetContext& context, std::uint32_t gap, bool reportErrors);
void setSimulatorPixelFrequency(SetContext& context, double megahertz, bool reportErrors);
void setSimulatorLineRate(SetContext& context, double linesPerSecond, bool reportErrors);
void setSimulatorFrameRate(SetContext& context, double framesPerSecond, bool reportErrors);
void setSimulatorSelectMode(SetContext& context, std::uint32_t mode, bool reportErrors);

inline constexpr std::array kCameraSimulatorParameters{
    writable<&setSimulatorEnable>("FG_CAMERASIMULATOR_ENABLE"),
    writable<&setSimulatorWidth>("FG_CAMERASIMULATOR_WIDTH"),
    writable<&setSimulatorHeight>("FG_CAMERASIMULATOR_HEIGHT"),
    writable<&setSimulatorLineGap>("FG_CAMERASIMULATOR_LINE_GAP"),
    writable<&setSimulatorFrameGap>("FG_CAMERASIMULATOR_FRAME_GAP"),
    writable<&setSimulatorPattern>("FG_CAMERASIMULATOR_PATTERN"),
    writable<&setSimulatorPatternOffset>("FG_CAMERASIMULATOR_PATTERN_OFFSET"),
    writable<&setSimulatorRoll>("FG_CAMERASIMULATOR_ROLL"),
    writable<&setSimulatorSelectMode>("FG_CAMERASIMULATOR_SELECT_MODE"),
    writable<&setSimulatorTriggerMode>("FG_CAMERASIMULATOR_TRIGGER_MODE"),
    writable<&setSimulatorPixelFrequency>("FG_CAMERASIMULATOR_PIXEL_FREQUENCY"),
    writable<&setSimulatorLineRate>("FG_CAMERASIMULATOR_LINERATE"),
    writable<&setSimulatorFrameRate>("FG_CAMERASIMULATOR_FRAMERATE"),
};

// A configuration load stores the requested sizes and rates without running their setters;
// this makes the stored width, height and frame rate the effective sizes and the actual frame
// rate, which the select-mode setter applies again, so that a loaded geometry takes effect.
void adoptStoredSimulatorSettings(SetContext& context);

// The creation-time preparation: the description's pixel-frequency maximum, the access of the
// initial select mode and every limit that follows from the initial derived state. Limits
// never fail, so it always gives true (false would end the preparation of later families).
bool prepareCameraSimulator(SetContext& context);

}  // namespace brenvik::semantics
