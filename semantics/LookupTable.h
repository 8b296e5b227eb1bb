// The lookup table and the processing that computes it: its setters and the lookup-table file
// parameters.
#pragma once

#include <array>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

// The family's writable parameters (none yet).
inline constexpr std::array<WritableParameter, 0> kLookupTableParameters{};

}  // namespace brenvik::semantics
