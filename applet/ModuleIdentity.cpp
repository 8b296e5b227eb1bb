// The applet's name and settings file from its module path; environment switch values.
#include "applet/ModuleIdentity.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/os/LibraryNames.h"
#include "platform/os/Process.h"

namespace brenvik {

ModuleIdentity identifyModule(std::string_view modulePath) {
  ModuleIdentity identity;
  // Both separators count, so a path written for either platform splits the same way.
  const auto cut = modulePath.find_last_of("\\/");
  if (cut == std::string_view::npos) return identity;
  const std::string_view directory = modulePath.substr(0, cut);
  std::string_view name = modulePath.substr(cut + 1);
  if (const auto dot = name.find_last_of('.'); dot != std::string_view::npos) {
    name = name.substr(0, dot);
  }
  if (directory.empty() || name.empty()) return identity;
  identity.appletName = std::string(name);
  identity.settingsFile =
      std::string(directory) + platform::pathSeparator() + "inspect.conf";
  return identity;
}

ModuleIdentity identifyThisModule() {
  static const int anchor = 0;
  const auto path = platform::modulePathOf(&anchor);
  return path ? identifyModule(*path) : ModuleIdentity{};
}

bool isEnvironmentSwitchOn(const std::optional<std::string>& value) {
  if (!value) return false;
  std::string folded = *value;
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  static constexpr std::array<std::string_view, 4> kSwitchWords{"yes", "true", "on", "1"};
  return std::find(kSwitchWords.begin(), kSwitchWords.end(), folded) != kSwitchWords.end();
}

}  // namespace brenvik
