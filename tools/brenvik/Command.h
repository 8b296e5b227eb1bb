// A subcommand of the brenvik tool and what every subcommand is given.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tools/brenvik/AppletHost.h"

namespace brenvik::tool {

// Options shared by all subcommands.
struct Options {
  std::string modulePath;      // the applet module to load
  std::uint64_t board = 0;     // board handle of the simulated board
  std::uint32_t flags = 0;     // creation flags (bit 0: do not write the defaults)
};

struct Context {
  Options options;
  std::ostream& out;
  std::ostream& err;
  // An applet already created on the board (by "play ... then"); openApplet hands it over.
  std::unique_ptr<AppletHost> prepared = nullptr;
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

// Loads the module and creates the applet; on failure prints why (code and meaning) to
// context.err. Returns the host even when creation failed (Info still answers), null when
// the module did not load. A prepared applet is handed over instead.
std::unique_ptr<AppletHost> openApplet(Context& context, std::int32_t* creationCode);

// The table of subcommands, in the order of the command list.
const std::vector<Command>& commands();
const Command* findCommand(std::string_view name);

}  // namespace brenvik::tool
