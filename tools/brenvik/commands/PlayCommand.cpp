// "brenvik play": plays hardware values on the simulated board behind a freshly created
// applet, then shows them or runs another command on that same applet.
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tools/brenvik/Assignments.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

int run(Context& context, const std::vector<std::string>& arguments) {
  const auto parsed = parseAssignments("play", arguments, context.err);
  if (!parsed) return kExitUsage;
  auto applet = openApplet(context);
  if (!applet) return kExitFailed;
  Board board = applet->board();
  for (const auto& [name, value] : parsed->pairs) {
    try {
      board.play(name, value);
    } catch (const Error& error) {
      context.err << "brenvik play: " << name << " = " << value
                  << " refused: " << describeCode(error.code()) << "\n";
      return kExitFailed;
    }
  }
  if (parsed->then != nullptr) {
    return runThen(context, std::move(applet), {{}, parsed->then, parsed->thenArguments}, kExitOk);
  }
  for (const auto& [name, value] : parsed->pairs) {
    std::string now;
    try {
      now = board.value(name);
    } catch (const Error&) {  // a value that plays but does not read back shows empty
    }
    context.out << name << " = " << now << "\n";
  }
  return kExitOk;
}

}  // namespace

extern const Command kPlayCommand{
    "play",
    "play hardware values on the board, then show them or run a command",
    "usage: brenvik [options] play NAME=VALUE ... [then COMMAND [arguments]]\n"
    "\n"
    "Creates the applet, then sets each named value on the simulated board the way the\n"
    "hardware would change it: a hardware parameter (Device1_Process0_BoardStatus_\n"
    "FpgaTemperature=71.5, Device1_Process0_Overflow_OverflowOccurred=1), a register\n"
    "(register:NAME=VALUE), one of the runtime's own parameters (FG_CAMSTATUS_EXTENDED=3) or\n"
    "one of the board's settings (simboard:camera_input=a.pgm,b.png, simboard:paced=0).\n"
    "Without 'then' it prints the values as the board now holds them. With 'then' it runs\n"
    "the command on the same applet, so computed parameters show the played values:\n"
    "  brenvik play Device1_Process0_Overflow_OverflowOccurred=1 then get FG_FILLLEVEL\n",
    &run,
};

}  // namespace brenvik::tool
