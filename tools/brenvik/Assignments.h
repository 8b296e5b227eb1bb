// The NAME=VALUE arguments of "play" and "set", and the "then COMMAND ..." that may follow.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/brenvik/Command.h"

namespace brenvik::tool {

struct Assignments {
  std::vector<std::pair<std::string, std::string>> pairs;  // name, value text, in order
  const Command* then = nullptr;                           // the command after "then", if any
  std::vector<std::string> thenArguments;
};

// A "then COMMAND [arguments]" clause after a command's own arguments.
struct ThenClause {
  std::vector<std::string> own;   // the arguments before "then"
  const Command* then = nullptr;  // the command after "then", if any
  std::vector<std::string> thenArguments;
};

// Splits the arguments at the first "then"; a "then" without a known command after it (or
// with "play", which creates its own applet) is a usage error, printed to `err`.
std::optional<ThenClause> splitThen(std::string_view command,
                                    const std::vector<std::string>& arguments, std::ostream& err);

// Hands the applet to the "then" command and runs it; `status` is the first command's exit
// status, which wins when it is a failure.
int runThen(Context& context, std::unique_ptr<Applet> host, const ThenClause& clause, int status);

// Parses "NAME=VALUE ... [then COMMAND [arguments]]"; a usage error is printed to `err`,
// prefixed with "brenvik <command>:", and gives no result.
std::optional<Assignments> parseAssignments(std::string_view command,
                                            const std::vector<std::string>& arguments,
                                            std::ostream& err);

}  // namespace brenvik::tool
