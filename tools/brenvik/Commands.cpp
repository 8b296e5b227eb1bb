// The table of subcommands and the applet opening that they share.
#include <ostream>
#include <utility>

#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

extern const Command kInfoCommand;
extern const Command kListCommand;
extern const Command kGetCommand;
extern const Command kSetCommand;
extern const Command kEventsCommand;
extern const Command kPlayCommand;
extern const Command kDescribeCommand;
extern const Command kXmlCommand;
extern const Command kDebugCommand;
extern const Command kLutCommand;
extern const Command kSimulatorCommand;
extern const Command kTriggerCommand;
extern const Command kSaveCommand;
extern const Command kLoadCommand;
extern const Command kDiffCommand;
extern const Command kServeCommand;
extern const Command kAcquireCommand;

const std::vector<Command>& commands() {
  static const std::vector<Command> kCommands{kInfoCommand,     kListCommand,   kGetCommand,
                                              kSetCommand,      kEventsCommand, kPlayCommand,
                                              kDescribeCommand, kXmlCommand,
                                              kLutCommand,      kSimulatorCommand, kTriggerCommand,
                                              kDebugCommand,    kSaveCommand,   kLoadCommand,
                                              kDiffCommand,     kAcquireCommand,
                                              kServeCommand};
  return kCommands;
}

const Command* findCommand(std::string_view name) {
  for (const auto& command : commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

std::unique_ptr<AppletHost> openApplet(Context& context, std::int32_t* creationCode) {
  if (context.prepared) {
    *creationCode = 0;
    return std::move(context.prepared);
  }
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
