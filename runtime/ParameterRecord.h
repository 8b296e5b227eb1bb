// The 128-byte parameter-information record shared with the SDK runtime: the applet hands
// its description tree out in this layout, and the SDK runtime reports its own parameters
// in it. Little-endian, 64-bit pointers; fields a kind does not use are zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace brenvik::runtime {

enum RecordKind : std::int32_t {
  kKindCategory = 0,
  kKindInteger = 1,
  kKindEnumeration = 3,
  kKindString = 5,
  kKindDouble = 6,
  kKindIntegerField = 7,
  kKindUint64 = 9,
  kKindInteger2 = 11,  // laid out as kKindInteger
  kKindUint64b = 12,   // laid out as kKindUint64
};

// Access bits.
inline constexpr std::int32_t kAccessRead = 1;
inline constexpr std::int32_t kAccessWrite = 2;
inline constexpr std::int32_t kAccessReadOnly = 1;
inline constexpr std::int32_t kAccessReadWrite = 7;

struct ParameterRecord;

struct IntegerLimits {  // kinds 1 and 11
  std::int32_t minimum;
  std::int32_t maximum;
  std::int32_t step;
  std::int32_t zero;
};
struct DoubleLimits {  // kind 6
  double minimum;
  double maximum;
  double step;
};
struct Uint64Limits {  // kinds 9 and 12
  std::uint64_t minimum;
  std::uint64_t maximum;
  std::uint64_t step;
};
struct FieldLimits {  // kind 7
  std::int32_t minimum;
  std::int32_t maximum;
  std::int32_t elementCount;
  std::int32_t zero;
  std::int32_t minimumAgain;
};
struct EnumerationData {  // kind 3
  std::int32_t entryCount;
  std::int32_t zero;
  char** displayNames;
  std::int32_t* values;
};
struct StringData {  // kind 5
  std::uint64_t zero;
  char* fileFilter;
};
struct CategoryData {  // kind 0
  std::int32_t childCount;
  std::int32_t zero;
  ParameterRecord** children;
  std::int32_t nextIndex;
};

struct ParameterRecord {
  std::int32_t kind;
  std::int32_t index;  // position in the parent category
  char* displayName;
  char* name;
  std::int32_t access;
  std::int32_t visibility;
  std::int32_t flag;  // 1: described in the XML
  std::int32_t id;
  union Data {
    IntegerLimits integer;
    DoubleLimits real;
    Uint64Limits uint64;
    FieldLimits field;
    EnumerationData enumeration;
    StringData string;
    CategoryData category;
    std::uint8_t raw[32];
  } data;
  char** entryNames;             // enumeration: entry names (an element may be null)
  ParameterRecord* olderRoot;    // roots only
  ParameterRecord* newerRoot;    // roots only
  std::int32_t depth;            // category: 0 for a root
  std::int32_t reserved0;
  char* parentName;              // category: copy of the parent's name
  char* unit;
  std::int32_t port;
  std::int32_t reserved1;
};

// The children of a category record in index order (entries may be null); empty for a
// category without children or for a record of another kind.
inline std::span<ParameterRecord* const> childrenOf(const ParameterRecord& category) {
  const CategoryData& data = category.data.category;
  if (category.kind != kKindCategory || data.children == nullptr || data.childCount <= 0) {
    return {};
  }
  return {data.children, static_cast<std::size_t>(data.childCount)};
}

static_assert(sizeof(ParameterRecord) == 128);
static_assert(offsetof(ParameterRecord, kind) == 0);
static_assert(offsetof(ParameterRecord, index) == 4);
static_assert(offsetof(ParameterRecord, displayName) == 8);
static_assert(offsetof(ParameterRecord, name) == 16);
static_assert(offsetof(ParameterRecord, access) == 24);
static_assert(offsetof(ParameterRecord, visibility) == 28);
static_assert(offsetof(ParameterRecord, flag) == 32);
static_assert(offsetof(ParameterRecord, id) == 36);
static_assert(offsetof(ParameterRecord, data) == 40);
static_assert(offsetof(ParameterRecord, data.integer.maximum) == 44);
static_assert(offsetof(ParameterRecord, data.integer.step) == 48);
static_assert(offsetof(ParameterRecord, data.real.maximum) == 48);
static_assert(offsetof(ParameterRecord, data.real.step) == 56);
static_assert(offsetof(ParameterRecord, data.uint64.step) == 56);
static_assert(offsetof(ParameterRecord, data.field.elementCount) == 48);
static_assert(offsetof(ParameterRecord, data.field.minimumAgain) == 56);
static_assert(offsetof(ParameterRecord, data.enumeration.displayNames) == 48);
static_assert(offsetof(ParameterRecord, data.enumeration.values) == 56);
static_assert(offsetof(ParameterRecord, data.string.fileFilter) == 48);
static_assert(offsetof(ParameterRecord, data.category.children) == 48);
static_assert(offsetof(ParameterRecord, data.category.nextIndex) == 56);
static_assert(offsetof(ParameterRecord, entryNames) == 72);
static_assert(offsetof(ParameterRecord, olderRoot) == 80);
static_assert(offsetof(ParameterRecord, newerRoot) == 88);
static_assert(offsetof(ParameterRecord, depth) == 96);
static_assert(offsetof(ParameterRecord, parentName) == 104);
static_assert(offsetof(ParameterRecord, unit) == 112);
static_assert(offsetof(ParameterRecord, port) == 120);

}  // namespace brenvik::runtime
