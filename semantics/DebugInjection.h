// Debug image injection: the setters of the debug parameters on the discovered debug points.
#pragma once

#include <array>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

// The family's writable parameters (none yet).
inline constexpr std::array<WritableParameter, 0> kDebugParameters{};

}  // namespace brenvik::semantics
