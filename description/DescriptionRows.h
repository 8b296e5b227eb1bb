// The applet's parameter description as data: one row per described SDK parameter, in the
// order the tree is built, and the enumeration lists that the rows refer to.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace brenvik::description {

struct EnumerationEntry {
  const char* displayName;
  std::int32_t value;
  const char* name;
};

struct EnumerationList {
  const char* label;  // "T1", "YN", ...
  std::span<const EnumerationEntry> entries;
};

// Values of a row; which members count depends on the kind.
struct RowValues {
  std::int64_t minimum = 0;  // integer, integer field, unsigned 64-bit
  std::int64_t maximum = 0;
  std::int64_t step = 0;
  double realMinimum = 0;  // double
  double realMaximum = 0;
  double realStep = 0;
  std::int32_t elementCount = 0;          // integer field
  const EnumerationList* list = nullptr;  // enumeration
  const char* fileFilter = nullptr;       // string
};

struct DescriptionRow {
  const char* categoryPath;  // levels joined by " / ", e.g. "Trigger / Queue"
  const char* displayName;
  const char* name;
  std::int32_t kind;  // runtime::RecordKind
  RowValues values;
  const char* unit;  // "" for none
  std::int32_t access;
  std::int32_t visibility;
  std::int32_t id;
};

// The root categories of port 0, in the order they are created.
std::span<const char* const> rootCategories();

// Every described SDK parameter, in the order its record is created.
std::span<const DescriptionRow> descriptionRows();

// All enumeration lists, for lookups by label in tests and tools.
std::span<const EnumerationList* const> enumerationLists();

// Separator between the levels of a category path.
inline constexpr std::string_view kPathSeparator = " / ";

// Entry display names are copied through a buffer of this size, terminator included.
inline constexpr std::size_t kEntryDisplayNameBuffer = 256;

}  // namespace brenvik::description
