// "brenvik gev": serves the applet on one simulated board as a GigE Vision device on the
// loopback address (another only when --listen names it), until interrupted.
#include <atomic>
#include <csignal>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"
#include "tools/brenvik/NumberText.h"
#include "tools/gev/Bridge.h"

namespace brenvik::tool {

namespace {

std::atomic<bool> interrupted{false};
extern "C" void onSignal(int) { interrupted = true; }

int run(Context& context, const std::vector<std::string>& arguments) {
  std::string address = "127.0.0.1";
  std::vector<std::string> inputs;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    const bool hasValue = i + 1 < arguments.size() && !arguments[i + 1].empty();
    const std::string* value = hasValue ? &arguments[i + 1] : nullptr;
    if (option == "--listen" && value != nullptr) {
      address = arguments[++i];
    } else if (option == "--board" && value != nullptr &&
               parseWhole(*value, context.options.board)) {
      ++i;
    } else if (option == "--input" && value != nullptr) {
      inputs.push_back(arguments[++i]);
    } else {
      context.err << "brenvik gev: unexpected argument '" << option
                  << "' (see brenvik gev --help)\n";
      return kExitUsage;
    }
  }
  const auto listen = gev::net::parseAddress(address);
  if (!listen) {
    context.err << "brenvik gev: --listen takes an IPv4 address, not '" << address << "'\n";
    return kExitUsage;
  }
  auto applet = openApplet(context);
  if (!applet) return kExitFailed;
  try {
    if (!inputs.empty()) applet->board().setCameraFiles(inputs);
  } catch (const Error& error) {
    context.err << "brenvik gev: cannot use the input images: " << describeCode(error.code())
                << "\n";
    return kExitFailed;
  }
  try {
    gev::Bridge bridge(*applet, {*listen, gev::kGvcpPort});
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    context.out << "serving Brenvik on simulated board " << context.options.board
                << " as a GigE Vision device at " << address << " (control port "
                << gev::kGvcpPort << ")" << std::endl;
    bridge.serve(interrupted);
  } catch (const std::exception& failure) {
    context.err << "brenvik gev: " << failure.what() << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

extern const Command kGevCommand{
    "gev",
    "serve the applet as a GigE Vision device for GenICam clients",
    "usage: brenvik [options] gev [--listen ADDR] [--board N] [--input FILE ...]\n"
    "\n"
    "Creates the applet on simulated board N (default 0) and serves it, until interrupted, as\n"
    "a GigE Vision device on 127.0.0.1 (UDP port 3956), or on the IPv4 address ADDR. Any\n"
    "GenICam client then reads the device's description, sets the standard features (Width,\n"
    "Height, PixelFormat, TriggerMode, AcquisitionFrameRate, ...) and every FG_ parameter\n"
    "through the applet's own set path, and receives the board's frames, e.g.\n"
    "  arv-tool-0.8 -a 127.0.0.1 control Width=512 Width\n"
    "--input gives the camera port a camera that sends these images (PGM or PNG) in turn.\n",
    &run,
};

}  // namespace brenvik::tool
