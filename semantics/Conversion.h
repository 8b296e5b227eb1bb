// Conversions of computed doubles to the integers that registers and tables hold. Casting a
// double that is not finite, or whose integer part lies outside the target type, is undefined,
// so every such conversion of the set path goes through here and states what an unfitting
// value becomes.
#pragma once

#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>

namespace brenvik::semantics::conversion {

// The value truncated toward zero, when it is finite and its integer part fits T; no value
// otherwise.
template <std::integral T>
constexpr std::optional<T> truncated(double value) {
  using Limits = std::numeric_limits<T>;
  constexpr double kLowest = static_cast<double>(Limits::min());  // 0 or -2^(digits): exact
  constexpr double kPastHighest = 2.0 * static_cast<double>(Limits::max() / 2 + 1);  // 2^digits
  // Below kLowest, values down to kLowest - 1 still truncate to kLowest; for 64 bits that
  // band holds no double but kLowest itself.
  constexpr bool kBandExact = Limits::digits < std::numeric_limits<double>::digits;
  const bool aboveLowest = kBandExact ? value > kLowest - 1.0 : value >= kLowest;
  if (!(aboveLowest && value < kPastHighest)) return std::nullopt;  // NaN fails both
  return static_cast<T>(value);
}

// The value truncated toward zero and held within T: below T's range (and NaN) at its lowest,
// above it at its highest.
template <std::integral T>
constexpr T held(double value) {
  if (const std::optional<T> fitting = truncated<T>(value)) return *fitting;
  return value > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
}

// The value rounded half up (add 0.5, truncate) and held within T.
template <std::integral T>
constexpr T roundedHalfUp(double value) {
  return held<T>(value + 0.5);
}

}  // namespace brenvik::semantics::conversion
