// Parsing NAME=VALUE lists with an optional "then COMMAND ...".
#include "tools/brenvik/Assignments.h"

#include <ostream>

namespace brenvik::tool {

namespace {
constexpr std::string_view kThen = "then";
}  // namespace

std::optional<ThenClause> splitThen(std::string_view command,
                                    const std::vector<std::string>& arguments, std::ostream& err) {
  ThenClause clause;
  std::size_t next = 0;
  for (; next < arguments.size() && arguments[next] != kThen; ++next) {
    clause.own.push_back(arguments[next]);
  }
  if (next < arguments.size()) {
    // "play" creates the applet itself, so it cannot follow another command.
    if (next + 1 == arguments.size() ||
        (clause.then = findCommand(arguments[next + 1])) == nullptr ||
        clause.then->name == "play") {
      err << "brenvik " << command << ": 'then' needs another command (see brenvik --help)\n";
      return std::nullopt;
    }
    clause.thenArguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(next + 2),
                                arguments.end());
  }
  return clause;
}

int runThen(Context& context, std::unique_ptr<Applet> host, const ThenClause& clause, int status) {
  if (clause.then == nullptr) return status;
  context.prepared = std::move(host);
  const int thenStatus = clause.then->run(context, clause.thenArguments);
  return status != kExitOk ? status : thenStatus;
}

std::optional<Assignments> parseAssignments(std::string_view command,
                                            const std::vector<std::string>& arguments,
                                            std::ostream& err) {
  auto clause = splitThen(command, arguments, err);
  if (!clause) return std::nullopt;
  Assignments result;
  for (const std::string& argument : clause->own) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) {
      err << "brenvik " << command << ": expected NAME=VALUE, not '" << argument << "'\n";
      return std::nullopt;
    }
    result.pairs.emplace_back(argument.substr(0, equals), argument.substr(equals + 1));
  }
  if (result.pairs.empty()) {
    err << "brenvik " << command << ": name at least one NAME=VALUE (see brenvik " << command
        << " --help)\n";
    return std::nullopt;
  }
  result.then = clause->then;
  result.thenArguments = std::move(clause->thenArguments);
  return result;
}

}  // namespace brenvik::tool
