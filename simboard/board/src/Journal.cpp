// Capturing written values into the journal's rings and rendering its entries.
#include "Journal.h"

#include <algorithm>
#include <cstring>

#include "Design.h"
#include "ValueRules.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::simboard {

namespace {

using runtime::FieldParameterAccess;
using runtime::LutEntry;

template <typename T>
T load(const void* from, std::size_t index = 0) {
  T value;
  std::memcpy(&value, static_cast<const unsigned char*>(from) + index * sizeof(T), sizeof value);
  return value;
}

std::uint64_t pair(const LutEntry& entry) {
  return std::uint64_t{entry.value} | std::uint64_t{entry.index} << 32;
}

void appendPair(std::string& out, std::uint64_t bits, char separator) {
  appendUnsigned(out, bits >> 32);
  out += separator;
  appendUnsigned(out, bits & 0xffffffffu);
}

// Bytes of one element of a structured write, 0 for an element type that cannot be read.
std::size_t elementBytes(std::uint32_t valueType) {
  switch (valueType) {
    case 1:
    case 2:
      return sizeof(std::uint32_t);
    case 3:
    case 4:
    case 5:
      return sizeof(std::uint64_t);
    case runtime::kTypeLutEntry:
      return sizeof(LutEntry);
    default:
      return 0;
  }
}

// The journal's name of a write: the parameter's name, else its id; a register by number.
// Built as a fresh string: assigning into an existing one draws a false overlap warning
// (-Wrestrict) from GCC 12 at -O3.
std::string renderName(const char* name, std::int32_t id, std::int32_t type) {
  if (name != nullptr) return std::string(name);
  if (type == 0) {
    std::string text("register:#");
    appendUnsigned(text, static_cast<std::uint32_t>(id));
    return text;
  }
  std::string text("#");
  appendSigned(text, id);
  return text;
}

}  // namespace

void Journal::growRing() {
  ring_.resize(std::clamp(2 * ring_.size(), kFirstEntries, kCapacity));
}

inline Journal::Entry& Journal::next() {
  if (size_ == 0) dataHead_ = dataTail_ = 0;
  Entry* slot = nullptr;
  if (size_ < kCapacity) {
    if (size_ == ring_.size()) growRing();
    slot = &ring_[size_++];
  } else {
    // The oldest entry makes room; its data goes with it.
    slot = &ring_[head_];
    head_ = (head_ + 1) % kCapacity;
    dataTail_ = ring_[head_].record.dataStart;
  }
  if (slot->rendered) slot->rendered.reset();
  return *slot;
}

void Journal::add(const char* name, std::int32_t id, const void* value, std::int32_t type,
                  std::uint32_t fieldSize, std::int32_t result) {
  Record& record = next().record;
  record = Record{.name = name, .id = id, .result = result, .type = type, .dataStart = dataHead_};
  if (value == nullptr) return;
  record.present = true;
  switch (type) {
    case runtime::kTypeUint32:
      record.bits = load<std::uint32_t>(value);
      break;
    case runtime::kTypeInt64:
    case runtime::kTypeUint64:
    case runtime::kTypeDouble:
      record.bits = load<std::uint64_t>(value);
      break;
    case runtime::kTypeLutEntry:
      record.bits = pair(load<LutEntry>(value));
      break;
    case runtime::kTypeString:
    case runtime::kTypeStringCopy:
    case runtime::kTypeField:
      keepData(record, value, fieldSize);
      break;
    default:
      record.present = false;  // an unknown code: nothing readable
      break;
  }
}

void Journal::keepData(Record& record, const void* value, std::uint32_t fieldSize) {
  if (record.type != runtime::kTypeField) {
    // Longer texts are refused by every parameter; the journal keeps their start.
    const char* text = static_cast<const char*>(value);
    keep(record, text, strnlen(text, kMaxTextLength + 1));
    return;
  }
  const auto access = load<FieldParameterAccess>(value);
  record.fieldType = access.valueType;
  record.fieldIndex = access.index;
  // Elements are read only for a request that fits the field: the caller promised that
  // many, while a refused count may be more than its array holds.
  const std::size_t width = elementBytes(access.valueType);
  if (access.values == nullptr || access.index > fieldSize ||
      access.count > fieldSize - access.index || width == 0) {
    return;
  }
  record.elements = access.count;
  keep(record, access.values, std::size_t{access.count} * width);
}

void Journal::addRegister(const char* name, std::uint32_t id, std::uint64_t value,
                          std::int32_t result) {
  Record& record = next().record;
  record = Record{.name = name,
                  .id = static_cast<std::int32_t>(id),
                  .result = result,
                  .type = 0,
                  .present = true,
                  .bits = value,
                  .dataStart = dataHead_};
}

