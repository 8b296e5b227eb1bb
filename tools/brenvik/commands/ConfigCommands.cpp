// "brenvik save", "brenvik load" and "brenvik diff": configuration files (.mcf) through the
// applet's exports, and a comparison of two files key by key.
#include <array>
#include <charconv>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "persistence/ConfigFileParser.h"
#include "persistence/ConfigurationKeys.h"
#include "runtime/ResultCodes.h"
#include "tools/brenvik/Assignments.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

enum class Transfer { kSave, kLoad };

// "save FILE" and "load FILE", each with an optional "then COMMAND ...".
int runFileCommand(Context& context, const std::vector<std::string>& arguments,
                   std::string_view command, Transfer transfer, const char* done) {
  const auto clause = splitThen(command, arguments, context.err);
  if (!clause) return kExitUsage;
  if (clause->own.size() != 1 || clause->own[0].empty()) {
    context.err << "brenvik " << command << ": name one FILE.mcf (see brenvik " << command
                << " --help)\n";
    return kExitUsage;
  }
  const std::string& file = clause->own[0];
  auto applet = openApplet(context);
  if (!applet) return kExitFailed;
  int status = kExitOk;
  try {
    if (transfer == Transfer::kSave) {
      applet->saveConfig(file);
    } else {
      applet->loadConfig(file);
    }
    context.out << done << " " << file << "\n";
  } catch (const Error& error) {
    context.err << "brenvik " << command << ": " << file << ": " << describeCode(error.code())
                << "\n";
    status = kExitFailed;
  }
  return runThen(context, std::move(applet), *clause, status);
}

int runSave(Context& context, const std::vector<std::string>& arguments) {
  return runFileCommand(context, arguments, "save", Transfer::kSave, "saved");
}

int runLoad(Context& context, const std::vector<std::string>& arguments) {
  return runFileCommand(context, arguments, "load", Transfer::kLoad, "loaded");
}

// A key's value as the loader would read it, shown as the file has it; "missing" when the
// key is not there.
std::string keyValue(persistence::Fg_ConfigFileParser& parser,
                     const persistence::ConfigurationKey& key) {
  std::array<char, persistence::kConfigurationTextBuffer> text{};
  switch (key.form()) {
    case persistence::KeyForm::kInteger: {
      std::uint32_t value = 0;
      if (parser.parseIntKeyFromPort(0, key.name(), value) != 0) return "missing";
      return std::to_string(static_cast<std::int32_t>(value));
    }
    case persistence::KeyForm::kDouble: {
      double value = 0;
      if (parser.parseDoubleKeyFromPort(0, key.name(), value) != 0) return "missing";
      std::array<char, 32> shown{};
      const auto end = std::to_chars(shown.data(), shown.data() + shown.size() - 1, value,
                                     std::chars_format::general, 12);
      return std::string(shown.data(), end.ptr);
    }
    case persistence::KeyForm::kText: {
      if (parser.parseKeyFromPort(0, key.name(), text) != 0) return "missing";
      std::string shown(text.data());
      shown.insert(shown.begin(), '\'');
      shown.push_back('\'');
      return shown;
    }
  }
  return "missing";
}

// Lists the parameters whose values differ between two files, as loading them would see the
// values: exit 0 when none differs, 1 when some do, 2 when a file cannot be read.
int runDiff(Context& context, const std::vector<std::string>& arguments) {
  if (arguments.size() != 2) {
    context.err << "brenvik diff: name two files, A.mcf B.mcf (see brenvik diff --help)\n";
    return kExitUsage;
  }
  persistence::Fg_ConfigFileParser first(nullptr, arguments[0].c_str(), true);
  persistence::Fg_ConfigFileParser second(nullptr, arguments[1].c_str(), true);
  for (const auto* parser : {&first, &second}) {
    if (!parser->isOpen()) {
      const std::string& name = arguments[parser == &first ? 0 : 1];
      context.err << "brenvik diff: " << name << ": " << describeCode(codes::kFileMissing)
                  << " (or its name lacks .mcf)\n";
      return kExitUsage;
    }
  }
  std::size_t differing = 0;
  for (const persistence::ConfigurationKey& key : persistence::kConfigurationKeys) {
    const std::string a = keyValue(first, key);
    const std::string b = keyValue(second, key);
    if (a == b) continue;
    ++differing;
    context.out << key.name() << ": " << a << " -> " << b << "\n";
  }
  context.out << differing << " of " << persistence::kConfigurationKeyCount
              << " parameters differ\n";
  return differing == 0 ? kExitOk : kExitFailed;
}

}  // namespace

extern const Command kSaveCommand{
    "save", "save the applet's settings to a configuration file (.mcf)",
    "usage: brenvik [options] save FILE.mcf [then COMMAND [arguments]]\n"
    "\n"
    "Creates the applet (or takes the one a command before 'then' prepared) and saves its\n"
    "settings with Fg_saveConfig: a header naming the applet, then one line per parameter.\n"
    "The name must contain .mcf. Example: brenvik set FG_WIDTH=512 then save narrow.mcf\n",
    runSave};

extern const Command kLoadCommand{
    "load", "load the applet's settings from a configuration file (.mcf)",
    "usage: brenvik [options] load FILE.mcf [then COMMAND [arguments]]\n"
    "\n"
    "Creates the applet and loads the file with Fg_loadConfig: the file must name this\n"
    "applet; each value goes through the parameter's own setter, and a value the setter\n"
    "refuses is passed over. A missing key ends the load with an error, keeping what was\n"
    "loaded before it. Example: brenvik load narrow.mcf then get FG_WIDTH\n",
    runLoad};

extern const Command kDiffCommand{
    "diff", "list the parameters whose values differ between two configuration files",
    "usage: brenvik diff A.mcf B.mcf\n"
    "\n"
    "Reads both files as loading would (numbers converted, so 5 and 05 are equal) and prints\n"
    "each parameter whose value differs, as 'NAME: A -> B' ('missing' for an absent key),\n"
    "then the count. Exit status 0 when the files agree, 1 when they differ, 2 when a file\n"
    "cannot be read.\n",
    runDiff};

}  // namespace brenvik::tool
