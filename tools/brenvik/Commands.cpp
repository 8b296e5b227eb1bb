// The table of subcommands and the applet opening that they share.
#include <ostream>
#include <utility>

#include "tools/brenvik/Command.h"

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
extern const Command kGevCommand;

const std::vector<Command>& commands() {
  static const std::vector<Command> kCommands{
      kInfoCommand,    kListCommand,     kGetCommand,  kSetCommand,  kEventsCommand,
      kPlayCommand,    kDescribeCommand, kXmlCommand,  kLutCommand,  kSimulatorCommand,
      kTriggerCommand, kDebugCommand,    kSaveCommand, kLoadCommand, kDiffCommand,
      kAcquireCommand, kServeCommand, kGevCommand};
  return kCommands;
}

const Command* findCommand(std::string_view name) {
  for (const auto& command : commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

std::shared_ptr<Module> openModule(Context& context) {
  try {
    return Module::load(context.options.modulePath);
  } catch (const Error& error) {
    context.err << "brenvik: " << error.what() << "\n";
    return nullptr;
  }
}

std::unique_ptr<Applet> openApplet(Context& context) {
  if (context.prepared) return std::move(context.prepared);
  const std::shared_ptr<Module> module = openModule(context);
  if (!module) return nullptr;
  try {
    return std::make_unique<Applet>(module, context.options.board, context.options.flags);
  } catch (const Error& error) {
    context.err << "brenvik: " << error.what() << "\n";
    return nullptr;
  }
}

int report(Context& context, std::string_view command, const Error& error) {
  context.err << "brenvik " << command << ": " << error.what() << "\n";
  return error.category() == ErrorCategory::kBadValue ? kExitUsage : kExitFailed;
}

}  // namespace brenvik::tool
