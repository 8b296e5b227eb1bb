// Logger thresholds of the dispatcher: the BRENVIK_LOG rule list and its parser.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace brenvik::dispatcher {

// Threshold given to a name without a rule when the list has no "*" rule.
inline constexpr std::uint32_t kUnconfiguredThreshold = 7;

struct DispatcherRules {
  std::map<std::string, std::uint32_t, std::less<>> byName;
  std::uint32_t fallback = kUnconfiguredThreshold;

  std::uint32_t thresholdFor(std::string_view name) const;
};

// Parses "name=level,name=level,*=level". Blanks around names and levels are ignored, a later
// rule for the same name wins, and malformed items (no "=", empty name, a level that is not
// a decimal number below 2^32) are skipped.
DispatcherRules parseRules(std::string_view text);

}  // namespace brenvik::dispatcher
