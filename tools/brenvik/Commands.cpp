// The table of subcommands and the applet opening that they share.
#include <ostream>

#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

extern const Command kInfoCommand;

const std::vector<Command>& commands() {
  static const std::vector<Command> kCommands{kInfoCommand};
  return kCommands;
}

const Command* findCommand(std::string_view name) {
  for (const auto& command : commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

std::unique_ptr<AppletHost> openApplet(Context& context, std::int32_t* creationCode) {
  std::string error;
  auto host = AppletHost::load(context.options.modulePath, &error);
  if (!host) {
    context.err << "brenvik: cannot load the applet module " << context.options.modulePath
                << ": " << error << "\n";
    return nullptr;
  }
  *creationCode = host->create(context.options.board, context.options.flags);
  if (*creationCode != 0 || !host->created()) {
    context.err << "brenvik: creating the applet on board " << context.options.board
                << " failed: " << describeCode(*creationCode) << "\n";
  }
  return host;
}

}  // namespace brenvik::tool
