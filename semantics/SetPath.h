// The set path of the SDK parameters: the read-only list, the writable parameters with the
// form their value is read in and their setter, and the dispatcher that checks and routes a set.
#pragma once

#include <cstdint>
#include <span>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

struct ReadOnlyParameter {
  std::int32_t id;
  const char* name;  // as the refusal names it
};

// The writable parameter of an id, or null; found without allocating. The configuration
// loader and the default pass call `set` directly with reportErrors off.
const WritableParameter* findWritableParameter(std::int32_t id);
std::span<const WritableParameter> writableParameters();

// Every parameter that a set refuses as read-only, sorted by id.
std::span<const ReadOnlyParameter> readOnlyParameters();

// Sets an SDK parameter (the caller has checked the value pointer and holds the parameter
// lock): checks the DMA index and its process, refuses read-only and unknown ids with their
// messages, and runs the parameter's setter with reportErrors on. A failure is raised as its
// error code (codes::RaisedCode).
void setSdkParameter(SetContext& context, std::int32_t id, const void* value, std::uint32_t dma,
                     std::int32_t type);

}  // namespace brenvik::semantics
