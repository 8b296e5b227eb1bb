// "brenvik serve": keeps one applet alive on one simulated board and serves the web front
// end and its JSON API on the loopback address (another only when --listen names it).
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tools/brenvik/Command.h"

#ifdef BRENVIK_HAVE_SERVE
#include "tools/brenvik/ErrorText.h"
#include "tools/brenvik/serve/AppletSession.h"
#include "tools/brenvik/serve/HttpServer.h"
#include "tools/brenvik/NumberText.h"
#endif

namespace brenvik::tool {

namespace {

constexpr int kDefaultPort = 8080;

int run(Context& context, const std::vector<std::string>& arguments) {
  int port = kDefaultPort;
  std::string address = "127.0.0.1";
  std::vector<std::string> inputs;  // camera images for the camera port
  [[maybe_unused]] bool noCamera = false;  // read only where the front end is built
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (option == "--port" && hasValue && parseWhole(arguments[i + 1], port) && port >= 0 &&
        port <= 65535) {
      ++i;
    } else if (option == "--board" && hasValue &&
               parseWhole(arguments[i + 1], context.options.board)) {
      ++i;
    } else if (option == "--listen" && hasValue && !arguments[i + 1].empty()) {
      address = arguments[++i];
    } else if (option == "--input" && hasValue && !arguments[i + 1].empty()) {
      inputs.push_back(arguments[++i]);
    } else if (option == "--no-camera") {
      noCamera = true;
    } else {
      context.err << "brenvik serve: unexpected argument '" << option
                  << "' (see brenvik serve --help)\n";
      return kExitUsage;
    }
  }
#ifdef BRENVIK_HAVE_SERVE
  auto applet = openApplet(context);
  if (!applet) return kExitFailed;
  try {
    if (noCamera) applet->board().setSceneCamera(false);
    if (!inputs.empty()) applet->board().setCameraFiles(inputs);
  } catch (const Error& error) {
    context.err << "brenvik serve: cannot use the input images: " << describeCode(error.code())
                << "\n";
    return kExitFailed;
  }
  serve::AppletSession session(std::move(applet));
  serve::HttpServer server(session);
  const int bound = server.bind(address, port);
  if (bound < 0) {
    context.err << "brenvik serve: cannot listen on " << address << " port " << port << "\n";
    return kExitFailed;
  }
  context.out << "serving Brenvik on simulated board " << context.options.board << " at http://"
              << address << ":" << bound << "/" << std::endl;
  return server.serve() ? kExitOk : kExitFailed;
#else
  context.err << "brenvik serve: this build has no web front end (it needs Debian's "
                 "libcpp-httplib-dev and nlohmann-json3-dev)\n";
  return kExitFailed;
#endif
}

}  // namespace

extern const Command kServeCommand{
    "serve",
    "serve a web front end and a JSON API on one applet on the simulated board",
    "usage: brenvik [options] serve [--port N] [--board N] [--listen ADDR] [--input FILE ...]\n"
    "                               [--no-camera]\n"
    "\n"
    "Creates the applet on simulated board N (default 0) and serves, until stopped, a page\n"
    "with the parameter tree and its live values (edits go through the applet's set path),\n"
    "the latest frame, the lookup-table curve, the trigger, and configuration files, on\n"
    "http://127.0.0.1:PORT/ (default port 8080; 0 picks a free one, which is printed).\n"
    "--listen serves on another address; requests naming any other host are refused.\n"
    "--input gives the camera port a camera that sends these images (PGM or PNG) in turn;\n"
    "--no-camera leaves the camera port empty; the preview then needs the camera simulator\n"
    "(FG_CAMERASIMULATOR_ENABLE).\n"
    "The JSON API is described in the README.\n",
    &run,
};

}  // namespace brenvik::tool
