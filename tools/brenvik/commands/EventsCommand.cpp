// "brenvik events": lists the applet's events by mask bit, or looks up event names.
#include <iomanip>
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
  std::int32_t creation = 0;
  const auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  AppletHandle* handle = host->handle();
  const auto maskOf = host->function<decltype(&Fg_getEventMask)>("Fg_getEventMask");
  const auto nameOf = host->function<decltype(&Fg_getEventName)>("Fg_getEventName");
  const auto lastError = host->function<decltype(&Fg_getLastErrorNumber)>("Fg_getLastErrorNumber");

  if (!arguments.empty()) {
    int status = kExitOk;
    for (const std::string& name : arguments) {
      const std::uint64_t mask = maskOf(handle, name.c_str());
      context.out << name << " = ";
      if (mask == 0) {
        context.out << "error " << describeCode(lastError(handle)) << "\n";
        status = kExitFailed;
      } else {
        context.out << hexMask(mask) << "\n";
      }
    }
    return status;
  }

  context.out << "events by mask bit (bit, mask, name):\n";
  for (std::uint32_t bit = 0; bit < kEventLimit; ++bit) {
    const std::uint64_t mask = std::uint64_t{1} << bit;
    const char* name = nameOf(handle, mask);
    if (name == nullptr) continue;
    context.out << std::setw(4) << bit << "  " << hexMask(mask) << "  " << name << "\n";
  }
  context.out << "SDK event names (name, mask):\n";
  for (const EventAlias& alias : kEventAliases) {
    const std::string name(alias.sdkName);
    const std::uint64_t mask = maskOf(handle, name.c_str());
    context.out << "  " << std::left << std::setw(48) << name << std::right
                << (mask == 0 ? std::string("not in this hardware applet") : hexMask(mask)) << "\n";
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
