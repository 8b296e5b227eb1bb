// The bound hardware parameters' names by slot, checked while compiling.
#include "parameters/HardwareParameters.h"

#include <algorithm>
#include <string_view>

namespace brenvik::parameters {

namespace {

// Every slot has exactly one name, and each name is a path of the hardware applet and
// names one slot only.
consteval bool everySlotIsNamedOnce() {
  std::array<int, kHardwareParameterCount> names{};
  std::array<std::string_view, std::size(kHardwareNames)> texts{};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const HardwareName& named = kHardwareNames[i];
    if (named.slot >= Hw::SlotCount) return false;
    texts[i] = named.name;
    if (!texts[i].starts_with("Device1_Process")) return false;
    ++names[slotIndex(named.slot)];
  }
  // Lengths first: comparing every pair in full would be far too slow while compiling.
  for (std::size_t i = 0; i < texts.size(); ++i) {
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      if (texts[i].size() == texts[j].size() && texts[i] == texts[j]) return false;
    }
  }
  return std::ranges::all_of(names, [](int count) { return count == 1; });
}
static_assert(everySlotIsNamedOnce());

// The names by slot, for the binding.
constexpr std::array<const char*, kHardwareParameterCount> collectNames() {
  std::array<const char*, kHardwareParameterCount> names{};
  for (const HardwareName& named : kHardwareNames) names[slotIndex(named.slot)] = named.name;
  return names;
}

constexpr std::array<const char*, kHardwareParameterCount> kNames = collectNames();

}  // namespace

const char* hardwareParameterName(Hw slot) { return kNames[slotIndex(slot)]; }

const std::array<const char*, kHardwareParameterCount>& hardwareParameterNames() { return kNames; }

}  // namespace brenvik::parameters
