// The settings store: loading "inspect.conf", keyed access under the store's mutex, and
// switch values.
#include "parameters/SettingsStore.h"

#include <array>
#include <fstream>
#include <locale>

#include "platform/locks/RecursiveMutexGuard.h"

namespace brenvik::parameters {

namespace {

using vurn::templates::platform::RecursiveMutexGuard;

constexpr std::string_view kSeparator = "::";

// Leading and trailing white space as the global locale classifies it (a carriage return
// included).
std::string_view trim(std::string_view text) {
  const std::locale locale;
  auto isSpace = [&](char c) { return std::isspace(c, locale); };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string SettingsStore::fold(std::string_view key) const {
  std::string folded(key);
  if (!caseSensitive_) {
    const std::locale locale;
    for (char& c : folded) c = std::tolower(c, locale);
  }
  return folded;
}

bool SettingsStore::load(const std::string& path, bool keepExisting, bool overwrite) {
  RecursiveMutexGuard guard(mutex_);
  std::ifstream file(path);
  if (!file) return false;
  if (!keepExisting) entries_.clear();

  std::string section;
  bool haveSection = false;
  for (std::string line; std::getline(file, line);) {
    std::string_view text = line;
    if (const auto hash = text.find('#'); hash != std::string_view::npos) {
      text = text.substr(0, hash);
    }
    text = trim(text);
    if (text.empty()) continue;
    if (sections_ && text.front() == '[') {
      // A section line never carries a key; a malformed one changes nothing.
      if (text.size() >= 3 && text.back() == ']') {
        section = fold(trim(text.substr(1, text.size() - 2)));
        haveSection = true;
      }
      continue;
    }
    if (sections_ && !haveSection) continue;
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = trim(text.substr(0, equals));
    const std::string_view value = trim(text.substr(equals + 1));
    std::string fullKey =
        sections_ ? section + std::string(kSeparator) + std::string(key) : std::string(key);
    fullKey = fold(fullKey);
    if (overwrite) {
      entries_.insert_or_assign(std::move(fullKey), std::string(value));
    } else {
      entries_.try_emplace(std::move(fullKey), value);
    }
  }
  return true;
}

const std::string& SettingsStore::get(std::string_view key, bool* found) const {
  RecursiveMutexGuard guard(mutex_);
  const auto entry = caseSensitive_ ? entries_.find(key) : entries_.find(fold(key));
  if (found != nullptr) *found = entry != entries_.end();
  return entry != entries_.end() ? entry->second : emptyValue_;
}

bool SettingsStore::set(std::string_view key, std::string_view value) {
  RecursiveMutexGuard guard(mutex_);
  if (key.empty()) return false;
  if (sections_) {
    const auto separator = key.find(kSeparator);
    if (separator == std::string_view::npos || key.starts_with(kSeparator) ||
        key.ends_with(kSeparator)) {
      return false;
    }
  }
  entries_.insert_or_assign(fold(key), std::string(value));
  return true;
}

std::vector<std::string> SettingsStore::listSection(std::string_view section) const {
  RecursiveMutexGuard guard(mutex_);
  std::vector<std::string> keys;
  if (!sections_) return keys;
  const std::string wanted = fold(section);
  for (const auto& [fullKey, value] : entries_) {
    const auto separator = fullKey.find(kSeparator);
    if (separator == std::string::npos) continue;
    if (std::string_view(fullKey).substr(0, separator) == wanted) {
      keys.push_back(fullKey.substr(separator + kSeparator.size()));
    }
  }
  return keys;
}

void SettingsStore::clear() {
  RecursiveMutexGuard guard(mutex_);
  entries_.clear();
}

bool isSwitchValue(std::string_view value) {
  static constexpr std::array<std::string_view, 4> kSwitchWords{"yes", "true", "on", "1"};
  const std::locale locale;
  for (std::string_view word : kSwitchWords) {
    if (word.size() != value.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < word.size() && same; ++i) {
      same = std::tolower(value[i], locale) == word[i];
    }
    if (same) return true;
  }
  return false;
}

}  // namespace brenvik::parameters
