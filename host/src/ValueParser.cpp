// Typing user input by a parameter's kind; every refusal says what the parameter takes.
#include "ValueParser.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>
#include <system_error>

#include "brenvik/Error.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::detail {

namespace {

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

struct Range {
  std::int64_t least;
  std::int64_t most;
};

// What the value type of the parameter holds.
Range typeRange(const ParameterHandle& handle) {
  if (handle.typeCode == runtime::kTypeUint64) return {0, kInt64Max};
  if (handle.isSigned) {
    return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
  }
  return {0, std::numeric_limits<std::uint32_t>::max()};
}

std::string numberText(const Value& value) {
  if (const auto* integer = std::get_if<std::int64_t>(&value)) return std::to_string(*integer);
  if (const auto* real = std::get_if<double>(&value)) {
    std::ostringstream text;
    text.precision(std::numeric_limits<double>::max_digits10);
    text << *real;
    return text.str();
  }
  return {};
}

// "an integer from 8 to 16384", "one of FG_GRAY, FG_GRAY16 (or their numbers)", ...
std::string expected(const ParameterHandle& handle, const ParameterInfo& info) {
  const Range range = typeRange(handle);
  switch (handle.kind) {
    case Kind::kInteger: {
      const std::string least =
          info.minimum ? numberText(*info.minimum) : std::to_string(range.least);
      const std::string most =
          info.maximum ? numberText(*info.maximum) : std::to_string(range.most);
      return "an integer from " + least + " to " + most;
    }
    case Kind::kEnumeration: {
      std::string symbols;
      for (const EnumEntry& entry : info.entries) {
        if (entry.symbol.empty()) continue;
        symbols.append(symbols.empty() ? "" : ", ").append(entry.symbol);
      }
      return symbols.empty() ? "an enumeration value (a number)"
                             : "one of " + symbols + " (or their numbers)";
    }
    case Kind::kDouble:
      return "a finite double";
    case Kind::kString:
      return "a string";
    case Kind::kLookupTable: {
      std::string what = "lookup-table entries: ";
      what +=
          info.elements > 0 ? "up to " + std::to_string(info.elements) + " integers" : "integers";
      what += " from " + (info.minimum ? numberText(*info.minimum) : std::string("0"));
      what += " to " + (info.maximum ? numberText(*info.maximum)
                                     : std::to_string(std::numeric_limits<std::uint32_t>::max()));
      return what + ", as an array or separated by commas";
    }
  }
  return "a value";
}

std::string shown(const Input& given) {
  switch (given.form) {
    case Input::Form::kText:
      return "'" + given.text + "'";
    case Input::Form::kString:
      return "\"" + given.text + "\"";
    case Input::Form::kInteger:
      return std::to_string(given.integer);
    case Input::Form::kDouble:
      return numberText(given.real);
    case Input::Form::kArray:
      return "an array";
    case Input::Form::kOther:
      break;
  }
  return "a value of another type";
}

[[noreturn]] void refuse(const ParameterHandle& handle, const ParameterInfo& info,
                         const std::string& given) {
  throw Error(ErrorCategory::kBadValue,
              info.name + " takes " + expected(handle, info) + ", not " + given);
}

// Decimal or "0x" hexadecimal, with a leading '-'; the whole text.
std::optional<std::int64_t> integerOfText(std::string_view text) {
  const bool negative = text.starts_with('-');
  std::string_view digits = negative ? text.substr(1) : text;
  int base = 10;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    base = 16;
    digits.remove_prefix(2);
  }
  // Read without a sign, so that a second one ("--5", "-0x-5") is refused.
  std::uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  if (!negative) {
    if (magnitude > static_cast<std::uint64_t>(kInt64Max)) return std::nullopt;
    return static_cast<std::int64_t>(magnitude);
  }
  if (magnitude > static_cast<std::uint64_t>(kInt64Max) + 1) return std::nullopt;
  return static_cast<std::int64_t>(0 - magnitude);
}

