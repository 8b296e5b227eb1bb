// Compile-time checks of the enumeration lists: a symbol that two lists share has one value
// there, and no list repeats a symbol or a value.
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

// Two entries of different values never share a symbol (values first: far cheaper).
consteval bool sharedSymbolsAgree() {
  for (std::size_t first = 0; first < enumerations::kAll.size(); ++first) {
    for (std::size_t second = first + 1; second < enumerations::kAll.size(); ++second) {
      for (const EnumerationEntry& a : enumerations::kAll[first]->entries) {
        for (const EnumerationEntry& b : enumerations::kAll[second]->entries) {
          if (a.value != b.value && sameText(a.name, b.name)) return false;
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
static_assert(listsAreDistinct());

}  // namespace

}  // namespace brenvik::parameters
