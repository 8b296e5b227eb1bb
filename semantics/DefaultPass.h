// The default pass: every writable parameter's initial value written through its setter at
// creation, in a fixed order.
#pragma once

#include <cstdint>
#include <span>

#include "parameters/SdkParameterTable.h"
#include "semantics/SetContext.h"
#include "semantics/SetPath.h"

namespace brenvik::semantics {

// One step of the default pass: a parameter and where its initial value lives in a
// freshly constructed CurrentValues (in the form `form`).
struct DefaultRow {
  std::int32_t id;
  parameters::ValueForm form;  // of the stored value
  const void* (*initial)(const parameters::CurrentValues& values);
};

// The steps in the order they are applied.
std::span<const DefaultRow> defaultRows();

// Runs every step's setter with its initial value and error reporting off: a value that a
// setter refuses, or a write that fails, is dropped and the next step follows.
void applyDefaults(SetContext& context);

// The families' creation-time preparation of the parameter state, after discovery and before
// the defaults: the trigger system, then the camera simulator. A failing step ends it.
bool prepareFamilies(SetContext& context);

}  // namespace brenvik::semantics
