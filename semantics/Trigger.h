// The trigger system: generator, inputs, queue, pulse form generators, outputs, statistics and the
// software trigger.
#pragma once

#include <array>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

// The family's writable parameters (none yet).
inline constexpr std::array<WritableParameter, 0> kTriggerParameters{};

// The creation-time preparation: puts the generators into their creation state. False ends the
// preparation of the remaining families (creation goes on).
inline bool prepareTrigger(SetContext&) { return true; }

}  // namespace brenvik::semantics
