// Binding a unit's hardware parameters by name: each unit lists its slots (an enumeration
// ending in kCount) with their names in one table of designated rows, which the compiler
// checks to name every slot exactly once, and resolves it against a design when one loads.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "Design.h"

namespace brenvik::simboard {

template <typename Slot>
struct NamedSlot {
  Slot slot;
  std::string_view name;
};

// Whether `rows` name each of the slots 0 … kCount - 1 exactly once, each with a name.
template <typename Slot, std::size_t N>
constexpr bool namesEverySlotOnce(const NamedSlot<Slot> (&rows)[N]) {
  constexpr auto kSlots = static_cast<std::size_t>(Slot::kCount);
  std::array<std::size_t, kSlots> named{};
  for (const NamedSlot<Slot>& row : rows) {
    const auto slot = static_cast<std::size_t>(row.slot);
    if (slot >= kSlots || row.name.empty()) return false;
    ++named[slot];
  }
  for (const std::size_t count : named) {
    if (count != 1) return false;
  }
  return true;
}

// Parameter indices by slot, or nothing when the design lacks one of the names (each name
// following `prefix`).
template <typename Slot, std::size_t N>
std::optional<std::array<std::size_t, static_cast<std::size_t>(Slot::kCount)>> resolveNames(
    const Design& design, std::string_view prefix, const NamedSlot<Slot> (&rows)[N]) {
  std::array<std::size_t, static_cast<std::size_t>(Slot::kCount)> indices{};
  std::string name(prefix);
  for (const NamedSlot<Slot>& row : rows) {
    name.resize(prefix.size());
    name += row.name;
    const int index = design.parameterIndex(name);
    if (index < 0) return std::nullopt;
    indices[static_cast<std::size_t>(row.slot)] = static_cast<std::size_t>(index);
  }
  return indices;
}

}  // namespace brenvik::simboard
