// The camera simulator: size, gaps, pattern and the three timing modes.
#pragma once

#include <array>
#include <cstdint>

#include "parameters/CurrentValues.h"
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
// The stored values get their setters' checks first: a select mode, size, gap or rate that its
// setter would refuse keeps the value it had before the load (`before`), as a refused set
// does, so no file brings the hardware into a state that no set reaches.
void adoptStoredSimulatorSettings(SetContext& context, const parameters::SimulatorValues& before);

// After a load that stored part of the simulator's geometry and then ended early, writes the
// adopted geometry to the hardware through the select-mode setter (quietly), so that the
// simulator's getters agree with each other and with the hardware. Nothing is written when
// the geometry is what it was before the load.
void applyAdoptedSimulatorGeometry(SetContext& context, const parameters::SimulatorValues& before);

// The creation-time preparation: the description's pixel-frequency maximum, nothing else; the
// other limits and the access of the select mode stay as described until a setter's limit
// steps run. The derived state starts prepared in the stored values. Always true (false would
// end the preparation of later families).
bool prepareCameraSimulator(SetContext& context);

}  // namespace brenvik::semantics
