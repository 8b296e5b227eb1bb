// The symbolic names of parameter values and their numbers: every entry of the enumeration
// lists, each symbol once, built on first use.
#include <map>
#include <string>

#include "applet/Info.h"
#include "parameters/Enumerations.h"

namespace brenvik::info {

namespace {

using NameTable = std::map<std::string, std::int32_t, std::less<>>;

const NameTable& table() {
  // A function-local static is built exactly once, even when two threads ask first.
  static const NameTable kTable = [] {
    NameTable names;
    for (const parameters::EnumerationList* list : parameters::enumerations::kAll) {
      for (const parameters::EnumerationEntry& entry : list->entries) {
        names.emplace(entry.name, entry.value);  // lists that share a symbol agree on it
      }
    }
    return names;
  }();
  return kTable;
}

}  // namespace

std::optional<std::int32_t> valueOfName(std::string_view name) {
  const auto& names = table();
  const auto entry = names.find(name);
  if (entry == names.end()) return std::nullopt;
  return entry->second;
}

std::size_t valueNameCount() { return table().size(); }

}  // namespace brenvik::info
