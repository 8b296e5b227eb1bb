// Numbers typed on the command line: the whole text is the number, or it is refused.
#pragma once

#include <charconv>
#include <string_view>
#include <system_error>

namespace brenvik::tool {

enum class Radix { kDecimal, kDecimalOrHex };

// Reads `text` whole into `value`; with kDecimalOrHex a leading "0x" reads the rest as hex.
// False (and `value` unspecified) for an empty text, trailing characters or a number that
// does not fit.
template <typename Number>
bool parseWhole(std::string_view text, Number& value, Radix radix = Radix::kDecimal) {
  int base = 10;
  if (radix == Radix::kDecimalOrHex && text.starts_with("0x")) {
    text.remove_prefix(2);
    base = 16;
  }
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value, base);
  return !text.empty() && error == std::errc{} && end == last;
}

}  // namespace brenvik::tool
