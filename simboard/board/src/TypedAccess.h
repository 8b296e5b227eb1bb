// Typed reads and writes of hardware parameter values with the runtime's type codes.
#pragma once

#include <cstdint>
#include <cstring>

#include "Design.h"
#include "ParameterStore.h"
#include "runtime/SdkRuntime.h"
#include "simboard/control.h"

namespace brenvik::simboard {

// Writes the value at `value` (never null) given with type code `type` into `slot`.
// Checks type and range only; the caller has already refused read-only parameters.
// Nothing changes unless the result is SIMBOARD_OK.
std::int32_t writeTypedValue(const ParameterDefinition& definition, ParameterValue& slot,
                             const void* value, std::int32_t type);

// The same, with most writes (a 32-bit unsigned value to a 32-bit unsigned parameter, under
// the rule writeTypedValue applies to it) done inline.
inline std::int32_t writeTyped(const ParameterDefinition& definition, ParameterValue& slot,
                               const void* value, std::int32_t type) {
  if (type != runtime::kTypeUint32 || definition.type != ValueType::U32) {
    return writeTypedValue(definition, slot, value, type);
  }
  std::uint32_t number = 0;
  std::memcpy(&number, value, sizeof number);  // the caller's pointer may be unaligned
  if (number < definition.minimum || number > definition.maximum) return SIMBOARD_OUT_OF_RANGE;
  slot.bits = number;
  return SIMBOARD_OK;
}

// Reads `slot` into `value` (never null) in the form of type code `type`. For type 22 the
// caller's char* receives a malloc'ed copy, also returned through `handedOut`.
std::int32_t readTyped(const ParameterDefinition& definition, const ParameterValue& slot,
                       void* value, std::int32_t type, char** handedOut);

}  // namespace brenvik::simboard
