// Hardware parameter values as text for the control interface and saved configurations:
// integers in decimal, doubles with 17 significant digits, strings as they are, fields as
// their elements separated by commas.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Design.h"
#include "ParameterStore.h"

namespace brenvik::simboard {

void renderParameter(const ParameterDefinition& definition, const ParameterValue& value,
                     std::string& out);

// Parses `text` for the parameter into `value`; a field takes 1 … N elements, which
// replace elements 0 … k-1. Malformed text: SIMBOARD_INVALID_PARAMETER; a value beyond the
// parameter's limits: SIMBOARD_OUT_OF_RANGE. Nothing changes on failure.
std::int32_t parseParameter(const ParameterDefinition& definition, std::string_view text,
                            ParameterValue& value);

// Copies a text with its terminating zero into a caller's buffer of `size` bytes.
std::int32_t copyText(const std::string& text, char* buffer, std::size_t size);

}  // namespace brenvik::simboard
