// What the applet learns from its own module file and the environment at construction.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brenvik {

struct ModuleIdentity {
  std::string appletName = "none";  // the module's file name without directory and extension
  std::string settingsFile;         // "inspect.conf" beside the module; empty when unknown
};

// Splits a module path into the applet name and the settings file beside it. Both the
// directory and the shortened name must be non-empty, else the name stays "none".
ModuleIdentity identifyModule(std::string_view modulePath);

// The identity of the module that holds the applet code.
ModuleIdentity identifyThisModule();

// True for a switch value of an environment variable: the whole text, lower-cased, is
// exactly "yes", "true", "on" or "1".
bool isEnvironmentSwitchOn(const std::optional<std::string>& value);

}  // namespace brenvik
