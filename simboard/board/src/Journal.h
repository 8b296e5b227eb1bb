// The journal of writes that reached the board, kept in storage that the write path reuses:
// a ring of fixed-size entries and a ring of bytes for the data of text and field writes.
// Values are rendered as text on the first read of an entry.
//
// Size and what happens when it is full: the entry ring keeps the newest kCapacity writes;
// it grows by doubling from kFirstEntries to kCapacity, and once full each new write takes
// the place of the oldest. The data ring starts at kFirstDataBytes and doubles whenever the
// data of the writes kept does not fit, so that the newest kCapacity writes are always there
// in full; it never shrinks while the board lives (clearing keeps both rings). So a steady
// stream of writes allocates nothing once the rings have grown to hold what it keeps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "simboard/control.h"

namespace brenvik::simboard {

class Journal {
 public:
  // The newest entries kept; older ones are dropped.
  static constexpr std::size_t kCapacity = 65536;
  static constexpr std::size_t kFirstEntries = 1024;
  static constexpr std::size_t kFirstDataBytes = std::size_t{256} << 10;

  // A write of the runtime's typed access: copies what `value` points to, read as type code
  // `type`. The elements of a code-4096 write are copied only when its first index and count
  // fit `fieldSize` elements (0 when the target is no field). `name` must stay valid until
  // the journal is cleared (a static text or one owned by the design loaded on the board);
  // null names an unknown id, rendered as "#" + id.
  void add(const char* name, std::int32_t id, const void* value, std::int32_t type,
           std::uint32_t fieldSize, std::int32_t result);
  // A register write (type 0); a null name renders as "register:#" + id as unsigned.
  void addRegister(const char* name, std::uint32_t id, std::uint64_t value, std::int32_t result);

  std::size_t size() const { return size_; }
  // Entry i (0 = oldest kept); texts stay valid until the entry is dropped or cleared.
  bool entry(std::size_t index, SimboardWrite& out) const;
  void clear();

 private:
  struct Rendered {
    std::string name;
    std::string value;
  };
  // What a write leaves; reset whole for every new entry.
  struct Record {
    const char* name = nullptr;
    std::int32_t id = 0;
    std::int32_t result = 0;
    std::int32_t type = 0;         // type code; 0 for register writes
    std::uint32_t fieldType = 0;   // code 4096: the element type
    std::uint32_t fieldIndex = 0;  // code 4096: the first index
    bool present = false;          // false for a null value pointer or an unknown code
    bool hasData = false;          // texts and field elements lie in the data ring
    std::uint64_t bits = 0;        // scalars; a single LUT entry as value | index << 32
    std::uint64_t dataStart = 0;   // position in the data ring (see place)
    std::uint32_t dataBytes = 0;
    std::uint32_t elements = 0;    // code 4096: elements copied
  };
  struct Entry {
    Record record;
    mutable std::unique_ptr<Rendered> rendered;
  };

  // The slot of a new entry (the oldest one's, once the ring is full), its rendering
  // dropped; the caller sets its record whole.
  Entry& next();
  void growRing();  // by doubling, up to kCapacity entries
  // The texts and field elements of a write of code 6, 22 or 4096: apart from the scalar
  // case, which every parameter write takes.
  void keepData(Record& record, const void* value, std::uint32_t fieldSize);
  // Copies `bytes` bytes into the data ring and records where on `record`.
  void keep(Record& record, const void* from, std::size_t bytes);
  // Room for `bytes` contiguous bytes at the head of the data ring; returns its position.
  std::uint64_t place(std::size_t bytes);
  void growData(std::size_t needed);
  const std::byte* dataAt(std::uint64_t position) const {
    return data_.get() + position % dataSize_;
  }
  std::string renderValue(const Record& entry) const;

  std::vector<Entry> ring_;  // grows to kCapacity, then wraps at head_
  std::size_t head_ = 0;     // where the oldest entry is once the ring is full
  std::size_t size_ = 0;
  // The data ring, addressed by positions that only grow: a position p lies at p mod size;
  // the bytes from dataTail_ (the oldest entry's start) to dataHead_ are in use.
  std::unique_ptr<std::byte[]> data_;  // not zeroed: only bytes written are read
  std::size_t dataSize_ = 0;
  std::uint64_t dataHead_ = 0;
  std::uint64_t dataTail_ = 0;
};

}  // namespace brenvik::simboard
