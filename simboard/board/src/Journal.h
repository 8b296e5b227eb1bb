// The journal of writes that reached the board: compact entries, rendered as text on the
// first read, bounded to the newest entries.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "simboard/control.h"

namespace brenvik::simboard {

// Texts and elements of a written value; only string and field writes have them.
struct WrittenData {
  std::string text;                  // codes 6 and 22
  std::vector<std::uint64_t> items;  // code 4096: elements (4098 elements as value | index << 32)
};

// The raw form of a written value, copied at the time of the write. Scalars fit inline, so
// the common write costs no allocation.
struct WrittenValue {
  std::int32_t type = 0;         // type code; 0 for register writes
  std::uint32_t fieldType = 0;   // code 4096: the element type
  std::uint32_t fieldIndex = 0;  // code 4096: the first index
  bool present = false;          // false for a null value pointer
  std::uint64_t bits = 0;        // scalars; for code 4098 value | index << 32
  std::unique_ptr<WrittenData> data;

  // Copies what `value` points to, read as type code `type`. The elements of a code-4096
  // write are copied only when its first index and count fit `fieldSize` elements (0 when
  // the target is no field).
  static WrittenValue capture(const void* value, std::int32_t type, std::uint32_t fieldSize);
  static WrittenValue registerValue(std::uint64_t value);
  std::string render() const;
};

class Journal {
 public:
  // The newest entries kept; older ones are dropped.
  static constexpr std::size_t kCapacity = 65536;

  // `name` must stay valid until the journal is cleared (a static text or one owned by the
  // design loaded on the board); null names an unknown id, rendered as "#" + id (register
  // writes: "register:#" + id as unsigned).
  void add(const char* name, std::int32_t id, WrittenValue value, std::int32_t result);
  std::size_t size() const { return ring_.size(); }
  // Entry i (0 = oldest kept); texts stay valid until the entry is dropped or cleared.
  bool entry(std::size_t index, SimboardWrite& out) const;
  void clear();

 private:
  struct Rendered {
    std::string name;
    std::string value;
  };
  struct Entry {
    const char* name;
    std::int32_t id;
    std::int32_t result;
    WrittenValue value;
    mutable std::unique_ptr<Rendered> rendered;
  };
  // A ring: grows to the capacity, then each new entry replaces the oldest at `head_`.
  std::vector<Entry> ring_;
  std::size_t head_ = 0;
};

}  // namespace brenvik::simboard