void Journal::keep(Record& record, const void* from, std::size_t bytes) {
  record.hasData = true;
  record.dataStart = place(bytes);
  record.dataBytes = static_cast<std::uint32_t>(bytes);
  if (bytes > 0) std::memcpy(data_.get() + record.dataStart % dataSize_, from, bytes);
}

// Bytes are kept contiguous: a piece that would run past the end of the ring starts over
// at its beginning, and the skipped rest counts as in use until the ring passes it.
std::uint64_t Journal::place(std::size_t bytes) {
  if (bytes == 0) return dataHead_;
  while (true) {
    if (dataSize_ == 0) growData(bytes);
    const std::uint64_t size = dataSize_;
    std::uint64_t start = dataHead_;
    const std::uint64_t offset = start % size;
    if (offset + bytes > size) start += size - offset;
    if (start + bytes - dataTail_ <= size) {
      dataHead_ = start + bytes;
      return start;
    }
    growData(bytes);
  }
}

// Doubles the data ring until the bytes in use and `needed` more fit, and lays the bytes in
// use out from its start again.
void Journal::growData(std::size_t needed) {
  const std::uint64_t used = dataHead_ - dataTail_;
  std::size_t size = std::max(kFirstDataBytes, 2 * dataSize_);
  while (size < used + needed) size *= 2;
  auto grown = std::make_unique_for_overwrite<std::byte[]>(size);
  for (std::uint64_t position = dataTail_; position < dataHead_;) {
    const std::uint64_t offset = position % dataSize_;
    const std::uint64_t piece = std::min<std::uint64_t>(dataHead_ - position, dataSize_ - offset);
    std::memcpy(grown.get() + (position - dataTail_), data_.get() + offset, piece);
    position += piece;
  }
  for (std::size_t i = 0; i < size_; ++i) {
    ring_[(head_ + i) % ring_.size()].record.dataStart -= dataTail_;
  }
  data_ = std::move(grown);
  dataSize_ = size;
  dataHead_ = used;
  dataTail_ = 0;
}

void Journal::clear() {
  // Keeps both rings: a board that was busy once stays cheap to fill.
  for (std::size_t i = 0; i < size_; ++i) ring_[i].rendered.reset();
  size_ = 0;
  head_ = 0;
  dataHead_ = dataTail_ = 0;
}

std::string Journal::renderValue(const Record& entry) const {
  std::string out;
  if (!entry.present) return out;
  switch (entry.type) {
    case 0:
    case runtime::kTypeUint32:
    case runtime::kTypeUint64:
      appendUnsigned(out, entry.bits);
      break;
    case runtime::kTypeInt64:
      appendSigned(out, static_cast<std::int64_t>(entry.bits));
      break;
    case runtime::kTypeDouble:
      appendDouble(out, bitsToDouble(entry.bits));
      break;
    case runtime::kTypeString:
    case runtime::kTypeStringCopy:
      if (entry.hasData && entry.dataBytes > 0) {
        out.assign(reinterpret_cast<const char*>(dataAt(entry.dataStart)), entry.dataBytes);
      }
      break;
    case runtime::kTypeLutEntry:
      appendPair(out, entry.bits, '=');
      break;
    case runtime::kTypeField: {
      appendUnsigned(out, entry.fieldIndex);
      out += ':';
      if (!entry.hasData || entry.elements == 0) break;
      const std::byte* items = dataAt(entry.dataStart);
      for (std::size_t i = 0; i < entry.elements; ++i) {
        if (i > 0) out += ',';
        switch (entry.fieldType) {
          case runtime::kTypeLutEntry:
            appendPair(out, pair(load<LutEntry>(items, i)), '=');
            break;
          case 3:
            appendSigned(out, load<std::int64_t>(items, i));
            break;
          case 4:
            appendUnsigned(out, load<std::uint64_t>(items, i));
            break;
          case 5:
            appendDouble(out, load<double>(items, i));
            break;
          default:
            appendUnsigned(out, load<std::uint32_t>(items, i));
            break;
        }
      }
      break;
    }
    default:
      break;
  }
  return out;
}

bool Journal::entry(std::size_t index, SimboardWrite& out) const {
  if (index >= size_) return false;
  const Entry& entry = ring_[(head_ + index) % ring_.size()];
  const Record& record = entry.record;
  if (!entry.rendered) {
    entry.rendered = std::make_unique<Rendered>(
        Rendered{renderName(record.name, record.id, record.type), renderValue(record)});
  }
  out.name = entry.rendered->name.c_str();
  out.type = record.type;
  out.value = entry.rendered->value.c_str();
  out.result = record.result;
  return true;
}

}  // namespace brenvik::simboard
