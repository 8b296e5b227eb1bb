// The default pass: every writable parameter's initial value written through its setter at
// creation, in a fixed order of rounds.
#pragma once

#include "semantics/SetContext.h"

namespace brenvik::semantics {

// Runs every step's setter with its initial value and error reporting off: a value that a
// setter refuses, or a write that fails, is dropped and the next step follows.
void applyDefaults(SetContext& context);

// The families' creation-time preparation of the parameter state, after discovery and before
// the defaults: the trigger system, then the camera simulator. A failing step ends it.
bool prepareFamilies(SetContext& context);

}  // namespace brenvik::semantics
