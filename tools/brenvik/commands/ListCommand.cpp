// "brenvik list": lists every parameter of the applet with ordinal, name, id and description.
#include <cstring>
#include <iomanip>
#include <ostream>
#include <string>
#include <vector>

#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

constexpr std::size_t kDescriptionSize = 4096;

int run(Context& context, const std::vector<std::string>& arguments) {
  if (!arguments.empty()) {
    context.err << "brenvik list: unexpected argument '" << arguments.front() << "'\n";
    return kExitUsage;
  }
  std::int32_t creation = 0;
  const auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  AppletHandle* handle = host->handle();
  const auto count = host->function<decltype(&Fg_getNrOfParameter)>("Fg_getNrOfParameter");
  const auto nameOf = host->function<decltype(&Fg_getParameterName)>("Fg_getParameterName");
  const auto idOf = host->function<decltype(&Fg_getParameterId)>("Fg_getParameterId");
  const auto get = host->function<decltype(&Fg_getParameterWithType)>("Fg_getParameterWithType");

  const int parameters = count(handle);
  context.out << parameters << " parameters (ordinal, name, id, description)\n";
  // The description query takes the name in the buffer and answers in the same buffer.
  std::vector<char> description(kDescriptionSize);
  for (int ordinal = 0; ordinal < parameters; ++ordinal) {
    const char* name = nameOf(handle, ordinal);
    if (name == nullptr) continue;
    const int id = idOf(handle, ordinal);
    std::strncpy(description.data(), name, description.size() - 1);
    if (get(handle, parameters::kParameterDescriptionQuery, description.data(), 0,
            runtime::kTypeString) != 0) {
      std::strcpy(description.data(), "-");
    }
    context.out << std::right << std::setw(4) << ordinal << "  " << std::left << std::setw(48)
                << name << ' ' << std::right << std::setw(8)
                << (id < 0 ? std::string("-") : std::to_string(id)) << "  " << description.data()
                << "\n";
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
