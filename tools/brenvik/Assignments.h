// The NAME=VALUE arguments of "play" and "set", and the "then COMMAND ..." that may follow.
#pragma once

#include <charconv>
#include <iosfwd>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

#include "tools/brenvik/Command.h"

namespace brenvik::tool {

struct Assignments {
  std::vector<std::pair<std::string, std::string>> pairs;  // name, value text, in order
  const Command* then = nullptr;                            // the command after "then", if any
  std::vector<std::string> thenArguments;
};

// A "then COMMAND [arguments]" clause after a command's own arguments.
struct ThenClause {
  std::vector<std::string> own;      // the arguments before "then"
  const Command* then = nullptr;     // the command after "then", if any
  std::vector<std::string> thenArguments;
};

// Splits the arguments at the first "then"; a "then" without a known command after it (or
// with "play", which creates its own applet) is a usage error, printed to `err`.
std::optional<ThenClause> splitThen(std::string_view command,
                                    const std::vector<std::string>& arguments, std::ostream& err);

// Hands the applet to the "then" command and runs it; `status` is the first command's exit
// status, which wins when it is a failure.
int runThen(Context& context, std::unique_ptr<AppletHost> host, const ThenClause& clause,
            int status);

// Parses "NAME=VALUE ... [then COMMAND [arguments]]"; a usage error is printed to `err`,
// prefixed with "brenvik <command>:", and gives no result.
std::optional<Assignments> parseAssignments(std::string_view command,
                                            const std::vector<std::string>& arguments,
                                            std::ostream& err);

// A value text as a number of the given type: decimal or "0x" hexadecimal, negative (a
// leading '-') only for signed types; nothing may stand before or after it.
template <typename Number>
std::optional<Number> parseNumber(std::string_view text) {
  const bool negative = text.starts_with('-');
  std::string_view digits = negative ? text.substr(1) : text;
  int base = 10;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    base = 16;
    digits.remove_prefix(2);
  }
  // The digits are read without a sign, so that a second one ("--5", "-0x-5") is refused and
  // the lowest signed value is reached.
  using Magnitude = std::make_unsigned_t<Number>;
  Magnitude magnitude{};
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (error != std::errc{} || end != digits.data() + digits.size() || digits.empty()) {
    return std::nullopt;
  }
  constexpr auto kHighest = static_cast<Magnitude>(std::numeric_limits<Number>::max());
  if (!negative) {
    if (magnitude > kHighest) return std::nullopt;
    return static_cast<Number>(magnitude);
  }
  if constexpr (std::is_signed_v<Number>) {
    if (magnitude > kHighest + 1u) return std::nullopt;
    return static_cast<Number>(Magnitude{0} - magnitude);
  }
  return std::nullopt;
}

// A value text as a double, in the decimal notation of from_chars; the whole text.
std::optional<double> parseDouble(std::string_view text);

}  // namespace brenvik::tool
