// Typed reads and writes of hardware parameter values with the runtime's type codes.
#pragma once

#include <cstdint>

#include "Design.h"
#include "ParameterStore.h"

namespace brenvik::simboard {

// Writes the value at `value` (never null) given with type code `type` into `slot`.
// Checks type and range only; the caller has already refused read-only parameters.
// Nothing changes unless the result is SIMBOARD_OK.
std::int32_t writeTyped(const ParameterDefinition& definition, ParameterValue& slot,
                        const void* value, std::int32_t type);

// Reads `slot` into `value` (never null) in the form of type code `type`. For type 22 the
// caller's char* receives a malloc'ed copy, also returned through `handedOut`.
std::int32_t readTyped(const ParameterDefinition& definition, const ParameterValue& slot,
                       void* value, std::int32_t type, char** handedOut);

}  // namespace brenvik::simboard
