// The one parser of parameter values: what a user gave (command-line text or a JSON value)
// typed by the parameter's kind.
#pragma once

#include "brenvik/Value.h"

namespace brenvik::detail {

// The value for the parameter, or Error (kBadValue) naming the parameter's kind.
Value parseValue(const ParameterHandle& handle, const ParameterInfo& info, const Input& given);

// True when an integer fits the parameter's value type (32 bits signed or unsigned, or
// 64 bits up to 2^63 - 1).
bool fitsType(const ParameterHandle& handle, std::int64_t value);

// Checks that a typed value fits the parameter's kind and type; Error (kBadValue) if not.
// Doubles given for integers, and integers for doubles, come back converted.
Value checkValue(const ParameterHandle& handle, const ParameterInfo& info, const Value& value);

}  // namespace brenvik::detail
