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
  const Command* then = nullptr;                            // the command after "then", if any
  std::vector<std::string> thenArguments;
};

// Parses "NAME=VALUE ... [then COMMAND [arguments]]"; a usage error is printed to `err`,
// prefixed with "brenvik <command>:", and gives no result.
std::optional<Assignments> parseAssignments(std::string_view command,
                                            const std::vector<std::string>& arguments,
                                            std::ostream& err);

}  // namespace brenvik::tool
