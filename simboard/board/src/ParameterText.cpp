// Rendering and parsing hardware parameter values as text.
#include "ParameterText.h"

#include <cstring>
#include <vector>

#include "ValueRules.h"
#include "simboard/control.h"

namespace brenvik::simboard {

void renderParameter(const ParameterDefinition& definition, const ParameterValue& value,
                     std::string& out) {
  switch (definition.type) {
    case ValueType::Str:
      out += value.text;
      break;
    case ValueType::Field:
      for (std::size_t i = 0; i < value.elements.size(); ++i) {
        if (i > 0) out += ',';
        appendUnsigned(out, value.elements[i]);
      }
      break;
    default:
      appendScalar(out, definition.type, value.bits);
      break;
  }
}

namespace {

// A number that reads well but lies outside the limits is out of range; anything else
// that does not read as a number is malformed.
std::int32_t parseScalar(const ParameterDefinition& definition, std::string_view text,
                         std::uint64_t& bits) {
  if (definition.type == ValueType::F64) {
    double value = 0;
    if (!parseDouble(text, value)) return SIMBOARD_INVALID_PARAMETER;
    return acceptDouble(definition, value, bits) ? SIMBOARD_OK : SIMBOARD_OUT_OF_RANGE;
  }
  if (parseInteger(definition, text, bits)) return SIMBOARD_OK;
  std::int64_t anySigned = 0;
  std::uint64_t anyUnsigned = 0;
  bool readable = parseSigned(text, anySigned) || parseUnsigned(text, anyUnsigned);
  return readable ? SIMBOARD_OUT_OF_RANGE : SIMBOARD_INVALID_PARAMETER;
}

}  // namespace

std::int32_t parseParameter(const ParameterDefinition& definition, std::string_view text,
                            ParameterValue& value) {
  if (definition.type == ValueType::Str) {
    if (text.size() > kMaxTextLength) return SIMBOARD_OUT_OF_RANGE;
    value.text.assign(text);
    return SIMBOARD_OK;
  }
  if (definition.type != ValueType::Field) return parseScalar(definition, text, value.bits);

  ParameterDefinition element = definition;
  element.type = ValueType::U32;
  std::vector<std::uint32_t> elements;
  while (true) {
    std::size_t comma = text.find(',');
    std::uint64_t bits = 0;
    std::int32_t result = parseScalar(element, text.substr(0, comma), bits);
    if (result != SIMBOARD_OK) return result;
    if (elements.size() >= definition.elements) return SIMBOARD_OUT_OF_RANGE;
    elements.push_back(static_cast<std::uint32_t>(bits));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  std::copy(elements.begin(), elements.end(), value.elements.begin());
  return SIMBOARD_OK;
}

std::int32_t copyText(const std::string& text, char* buffer, std::size_t size) {
  if (buffer == nullptr) return SIMBOARD_INVALID_PARAMETER;
  if (size < text.size() + 1) return SIMBOARD_BUFFER_TOO_SMALL;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return SIMBOARD_OK;
}

}  // namespace brenvik::simboard