std::optional<double> doubleOfText(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// An integer of the input (text, JSON integer, or a JSON double without a fraction).
std::optional<std::int64_t> integerOf(const Input& given) {
  switch (given.form) {
    case Input::Form::kText:
      return integerOfText(trimmed(given.text));
    case Input::Form::kInteger:
      return given.integer;
    case Input::Form::kDouble:
      // 2^63 itself is the first double past the range.
      if (std::isfinite(given.real) && std::trunc(given.real) == given.real &&
          given.real >= -9223372036854775808.0 && given.real < 9223372036854775808.0) {
        return static_cast<std::int64_t>(given.real);
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::int64_t inRange(const ParameterHandle& handle, const ParameterInfo& info, std::int64_t value,
                     const std::string& given) {
  const Range range = typeRange(handle);
  if (value < range.least || value > range.most) refuse(handle, info, given);
  return value;
}

Value enumeration(const ParameterHandle& handle, const ParameterInfo& info, const Input& given) {
  if (given.form == Input::Form::kText || given.form == Input::Form::kString) {
    const std::string_view symbol = trimmed(given.text);
    for (const EnumEntry& entry : info.entries) {
      if (!entry.symbol.empty() && entry.symbol == symbol) return entry.value;
    }
    if (given.form == Input::Form::kString) refuse(handle, info, shown(given));
  }
  const auto number = integerOf(given);
  if (!number) refuse(handle, info, shown(given));
  return inRange(handle, info, *number, shown(given));
}

Value lookupTable(const ParameterHandle& handle, const ParameterInfo& info, const Input& given) {
  std::vector<Input> items;
  if (given.form == Input::Form::kArray) {
    items = given.elements;
  } else if (given.form == Input::Form::kText) {
    std::string_view rest = given.text;
    while (true) {
      const auto comma = rest.find(',');
      items.push_back(Input::fromText(std::string(rest.substr(0, comma))));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  } else {
    refuse(handle, info, shown(given));
  }
  if (items.empty() || (info.elements > 0 && items.size() > info.elements)) {
    refuse(handle, info, std::to_string(items.size()) + " entries");
  }
  std::vector<std::uint32_t> entries;
  entries.reserve(items.size());
  for (const Input& item : items) {
    const auto number = integerOf(item);
    if (!number || *number < 0 || *number > std::numeric_limits<std::uint32_t>::max()) {
      refuse(handle, info, "the entry " + shown(item));
    }
    entries.push_back(static_cast<std::uint32_t>(*number));
  }
  return entries;
}

}  // namespace

bool fitsType(const ParameterHandle& handle, std::int64_t value) {
  const Range range = typeRange(handle);
  return value >= range.least && value <= range.most;
}

Value parseValue(const ParameterHandle& handle, const ParameterInfo& info, const Input& given) {
  switch (handle.kind) {
    case Kind::kEnumeration:
      return enumeration(handle, info, given);
    case Kind::kInteger: {
      const auto number = integerOf(given);
      if (!number) refuse(handle, info, shown(given));
      return inRange(handle, info, *number, shown(given));
    }
    case Kind::kDouble: {
      std::optional<double> number;
      if (given.form == Input::Form::kText) number = doubleOfText(trimmed(given.text));
      if (given.form == Input::Form::kDouble) number = given.real;
      if (given.form == Input::Form::kInteger) number = static_cast<double>(given.integer);
      if (!number || !std::isfinite(*number)) refuse(handle, info, shown(given));
      return *number;
    }
    case Kind::kString:
      if (given.form != Input::Form::kText && given.form != Input::Form::kString) {
        refuse(handle, info, shown(given));
      }
      return given.text;
    case Kind::kLookupTable:
      return lookupTable(handle, info, given);
  }
  refuse(handle, info, shown(given));
}

Value checkValue(const ParameterHandle& handle, const ParameterInfo& info, const Value& value) {
  switch (handle.kind) {
    case Kind::kInteger:
    case Kind::kEnumeration:
      if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return inRange(handle, info, *integer, std::to_string(*integer));
      }
      if (const auto* real = std::get_if<double>(&value)) {
        return parseValue(handle, info, Input::fromDouble(*real));
      }
      break;
    case Kind::kDouble:
      if (const auto* real = std::get_if<double>(&value); real != nullptr && std::isfinite(*real)) {
        return *real;
      }
      if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return static_cast<double>(*integer);
      }
      break;
    case Kind::kString:
      if (std::holds_alternative<std::string>(value)) return value;
      break;
    case Kind::kLookupTable:
      if (const auto* entries = std::get_if<std::vector<std::uint32_t>>(&value)) {
        if (!entries->empty() && (info.elements == 0 || entries->size() <= info.elements)) {
          return value;
        }
        refuse(handle, info, std::to_string(entries->size()) + " entries");
      }
      break;
  }
  if (const auto* text = std::get_if<std::string>(&value))
    refuse(handle, info, "\"" + *text + "\"");
  if (const auto* real = std::get_if<double>(&value)) refuse(handle, info, numberText(*real));
  refuse(handle, info, "lookup-table entries");
}

}  // namespace brenvik::detail
