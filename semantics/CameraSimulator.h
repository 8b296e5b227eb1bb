// The camera simulator: size, gaps, pattern and the three timing modes.
#pragma once

#include <array>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

// The family's writable parameters (none yet).
inline constexpr std::array<WritableParameter, 0> kCameraSimulatorParameters{};

// The creation-time preparation: derives the simulator's effective sizes, gaps and rates and their
// limits. False ends the preparation of the remaining families (creation goes on).
inline bool prepareCameraSimulator(SetContext&) { return true; }

}  // namespace brenvik::semantics
