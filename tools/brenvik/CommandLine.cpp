// The tool's command line: [--applet PATH] [--board N] [--flags N] [command [arguments]].
#include "tools/brenvik/CommandLine.h"

#include <iomanip>
#include <ostream>

#include "tools/brenvik/Command.h"
#include "tools/brenvik/NumberText.h"

namespace brenvik::tool {

namespace {

constexpr std::string_view kDefaultCommand = "info";

void printUsage(std::ostream& out) {
  out << "usage: brenvik [--applet PATH] [--board N] [--flags N] [command [arguments]]\n"
         "\n"
         "Runs the Brenvik acquisition applet on the simulated board.\n"
         "\n"
         "options:\n"
         "  --applet PATH  the applet module to load (default: the one installed with the "
         "tool)\n"
         "  --board N      board handle of the simulated board (default 0)\n"
         "  --flags N      creation flags; bit 0 skips writing the parameter defaults\n"
         "  --help         this text; 'brenvik COMMAND --help' explains a command\n"
         "\n"
         "commands (default: "
      << kDefaultCommand << "):\n";
  for (const auto& command : commands()) {
    out << "  " << std::left << std::setw(12) << command.name << command.summary << "\n";
  }
}

}  // namespace

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
  Context context{{defaultAppletPath(), 0, 0}, out, err};
  std::size_t next = 0;
  for (; next < arguments.size(); ++next) {
    const std::string& argument = arguments[next];
    if (argument == "--help" || argument == "-h") {
      printUsage(out);
      return kExitOk;
    }
    const bool takesValue =
        argument == "--applet" || argument == "--board" || argument == "--flags";
    if (!takesValue) break;
    if (next + 1 == arguments.size()) {
      err << "brenvik: " << argument << " needs a value\n";
      return kExitUsage;
    }
    const std::string& value = arguments[++next];
    bool valid = true;
    if (argument == "--applet") context.options.modulePath = value;
    if (argument == "--board") valid = parseWhole(value, context.options.board, Radix::kDecimalOrHex);
    if (argument == "--flags") valid = parseWhole(value, context.options.flags, Radix::kDecimalOrHex);
    if (!valid) {
      err << "brenvik: " << argument << " takes a number, not '" << value << "'\n";
      return kExitUsage;
    }
  }
  if (next < arguments.size() && arguments[next].rfind("--", 0) == 0) {
    err << "brenvik: unknown option " << arguments[next] << " (see brenvik --help)\n";
    return kExitUsage;
  }
  const std::string name =
      next < arguments.size() ? arguments[next++] : std::string(kDefaultCommand);
  const Command* command = findCommand(name);
  if (command == nullptr) {
    err << "brenvik: unknown command '" << name << "' (see brenvik --help)\n";
    return kExitUsage;
  }
  const std::vector<std::string> rest(arguments.begin() + static_cast<std::ptrdiff_t>(next),
                                      arguments.end());
  for (const auto& argument : rest) {
    if (argument == "--help" || argument == "-h") {
      out << command->help;
      return kExitOk;
    }
  }
  return command->run(context, rest);
}

}  // namespace brenvik::tool
