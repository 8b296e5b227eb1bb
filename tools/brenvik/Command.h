// A subcommand of the brenvik tool and what every subcommand is given.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "brenvik/Applet.h"

namespace brenvik::tool {

// Options shared by all subcommands.
struct Options {
  std::string modulePath;   // the applet module to load (empty: the installed one)
  std::uint64_t board = 0;  // board handle of the simulated board
  std::uint32_t flags = 0;  // creation flags (bit 0: do not write the defaults)
};

struct Context {
  Options options;
  std::ostream& out;
  std::ostream& err;
  // An applet already created on the board (by "play ... then"); openApplet hands it over.
  std::unique_ptr<Applet> prepared = nullptr;
};

struct Command {
  std::string_view name;
  std::string_view summary;  // one line for the command list
  std::string_view help;     // the full help text, usage first
  int (*run)(Context& context, const std::vector<std::string>& arguments);
};

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The applet module of the options; null, with the reason printed, when it does not load.
std::shared_ptr<Module> openModule(Context& context);

// Loads the module and creates the applet; null, with the reason (code and meaning) printed
// to context.err, when either fails. A prepared applet is handed over instead.
std::unique_ptr<Applet> openApplet(Context& context);

// Prints a library error as "brenvik COMMAND: what" and gives the exit status it stands for:
// usage for values of the wrong kind, failure otherwise.
int report(Context& context, std::string_view command, const Error& error);

// The table of subcommands, in the order of the command list.
const std::vector<Command>& commands();
const Command* findCommand(std::string_view name);

}  // namespace brenvik::tool
