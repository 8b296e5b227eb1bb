// Capturing written values and rendering journal entries.
#include "Journal.h"

#include <cstring>
#include <limits>

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

WrittenValue WrittenValue::capture(const void* value, std::int32_t type, std::uint32_t fieldSize) {
  WrittenValue written;
  written.type = type;
  if (value == nullptr) return written;
  written.present = true;
  switch (type) {
    case runtime::kTypeUint32:
      written.bits = load<std::uint32_t>(value);
      break;
    case runtime::kTypeInt64:
    case runtime::kTypeUint64:
    case runtime::kTypeDouble:
      written.bits = load<std::uint64_t>(value);
      break;
    case runtime::kTypeString:
    case runtime::kTypeStringCopy: {
      // Longer texts are refused by every parameter; the journal keeps their start.
      const char* text = static_cast<const char*>(value);
      written.data = std::make_unique<WrittenData>();
      written.data->text.assign(text, strnlen(text, kMaxTextLength + 1));
      break;
    }
    case runtime::kTypeLutEntry:
      written.bits = pair(load<LutEntry>(value));
      break;
    case runtime::kTypeField: {
      FieldParameterAccess access = load<FieldParameterAccess>(value);
      written.fieldType = access.valueType;
      written.fieldIndex = access.index;
      // Elements are read only for a request that fits the field: the caller promised that
      // many, while a refused count may be more than its array holds.
      if (access.values == nullptr || access.index > fieldSize ||
          access.count > fieldSize - access.index) {
        break;
      }
      const std::size_t count = access.count;
      std::size_t width = access.valueType == 1 || access.valueType == 2 ? 4 : 8;
      if (access.valueType != 1 && access.valueType != 2 && access.valueType != 3 &&
          access.valueType != 4 && access.valueType != 5 &&
          access.valueType != runtime::kTypeLutEntry) {
        break;  // an unknown element type: its elements cannot be read
      }
      written.data = std::make_unique<WrittenData>();
      std::vector<std::uint64_t>& items = written.data->items;
      items.reserve(count);
      for (std::size_t i = 0; i < count; ++i) {
        if (access.valueType == runtime::kTypeLutEntry) {
          items.push_back(pair(load<LutEntry>(access.values, i)));
        } else if (width == 4) {
          items.push_back(load<std::uint32_t>(access.values, i));
        } else {
          items.push_back(load<std::uint64_t>(access.values, i));
        }
      }
      break;
    }
    default:
      written.present = false;
      break;  // an unknown code: nothing readable
  }
  return written;
}

WrittenValue WrittenValue::registerValue(std::uint64_t value) {
  WrittenValue written;
  written.present = true;
  written.bits = value;
  return written;
}

std::string WrittenValue::render() const {
  std::string out;
  if (!present) return out;
  switch (type) {
    case 0:
    case runtime::kTypeUint32:
    case runtime::kTypeUint64:
      appendUnsigned(out, bits);
      break;
    case runtime::kTypeInt64:
      appendSigned(out, static_cast<std::int64_t>(bits));
      break;
    case runtime::kTypeDouble:
      appendDouble(out, bitsToDouble(bits));
      break;
    case runtime::kTypeString:
    case runtime::kTypeStringCopy:
      if (data) out = data->text;
      break;
    case runtime::kTypeLutEntry:
      appendPair(out, bits, '=');
      break;
    case runtime::kTypeField:
      appendUnsigned(out, fieldIndex);
      out += ':';
      if (!data) break;
      for (std::size_t i = 0; i < data->items.size(); ++i) {
        const std::vector<std::uint64_t>& items = data->items;
        if (i > 0) out += ',';
        if (fieldType == runtime::kTypeLutEntry) {
          appendPair(out, items[i], '=');
        } else if (fieldType == 3) {
          appendSigned(out, static_cast<std::int64_t>(items[i]));
        } else if (fieldType == 5) {
          appendDouble(out, bitsToDouble(items[i]));
        } else {
          appendUnsigned(out, items[i]);
        }
      }
      break;
    default:
      break;
  }
  return out;
}

void Journal::add(const char* name, std::int32_t id, WrittenValue value, std::int32_t result) {
  Entry entry{name, id, result, std::move(value), nullptr};
  if (ring_.size() < kCapacity) {
    ring_.push_back(std::move(entry));
    return;
  }
  ring_[head_] = std::move(entry);
  head_ = (head_ + 1) % kCapacity;
}

void Journal::clear() {
  ring_.clear();  // keeps the capacity: a board that was busy once stays cheap to fill
  head_ = 0;
}

bool Journal::entry(std::size_t index, SimboardWrite& out) const {
  if (index >= ring_.size()) return false;
  const Entry& entry = ring_[(head_ + index) % ring_.size()];
  if (!entry.rendered) {
    entry.rendered = std::make_unique<Rendered>(
        Rendered{renderName(entry.name, entry.id, entry.value.type), entry.value.render()});
  }
  out.name = entry.rendered->name.c_str();
  out.type = entry.value.type;
  out.value = entry.rendered->value.c_str();
  out.result = entry.result;
  return true;
}

}  // namespace brenvik::simboard
