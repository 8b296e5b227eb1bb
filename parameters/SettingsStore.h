// SettingsStore: a thread-safe store of text settings, keyed "section::key", read from
// "inspect.conf" beside the module.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/locks/RecursiveMutex.h"

namespace brenvik::parameters {

// Thread-safety: every operation holds the store's recursive mutex for its whole duration.
class SettingsStore {
 public:
  // With `sections`, every full key is "section::key"; without `caseSensitive`, keys (the
  // section part included) are folded to lower case before they are stored or looked up.
  SettingsStore(bool sections, bool caseSensitive)
      : sections_(sections), caseSensitive_(caseSensitive) {}
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Reads a settings file. False, with the store unchanged, when it cannot be opened. Without
  // keepExisting the store is cleared first; without overwrite a present key keeps its value.
  bool load(const std::string& path, bool keepExisting, bool overwrite);

  // The value of a key, or an empty text when it is absent. The reference stays valid until
  // the key is set again or the store is cleared.
  const std::string& get(std::string_view key, bool* found = nullptr) const;

  // Stores or replaces a value. False, storing nothing, for an empty key or (with sections)
  // a key without "::", or one that begins or ends with "::".
  bool set(std::string_view key, std::string_view value);

  // The key names (the text after the first "::") of a section's entries, in key order;
  // empty without sections.
  std::vector<std::string> listSection(std::string_view section) const;

  void clear();

 private:
  std::string fold(std::string_view key) const;

  std::map<std::string, std::string, std::less<>> entries_;
  bool sections_;
  bool caseSensitive_;
  mutable vurn::templates::platform::RecursiveMutex mutex_;
  const std::string emptyValue_;
};

// A settings value that switches something on: "yes", "true", "on" or "1" in any case (the
// case is ignored under the process's global locale).
bool isSwitchValue(std::string_view value);

}  // namespace brenvik::parameters
