// Parsing of the BRENVIK_LOG rule list into per-name thresholds.
#include "DispatcherRules.h"

#include <optional>

namespace brenvik::dispatcher {

namespace {

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::uint32_t> parseLevel(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > UINT32_MAX) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::uint32_t DispatcherRules::thresholdFor(std::string_view name) const {
  const auto found = byName.find(name);
  return found != byName.end() ? found->second : fallback;
}

DispatcherRules parseRules(std::string_view text) {
  DispatcherRules rules;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);

    const std::size_t equals = item.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = trimmed(item.substr(0, equals));
    const std::optional<std::uint32_t> level = parseLevel(trimmed(item.substr(equals + 1)));
    if (name.empty() || !level) continue;
    if (name == "*") {
      rules.fallback = *level;
    } else {
      rules.byName.insert_or_assign(std::string(name), *level);
    }
  }
  return rules;
}

}  // namespace brenvik::dispatcher
