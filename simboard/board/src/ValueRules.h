// Value rules shared by the parser, typed access and the control interface: the range of
// each value type, range checks of incoming integers, and number text in both directions.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "Design.h"

namespace brenvik::simboard {

// The full range of a value type as 64-bit patterns (fields: the range of one element).
std::uint64_t typeMinimum(ValueType type);
std::uint64_t typeMaximum(ValueType type);

// Checks an incoming integer against the parameter's limits (which lie inside its type's
// range) and yields the stored pattern. False when it does not fit.
bool acceptSigned(const ParameterDefinition& definition, std::int64_t value, std::uint64_t& bits);
// Inline: most writes are unsigned values of unsigned parameters.
inline bool acceptUnsigned(const ParameterDefinition& definition, std::uint64_t value,
                           std::uint64_t& bits) {
  if (isSigned(definition.type)) {
    if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return false;
    return acceptSigned(definition, static_cast<std::int64_t>(value), bits);
  }
  if (value < definition.minimum || value > definition.maximum) return false;
  bits = value;
  return true;
}
bool acceptDouble(const ParameterDefinition& definition, double value, std::uint64_t& bits);
// A field element against the field's per-element limits (inline: whole tables check
// every element).
inline bool acceptElement(const ParameterDefinition& definition, std::uint64_t value) {
  return value >= definition.minimum && value <= definition.maximum;
}

double bitsToDouble(std::uint64_t bits);
std::uint64_t doubleToBits(double value);

// Number texts: decimal, or hexadecimal with "0x"; a leading '-' only where signed.
bool parseUnsigned(std::string_view text, std::uint64_t& value);
bool parseSigned(std::string_view text, std::int64_t& value);
bool parseDouble(std::string_view text, double& value);
// An integer text for a parameter of the given definition: signed or unsigned as its type reads.
bool parseInteger(const ParameterDefinition& definition, std::string_view text,
                  std::uint64_t& bits);

void appendUnsigned(std::string& out, std::uint64_t value);
void appendSigned(std::string& out, std::int64_t value);
void appendDouble(std::string& out, double value);  // 17 significant digits
// One scalar pattern as text, read by the type.
void appendScalar(std::string& out, ValueType type, std::uint64_t bits);

}  // namespace brenvik::simboard
