// "brenvik events": lists the applet's events by mask bit, or looks up event names.
#include <iomanip>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "applet/EventTables.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

std::string hexMask(std::uint64_t mask) {
  std::ostringstream text;
  text << "0x" << std::hex << std::setw(16) << std::setfill('0') << mask;
  return text.str();
}

int run(Context& context, const std::vector<std::string>& arguments) {
  const auto applet = openApplet(context);
  if (!applet) return kExitFailed;

  if (!arguments.empty()) {
    int status = kExitOk;
    for (const std::string& name : arguments) {
      context.out << name << " = ";
      try {
        context.out << hexMask(applet->eventMask(name)) << "\n";
      } catch (const Error& error) {
        context.out << "error " << describeCode(error.code()) << "\n";
        status = kExitFailed;
      }
    }
    return status;
  }

  context.out << "events by mask bit (bit, mask, name):\n";
  for (std::uint32_t bit = 0; bit < kEventLimit; ++bit) {
    const std::uint64_t mask = std::uint64_t{1} << bit;
    const std::optional<std::string> name = applet->eventName(mask);
    if (!name) continue;
    context.out << std::setw(4) << bit << "  " << hexMask(mask) << "  " << *name << "\n";
  }
  context.out << "SDK event names (name, mask):\n";
  for (const EventAlias& alias : kEventAliases) {
    std::string mask = "not in this hardware applet";
    try {
      mask = hexMask(applet->eventMask(alias.sdkName));
    } catch (const Error&) {  // the hardware applet lacks the event
    }
    context.out << "  " << std::left << std::setw(48) << alias.sdkName << std::right << mask
                << "\n";
  }
  return kExitOk;
}

}  // namespace

extern const Command kEventsCommand{
    "events",
    "list the events with their masks, or look up event names",
    "usage: brenvik [options] events [NAME ...]\n"
    "\n"
    "Creates the applet. Without names, lists every event mask bit that has a name (an SDK\n"
    "event name where there is one, else the hardware applet's own name), then the mask of\n"
    "each SDK event name. With names, prints the mask of each name, or the error when the\n"
    "applet does not know it (exit status 1).\n",
    &run,
};

}  // namespace brenvik::tool
