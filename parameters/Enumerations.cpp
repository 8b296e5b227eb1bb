// Compile-time checks of the enumeration lists: a symbol that two lists share has one value
// and one display name there, and no list repeats a symbol or a value.
#include "parameters/Enumerations.h"

#include <cstddef>

namespace brenvik::parameters {

namespace {

constexpr bool sameText(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

// Two entries that share a symbol share its value and its display name, e.g. PULSEGEN0 among the pulse generators and among the trigger output sources.
consteval bool sharedSymbolsAgree() {
  for (std::size_t first = 0; first < enumerations::kAll.size(); ++first) {
    for (std::size_t second = first + 1; second < enumerations::kAll.size(); ++second) {
      for (const EnumerationEntry& a : enumerations::kAll[first]->entries) {
        for (const EnumerationEntry& b : enumerations::kAll[second]->entries) {
          if (!sameText(a.name, b.name)) continue;
          if (a.value != b.value || !sameText(a.displayName, b.displayName)) return false;
        }
      }
    }
  }
  return true;
}

consteval bool listsAreDistinct() {
  for (const EnumerationList* list : enumerations::kAll) {
    const auto entries = list->entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      for (std::size_t j = i + 1; j < entries.size(); ++j) {
        if (sameText(entries[i].name, entries[j].name)) return false;
        if (entries[i].value == entries[j].value) return false;
      }
    }
  }
  return true;
}

static_assert(sharedSymbolsAgree());

// Every output format the applet offers is one the shift arithmetic knows.
consteval bool offeredFormatsAreShiftable() {
  for (const EnumerationEntry& entry : enumerations::kOutputFormatsEntries) {
    if (runtime::shiftableBitsOf(static_cast<std::uint32_t>(entry.value)) == 0) return false;
  }
  return true;
}
static_assert(offeredFormatsAreShiftable());
static_assert(listsAreDistinct());

}  // namespace

}  // namespace brenvik::parameters
