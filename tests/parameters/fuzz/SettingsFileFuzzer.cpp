// libFuzzer target for the settings file reader ("inspect.conf"): any bytes as a settings
// file, loaded the way the applet loads it and with the other store options. Loading never
// fails for a readable file; every key and value it keeps is a trimmed, comment-free piece of
// one input line; the keys do not depend on the overwrite flag; and a case-folding store and
// a store without sections agree with the applet's.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "parameters/SettingsStore.h"

namespace {

using brenvik::parameters::isSwitchValue;
using brenvik::parameters::SettingsStore;
using brenvik::test::require;

const brenvik::test::FuzzInputFile& scratch() {
  static const brenvik::test::FuzzInputFile file(".conf");
  return file;
}

// Sections the applet and its users ask for: the applet's own section under its usual
// spellings, and the empty one.
constexpr std::string_view kSections[] = {"Brenvik", "brenvik", "BRENVIK", ""};

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string lower(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

std::string sectionKey(std::string_view section, std::string_view key) {
  return std::string(section) + "::" + std::string(key);
}

// A kept key name or value lies within one line of the input, without its comment or the
// blanks around it.
void checkPiece(std::string_view input, std::string_view piece) {
  require(piece.find('\n') == std::string_view::npos);
  require(piece.find('#') == std::string_view::npos);
  if (piece.empty()) return;
  require(!isBlank(piece.front()) && !isBlank(piece.back()));
  require(input.find(piece) != std::string_view::npos);
}

// A listed key name. The full key is cut at its first "::", so a section name that holds
// "::" or ends in ':' moves its rest into the names listed under a shorter section ("[a::b]"
// lists "b::key" under "a", "[a:]" lists ":key"). Only a name without ':' is surely a key
// name of the file as written.
bool isPlainKeyName(std::string_view key) { return key.find(':') == std::string_view::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!scratch().write(data, size)) return 0;
  const std::string& path = scratch().name();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto lines = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')) + 1;

  // As the applet keeps it: sections, case-sensitive keys, later lines winning.
  SettingsStore applet(true, true);
  require(applet.load(path, true, true));
  SettingsStore firstWins(true, true);
  require(firstWins.load(path, false, false));
  SettingsStore folded(true, false);
  require(folded.load(path, false, true));
  SettingsStore flat(false, true);
  require(flat.load(path, false, true));

  for (std::string_view section : kSections) {
    const std::vector<std::string> keys = applet.listSection(section);
    require(keys.size() <= lines);
    require(std::is_sorted(keys.begin(), keys.end()));
    require(std::adjacent_find(keys.begin(), keys.end()) == keys.end());
    require(firstWins.listSection(section) == keys);
    for (const std::string& key : keys) {
      require(key.find('\n') == std::string::npos && key.find('#') == std::string::npos);
      require(key.empty() || !isBlank(key.back()));
      if (isPlainKeyName(key)) checkPiece(input, key);
      bool found = false;
      const std::string value = applet.get(sectionKey(section, key), &found);
      require(found);
      checkPiece(input, value);
      isSwitchValue(value);
      // A store without sections keeps every key line, whatever section it stood in.
      if (isPlainKeyName(key)) {
        flat.get(key, &found);
        require(found);
      }
      // Folding merges keys, never loses one.
      folded.get(sectionKey(section, key), &found);
      require(found);
      // The empty key name that a line beginning with '=' gives cannot be set by hand; a
      // key that can be set reads back as set.
      SettingsStore copy(true, true);
      const bool set = copy.set(sectionKey(section, key), value);
      if (key.empty()) require(!set);
      if (set) require(copy.get(sectionKey(section, key)) == value);
    }
    for (const std::string& key : folded.listSection(section)) {
      require(key == lower(key));
    }
  }
  // Reading the same file again without overwriting changes nothing.
  const std::vector<std::string> before = applet.listSection("Brenvik");
  std::vector<std::string> values;
  for (const std::string& key : before) values.push_back(applet.get(sectionKey("Brenvik", key)));
  require(applet.load(path, true, false));
  require(applet.listSection("Brenvik") == before);
  for (std::size_t i = 0; i < before.size(); ++i) {
    require(applet.get(sectionKey("Brenvik", before[i])) == values[i]);
  }
  return 0;
}
