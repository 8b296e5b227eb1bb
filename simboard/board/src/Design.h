// The hardware-applet design as the board sees it: identity, parameters, registers, events.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/HardwareAppletRuntime.h"

namespace brenvik::simboard {

class ParameterInfoTree;

enum class ValueType : std::uint8_t { U32, I32, U64, I64, F64, Str, Field };

// Longest text a string parameter may hold (without the terminating zero).
inline constexpr std::size_t kMaxTextLength = 1023;
// Largest element count of a field parameter.
inline constexpr std::uint32_t kMaxFieldElements = 65536;
// Hardware parameter ids run 1 … n; the runtime's own parameters start at this id.
inline constexpr std::int32_t kFirstRuntimeParameterId = 600;
// At most this many events: event n has mask bit 2^n in a 64-bit mask.
inline constexpr std::size_t kMaxEvents = 64;

inline bool isSigned(ValueType type) { return type == ValueType::I32 || type == ValueType::I64; }
bool isInteger(ValueType type);  // u32, i32, u64, i64

// Limits and values of integer parameters travel as 64-bit patterns read by the type:
// signed types as int64, unsigned types as uint64, doubles as the double's bits.
struct ParameterDefinition {
  std::string name;
  ValueType type = ValueType::U32;
  std::uint32_t elements = 0;  // fields only
  bool writable = true;
  std::uint64_t minimum = 0;  // for fields: the per-element limits
  std::uint64_t maximum = 0;
  std::uint64_t initial = 0;                   // scalars
  std::string initialText;                     // strings
  std::vector<std::uint32_t> initialElements;  // fields
};

struct RegisterDefinition {
  std::string name;
  std::string journalName;  // "register:" + name
  std::uint32_t id = 0;
  std::uint32_t width = 32;
  bool writable = true;
  std::uint64_t initial = 0;
};

struct EventDefinition {
  std::string name;
  std::int32_t kind = 1;
  std::string description;
};

// Where the size of a transferred picture comes from: width x height x bytes per pixel,
// the bytes chosen by the value of a format selector (index into bytesPerPixel).
struct TransferDefinition {
  int widthParameter = -1;  // parameter indices, -1 when the design has no transfer line
  int heightParameter = -1;
  int formatParameter = -1;
  std::vector<std::uint32_t> bytesPerPixel;
};

struct StringHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const noexcept {
    return std::hash<std::string_view>{}(text);
  }
};

class Design {
 public:
  Design();
  ~Design();
  Design(const Design&) = delete;
  Design& operator=(const Design&) = delete;

  std::string appletName;
  std::int32_t appletId = 0;
  std::string version;
  std::string buildTime;
  std::vector<ParameterDefinition> parameters;  // id = index + 1
  std::vector<RegisterDefinition> registers;    // number = index + 1
  std::vector<EventDefinition> events;          // number = index
  TransferDefinition transfer;

  // Builds the lookup tables and event descriptors; the parser calls it once at the end.
  void finish();

  // Index of a parameter by name, or -1.
  int parameterIndex(std::string_view name) const;
  // Index of a register by name or by id, or -1.
  int registerIndexByName(std::string_view name) const;
  int registerIndexById(std::uint32_t id) const;
  // Descriptor of event n, or null past the last one.
  const MolvrtEventDescriptor* eventDescriptor(std::uint32_t number) const;
  // The runtime's parameter-information tree of this design, built on first use.
  const ParameterInfoTree& parameterInfo() const;

 private:
  std::unordered_map<std::string, int, StringHash, std::equal_to<>> parameterByName_;
  std::unordered_map<std::string, int, StringHash, std::equal_to<>> registerByName_;
  std::unordered_map<std::uint32_t, int> registerById_;
  std::vector<MolvrtEventDescriptor> descriptors_;
  mutable std::once_flag treeOnce_;
  mutable std::unique_ptr<ParameterInfoTree> tree_;
};

using DesignPtr = std::shared_ptr<const Design>;

}  // namespace brenvik::simboard
