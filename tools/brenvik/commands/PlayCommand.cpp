// "brenvik play": plays hardware values on the simulated board behind a freshly created
// applet, then shows them or runs another command on that same applet.
#include <array>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "simboard/control.h"
#include "tools/brenvik/Assignments.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

constexpr std::size_t kValueTextSize = 4096;

int run(Context& context, const std::vector<std::string>& arguments) {
  const auto parsed = parseAssignments("play", arguments, context.err);
  if (!parsed) return kExitUsage;
  const auto& plays = parsed->pairs;

  std::int32_t creation = 0;
  auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  const std::uint64_t board = context.options.board;
  for (const auto& [name, value] : plays) {
    const std::int32_t result = simboard_set(board, name.c_str(), value.c_str());
    if (result != SIMBOARD_OK) {
      context.err << "brenvik play: " << name << " = " << value
                  << " refused: " << describeCode(result) << "\n";
      return kExitFailed;
    }
  }
  if (parsed->then != nullptr) {
    context.prepared = std::move(host);
    return parsed->then->run(context, parsed->thenArguments);
  }
  std::array<char, kValueTextSize> text{};
  for (const auto& [name, value] : plays) {
    simboard_get(board, name.c_str(), text.data(), text.size());
    context.out << name << " = " << text.data() << "\n";
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
