// "brenvik set": sets parameters by name or id, each value read in the parameter's own type,
// in order, then optionally runs another command on the same applet.
#include <cstdint>
#include <iomanip>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tools/brenvik/Assignments.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"
#include "tools/brenvik/ValueText.h"

namespace brenvik::tool {

namespace {

// One NAME=VALUE as given, and what it becomes once the applet is there.
struct Assignment {
  std::string name;
  std::string text;
  ParameterHandle handle;
  std::string label;  // "FG_WIDTH (100)"
  Value value;
  std::string shown;  // the value as it is printed
};

int run(Context& context, const std::vector<std::string>& arguments) {
  const auto parsed = parseAssignments("set", arguments, context.err);
  if (!parsed) return kExitUsage;
  auto applet = openApplet(context);
  if (!applet) return kExitFailed;

  // Every name and value is understood before the first one is set.
  std::vector<Assignment> assignments;
  for (const auto& [name, text] : parsed->pairs) {
    Assignment& assignment = assignments.emplace_back();
    assignment.name = name;
    assignment.text = text;
    try {
      assignment.handle = applet->handle(name);
      const ParameterInfo info = applet->parameter(assignment.handle);
      assignment.label = info.name + " (" + std::to_string(info.id) + ")";
      assignment.value = applet->parse(assignment.handle, Input::fromText(text));
      assignment.shown = valueText(assignment.value, info.entries);
    } catch (const Error& error) {
      return report(context, "set", error);
    }
  }

  int status = kExitOk;
  for (const Assignment& assignment : assignments) {
    try {
      applet->set(assignment.handle, assignment.value);
    } catch (const Error& error) {
      context.err << "brenvik set: " << assignment.label << " = " << assignment.shown
                  << " refused: " << describeCode(error.code()) << "\n";
      status = kExitFailed;
      break;
    }
    context.out << assignment.label << " := " << assignment.shown << "\n";
  }
  return runThen(context, std::move(applet), {{}, parsed->then, parsed->thenArguments}, status);
}

}  // namespace

extern const Command kSetCommand{
    "set",
    "set parameters by name or id, in order, then optionally run a command",
    "usage: brenvik [options] set NAME=VALUE ... [then COMMAND [arguments]]\n"
    "\n"
    "Creates the applet (or takes the one that 'play ... then' prepared) and sets each\n"
    "parameter in the order given. NAME is a parameter name (FG_WIDTH) or an id. VALUE is\n"
    "read in the parameter's own kind: an integer (decimal, 0x hexadecimal, or negative for\n"
    "signed values), a double, a text, or lookup-table entries separated by commas.\n"
    "Enumeration values may be given by one of the parameter's own symbols (FG_GRAY16,\n"
    "FG_VANTAGEPOINT_TOP_RIGHT) as well as by number; a value of another kind is a usage\n"
    "error (exit status 2) that says what the parameter takes. Each value set prints as\n"
    "NAME (ID) := VALUE.\n"
    "\n"
    "A refused value prints the error code and its meaning; the values before it stay set,\n"
    "the ones after it are not tried, and the exit status is 1. With 'then' the command\n"
    "runs on the same applet afterwards (also after a refusal), so it shows what the\n"
    "applet kept:\n"
    "  brenvik set FG_WIDTH=512 FG_FORMAT=FG_GRAY16 then get FG_WIDTH FG_FORMAT\n",
    &run,
};

}  // namespace brenvik::tool
