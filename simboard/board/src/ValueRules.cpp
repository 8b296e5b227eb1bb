// Type ranges, range checks and number text of the board's parameter values.
#include "ValueRules.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace brenvik::simboard {

namespace {

template <typename T>
std::uint64_t pattern(T value) {
  return static_cast<std::uint64_t>(value);
}

}  // namespace

std::uint64_t typeMinimum(ValueType type) {
  switch (type) {
    case ValueType::I32:
      return pattern(std::int64_t{std::numeric_limits<std::int32_t>::min()});
    case ValueType::I64:
      return pattern(std::numeric_limits<std::int64_t>::min());
    case ValueType::F64:
      return doubleToBits(-std::numeric_limits<double>::max());
    default:
      return 0;
  }
}

std::uint64_t typeMaximum(ValueType type) {
  switch (type) {
    case ValueType::I32:
      return pattern(std::int64_t{std::numeric_limits<std::int32_t>::max()});
    case ValueType::I64:
      return pattern(std::numeric_limits<std::int64_t>::max());
    case ValueType::U64:
      return std::numeric_limits<std::uint64_t>::max();
    case ValueType::F64:
      return doubleToBits(std::numeric_limits<double>::max());
    case ValueType::Str:
      return 0;
    default:
      return std::numeric_limits<std::uint32_t>::max();  // u32 and field elements
  }
}

bool acceptSigned(const ParameterDefinition& definition, std::int64_t value, std::uint64_t& bits) {
  if (!isSigned(definition.type)) {
    if (value < 0) return false;
    return acceptUnsigned(definition, static_cast<std::uint64_t>(value), bits);
  }
  if (value < static_cast<std::int64_t>(definition.minimum) ||
      value > static_cast<std::int64_t>(definition.maximum)) {
    return false;
  }
  bits = static_cast<std::uint64_t>(value);
  return true;
}

bool acceptDouble(const ParameterDefinition& definition, double value, std::uint64_t& bits) {
  // NaN compares false both ways and is refused; infinities lie outside every limit.
  if (!(value >= bitsToDouble(definition.minimum) && value <= bitsToDouble(definition.maximum)))
    return false;
  bits = doubleToBits(value);
  return true;
}

double bitsToDouble(std::uint64_t bits) { return std::bit_cast<double>(bits); }
std::uint64_t doubleToBits(double value) { return std::bit_cast<std::uint64_t>(value); }

bool parseUnsigned(std::string_view text, std::uint64_t& value) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto [next, error] = std::from_chars(text.data(), end, value, base);
  return error == std::errc() && next == end;
}

bool parseSigned(std::string_view text, std::int64_t& value) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  std::uint64_t magnitude = 0;
  if (!parseUnsigned(text, magnitude)) return false;
  constexpr std::uint64_t kLargest = std::numeric_limits<std::int64_t>::max();
  if (negative) {
    if (magnitude > kLargest + 1) return false;
    value = magnitude == kLargest + 1 ? std::numeric_limits<std::int64_t>::min()
                                      : -static_cast<std::int64_t>(magnitude);
  } else {
    if (magnitude > kLargest) return false;
    value = static_cast<std::int64_t>(magnitude);
  }
  return true;
}

bool parseDouble(std::string_view text, double& value) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto [next, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && next == end;
}

bool parseInteger(const ParameterDefinition& definition, std::string_view text,
                  std::uint64_t& bits) {
  if (!text.empty() && text[0] == '-') {
    std::int64_t value = 0;
    return parseSigned(text, value) && acceptSigned(definition, value, bits);
  }
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  std::uint64_t value = 0;
  return parseUnsigned(text, value) && acceptUnsigned(definition, value, bits);
}

void appendUnsigned(std::string& out, std::uint64_t value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void appendSigned(std::string& out, std::int64_t value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void appendDouble(std::string& out, double value) {
  char buffer[40];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
  out.append(buffer, result.ptr);
}

void appendScalar(std::string& out, ValueType type, std::uint64_t bits) {
  if (type == ValueType::F64) {
    appendDouble(out, bitsToDouble(bits));
  } else if (isSigned(type)) {
    appendSigned(out, static_cast<std::int64_t>(bits));
  } else {
    appendUnsigned(out, bits);
  }
}

}  // namespace brenvik::simboard
