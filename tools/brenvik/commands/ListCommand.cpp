// "brenvik list": lists every parameter of the applet with ordinal, name, id and description.
#include <iomanip>
#include <ostream>
#include <string>
#include <vector>

#include "tools/brenvik/Command.h"

namespace brenvik::tool {

namespace {

int run(Context& context, const std::vector<std::string>& arguments) {
  if (!arguments.empty()) {
    context.err << "brenvik list: unexpected argument '" << arguments.front() << "'\n";
    return kExitUsage;
  }
  const auto applet = openApplet(context);
  if (!applet) return kExitFailed;
  const std::vector<ParameterInfo> parameters = applet->parameters();
  context.out << parameters.size() << " parameters (ordinal, name, id, description)\n";
  int ordinal = 0;
  for (const ParameterInfo& info : parameters) {
    context.out << std::right << std::setw(4) << ordinal++ << "  " << std::left << std::setw(48)
                << info.name << ' ' << std::right << std::setw(8)
                << (info.listedId ? std::to_string(info.id) : std::string("-")) << "  "
                << (info.sdkText.empty() ? std::string("-") : info.sdkText) << "\n";
  }
  return kExitOk;
}

}  // namespace

extern const Command kListCommand{
    "list",
    "list every parameter: ordinal, name, id and description",
    "usage: brenvik [options] list\n"
    "\n"
    "Creates the applet and lists its parameters in ordinal order: the 154 SDK parameters,\n"
    "then the DRA_ register entries (with VURN_ENABLE_DRA) and the DTOLQA_ entries that\n"
    "VURN_ENABLE_DTOLQA or inspect.conf beside the module switch on. DTOLQA_ entries have\n"
    "no SDK id (shown as -); entries without a description show -.\n",
    &run,
};

}  // namespace brenvik::tool
