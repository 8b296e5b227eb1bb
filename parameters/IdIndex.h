// A table's rows found by parameter id in constant time: an open-addressing hash of the ids,
// built while compiling from the table itself. The get and set paths use it instead of a
// search, so a lookup costs a multiplication and, almost always, one comparison.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace brenvik::parameters {

template <std::size_t Rows>
class IdIndex {
 public:
  static constexpr std::uint16_t kNone = 0xFFFF;
  // At most half the slots are used, so probe runs stay short.
  static constexpr std::size_t kSlots = std::bit_ceil(Rows * 2 + 1);
  static_assert(Rows < kNone);

  // Indexes the ids in row order; an id that appears twice does not compile.
  template <typename Table>
  consteval explicit IdIndex(const Table& table) {
    slots_.fill(kNone);
    for (std::size_t row = 0; row < Rows; ++row) {
      const std::int32_t id = table[row].id;
      std::size_t slot = home(id);
      while (slots_[slot] != kNone) {
        if (ids_[slot] == id) throw "an id appears twice in the table";
        slot = (slot + 1) & (kSlots - 1);
      }
      slots_[slot] = static_cast<std::uint16_t>(row);
      ids_[slot] = id;
    }
  }

  // The row of an id, or kNone.
  constexpr std::uint16_t find(std::int32_t id) const {
    for (std::size_t slot = home(id);; slot = (slot + 1) & (kSlots - 1)) {
      if (slots_[slot] == kNone || ids_[slot] == id) return slots_[slot];
    }
  }

 private:
  static constexpr std::size_t home(std::int32_t id) {
    // Fibonacci hashing: the top bits of the product spread clustered ids.
    constexpr unsigned kShift = 32 - std::countr_zero(kSlots);
    return static_cast<std::size_t>((static_cast<std::uint32_t>(id) * 2654435769u) >> kShift);
  }

  std::array<std::uint16_t, kSlots> slots_{};
  std::array<std::int32_t, kSlots> ids_{};
};

template <typename Table>
IdIndex(const Table&) -> IdIndex<std::tuple_size_v<Table>>;

}  // namespace brenvik::parameters
