// The type-code rules of hardware parameter access. Caller memory is read and written with
// memcpy, so a caller's unaligned buffer is no fault of ours.
#include "TypedAccess.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "ValueRules.h"
#include "runtime/SdkRuntime.h"
#include "simboard/control.h"

namespace brenvik::simboard {

namespace {

using runtime::FieldParameterAccess;
using runtime::LutEntry;

template <typename T>
T load(const void* from) {
  T value;
  std::memcpy(&value, from, sizeof value);
  return value;
}

template <typename T>
void store(void* to, const T& value) {
  std::memcpy(to, &value, sizeof value);
}

template <typename T>
T loadAt(const void* base, std::size_t index) {
  return load<T>(static_cast<const unsigned char*>(base) + index * sizeof(T));
}

template <typename T>
void storeAt(void* base, std::size_t index, const T& value) {
  store(static_cast<unsigned char*>(base) + index * sizeof(T), value);
}

// Integer parameters take type codes 2 (uint32), 3 (int64) and 4 (uint64); the value must
// fit both the code's type and the parameter's limits.
std::int32_t writeInteger(const ParameterDefinition& definition, ParameterValue& slot,
                          const void* value, std::int32_t type) {
  std::uint64_t bits = 0;
  bool fits = false;
  switch (type) {
    case runtime::kTypeUint32:
      fits = acceptUnsigned(definition, load<std::uint32_t>(value), bits);
      break;
    case runtime::kTypeInt64:
      fits = acceptSigned(definition, load<std::int64_t>(value), bits);
      break;
    case runtime::kTypeUint64:
      fits = acceptUnsigned(definition, load<std::uint64_t>(value), bits);
      break;
    default:
      return SIMBOARD_WRONG_TYPE;
  }
  if (!fits) return SIMBOARD_OUT_OF_RANGE;
  slot.bits = bits;
  return SIMBOARD_OK;
}

// Reads refuse a value that the requested code cannot hold (a negative one as unsigned,
// one above 2^32 - 1 as uint32) rather than handing out a cut pattern.
std::int32_t readInteger(const ParameterDefinition& definition, const ParameterValue& slot,
                         void* value, std::int32_t type) {
  bool negative = isSigned(definition.type) && static_cast<std::int64_t>(slot.bits) < 0;
  switch (type) {
    case runtime::kTypeUint32:
      if (negative || slot.bits > std::numeric_limits<std::uint32_t>::max()) {
        return SIMBOARD_OUT_OF_RANGE;
      }
      store(value, static_cast<std::uint32_t>(slot.bits));
      return SIMBOARD_OK;
    case runtime::kTypeInt64:
      if (!isSigned(definition.type) &&
          slot.bits > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return SIMBOARD_OUT_OF_RANGE;
      }
      store(value, static_cast<std::int64_t>(slot.bits));
      return SIMBOARD_OK;
    case runtime::kTypeUint64:
      if (negative) return SIMBOARD_OUT_OF_RANGE;
      store(value, slot.bits);
      return SIMBOARD_OK;
    default:
      return SIMBOARD_WRONG_TYPE;
  }
}

// Strings are set from a const char* text with code 6 or 22 (both read the text itself).
std::int32_t writeString(ParameterValue& slot, const void* value, std::int32_t type) {
  if (type != runtime::kTypeString && type != runtime::kTypeStringCopy) return SIMBOARD_WRONG_TYPE;
  const char* text = static_cast<const char*>(value);
  std::size_t length = strnlen(text, kMaxTextLength + 1);
  if (length > kMaxTextLength) return SIMBOARD_OUT_OF_RANGE;
  slot.text.assign(text, length);
  return SIMBOARD_OK;
}

std::int32_t readString(const ParameterValue& slot, void* value, std::int32_t type,
                        char** handedOut) {
  // Stored texts never exceed 1023 characters, so a copy takes at most 1024 bytes.
  std::size_t length = std::min(slot.text.size(), kMaxTextLength);
  if (type == runtime::kTypeString) {
    std::memcpy(value, slot.text.data(), length);
    static_cast<char*>(value)[length] = '\0';
    return SIMBOARD_OK;
  }
  if (type != runtime::kTypeStringCopy) return SIMBOARD_WRONG_TYPE;
  char* copy = static_cast<char*>(std::malloc(length + 1));
  if (copy == nullptr) return SIMBOARD_INTERNAL_ERROR;
  std::memcpy(copy, slot.text.data(), length);
  copy[length] = '\0';
  store(value, copy);
  *handedOut = copy;
  return SIMBOARD_OK;
}

// A double element must be a whole number inside the element limits.
bool elementFromDouble(const ParameterDefinition& definition, double value,
                       std::uint64_t& element) {
  if (!(value >= 0.0 && value <= 4294967295.0) || std::trunc(value) != value) return false;
  element = static_cast<std::uint64_t>(value);
  return acceptElement(definition, element);
}

// Element i of a structured write: its target index and its value, or an error code.
std::int32_t fieldElement(const ParameterDefinition& definition, const FieldParameterAccess& access,
                          std::size_t i, std::uint32_t& target, std::uint32_t& element) {
  std::uint64_t value = 0;
  target = access.index + static_cast<std::uint32_t>(i);
  switch (access.valueType) {
    case 1:
    case 2:
      value = loadAt<std::uint32_t>(access.values, i);
      break;
    case 3:
    case 4:
      value = loadAt<std::uint64_t>(access.values, i);
      break;
    case 5:
      if (!elementFromDouble(definition, loadAt<double>(access.values, i), value)) {
        return SIMBOARD_OUT_OF_RANGE;
      }
      break;
    case runtime::kTypeLutEntry: {
      LutEntry entry = loadAt<LutEntry>(access.values, i);
      if (entry.index >= definition.elements) return SIMBOARD_OUT_OF_RANGE;
      target = entry.index;
      value = entry.value;
      break;
    }
    default:
      return SIMBOARD_WRONG_TYPE;
  }
  if (!acceptElement(definition, value)) return SIMBOARD_OUT_OF_RANGE;
  element = static_cast<std::uint32_t>(value);
  return SIMBOARD_OK;
}

// The structured form: element types 1/2 (uint32), 3/4 (64-bit), 5 (double) and 4098
// (LutEntry pairs, each naming its own index; first index + count must still fit). A first
// pass checks every element and a second one stores them, so a refused write changes
// nothing and no scratch memory is needed.
std::int32_t writeField(const ParameterDefinition& definition, ParameterValue& slot,
                        const FieldParameterAccess& access) {
  const std::uint32_t size = definition.elements;
  if (access.index > size || access.count > size - access.index) return SIMBOARD_OUT_OF_RANGE;
  if (access.count > 0 && access.values == nullptr) return SIMBOARD_INVALID_PARAMETER;
  if (access.count == 0 && access.valueType != 1 && access.valueType != 2 &&
      access.valueType != 3 && access.valueType != 4 && access.valueType != 5 &&
      access.valueType != runtime::kTypeLutEntry) {
    return SIMBOARD_WRONG_TYPE;
  }
  if (access.valueType == 1 || access.valueType == 2) {
    // 32-bit elements, the common case (whole tables): check them all in one pass without
    // branches, then copy at once.
    bool outside = false;
    for (std::size_t i = 0; i < access.count; ++i) {
      outside |= !acceptElement(definition, loadAt<std::uint32_t>(access.values, i));
    }
    if (outside) return SIMBOARD_OUT_OF_RANGE;
    std::memcpy(slot.elements.data() + access.index, access.values,
                std::size_t{access.count} * sizeof(std::uint32_t));
    return SIMBOARD_OK;
  }
  std::uint32_t target = 0;
  std::uint32_t element = 0;
  for (std::size_t i = 0; i < access.count; ++i) {
    std::int32_t result = fieldElement(definition, access, i, target, element);
    if (result != SIMBOARD_OK) return result;
  }
  for (std::size_t i = 0; i < access.count; ++i) {
    fieldElement(definition, access, i, target, element);
    slot.elements[target] = element;
  }
  return SIMBOARD_OK;
}

std::int32_t readField(const ParameterDefinition& definition, const ParameterValue& slot,
                       const FieldParameterAccess& access) {
  const std::uint32_t size = definition.elements;
  if (access.index > size || access.count > size - access.index) return SIMBOARD_OUT_OF_RANGE;
  if (access.count > 0 && access.values == nullptr) return SIMBOARD_INVALID_PARAMETER;
  const std::size_t count = access.count;
  switch (access.valueType) {
    case 1:
    case 2:
      for (std::size_t i = 0; i < count; ++i) {
        storeAt(access.values, i, slot.elements[access.index + i]);
      }
      return SIMBOARD_OK;
    case 3:
    case 4:
      for (std::size_t i = 0; i < count; ++i) {
        storeAt(access.values, i, std::uint64_t{slot.elements[access.index + i]});
      }
      return SIMBOARD_OK;
    case 5:
      for (std::size_t i = 0; i < count; ++i) {
        storeAt(access.values, i, double{static_cast<double>(slot.elements[access.index + i])});
      }
      return SIMBOARD_OK;
    case runtime::kTypeLutEntry:
      for (std::size_t i = 0; i < count; ++i) {
        if (loadAt<LutEntry>(access.values, i).index >= size) return SIMBOARD_OUT_OF_RANGE;
      }
      for (std::size_t i = 0; i < count; ++i) {
        LutEntry entry = loadAt<LutEntry>(access.values, i);
        entry.value = slot.elements[entry.index];
        storeAt(access.values, i, entry);
      }
      return SIMBOARD_OK;
    default:
      return SIMBOARD_WRONG_TYPE;
  }
}

std::int32_t writeFieldTyped(const ParameterDefinition& definition, ParameterValue& slot,
                             const void* value, std::int32_t type) {
  if (type == runtime::kTypeField)
    return writeField(definition, slot, load<FieldParameterAccess>(value));
  if (type != runtime::kTypeLutEntry) return SIMBOARD_WRONG_TYPE;
  LutEntry entry = load<LutEntry>(value);
  if (entry.index >= definition.elements || !acceptElement(definition, entry.value))
    return SIMBOARD_OUT_OF_RANGE;
  slot.elements[entry.index] = entry.value;
  return SIMBOARD_OK;
}

std::int32_t readFieldTyped(const ParameterDefinition& definition, const ParameterValue& slot,
                            void* value, std::int32_t type) {
  if (type == runtime::kTypeField)
    return readField(definition, slot, load<FieldParameterAccess>(value));
  if (type != runtime::kTypeLutEntry) return SIMBOARD_WRONG_TYPE;
  // One entry: the caller names the index, the board fills in the value.
  LutEntry entry = load<LutEntry>(value);
  if (entry.index >= definition.elements) return SIMBOARD_OUT_OF_RANGE;
  entry.value = slot.elements[entry.index];
  store(value, entry);
  return SIMBOARD_OK;
}

}  // namespace

std::int32_t writeTypedValue(const ParameterDefinition& definition, ParameterValue& slot,
                             const void* value, std::int32_t type) {
  switch (definition.type) {
    case ValueType::F64: {
      if (type != runtime::kTypeDouble) return SIMBOARD_WRONG_TYPE;
      std::uint64_t bits = 0;
      if (!acceptDouble(definition, load<double>(value), bits)) return SIMBOARD_OUT_OF_RANGE;
      slot.bits = bits;
      return SIMBOARD_OK;
    }
    case ValueType::Str:
      return writeString(slot, value, type);
    case ValueType::Field:
      return writeFieldTyped(definition, slot, value, type);
    default:
      return writeInteger(definition, slot, value, type);
  }
}

std::int32_t readTyped(const ParameterDefinition& definition, const ParameterValue& slot,
                       void* value, std::int32_t type, char** handedOut) {
  switch (definition.type) {
    case ValueType::F64:
      if (type != runtime::kTypeDouble) return SIMBOARD_WRONG_TYPE;
      store(value, bitsToDouble(slot.bits));
      return SIMBOARD_OK;
    case ValueType::Str:
      return readString(slot, value, type, handedOut);
    case ValueType::Field:
      return readFieldTyped(definition, slot, value, type);
    default:
      return readInteger(definition, slot, value, type);
  }
}

}  // namespace brenvik::simboard
