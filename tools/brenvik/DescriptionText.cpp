// Description records as text for people.
#include "tools/brenvik/DescriptionText.h"

#include <string_view>

#include "runtime/ParameterRecord.h"

namespace brenvik::tool {

namespace {

struct KindName {
  std::int32_t kind;
  const char* name;
};

constexpr KindName kKindNames[] = {
    {runtime::kKindInteger, "integer"},
    {runtime::kKindEnumeration, "enumeration"},
    {runtime::kKindString, "string"},
    {runtime::kKindDouble, "double"},
    {runtime::kKindIntegerField, "integer field"},
    {runtime::kKindUint64, "uint64"},
    {runtime::kKindInteger2, "integer (kind 11)"},
    {runtime::kKindUint64b, "uint64 (kind 12)"},
};

}  // namespace

std::string kindName(std::int32_t kind) {
  for (const auto& entry : kKindNames) {
    if (entry.kind == kind) return entry.name;
  }
  return "kind " + std::to_string(kind);
}

const char* accessText(std::int32_t access) {
  const bool readable = (access & runtime::kAccessRead) != 0;
  const bool writable = (access & runtime::kAccessWrite) != 0;
  if (readable && writable) return "RW";
  if (readable) return "RO";
  if (writable) return "WO";
  return "--";
}

std::string printable(const char* text) {
  std::string out;
  if (text == nullptr) return out;
  for (const auto byte : std::string_view(text)) {
    const auto code = static_cast<unsigned char>(byte);
    if (code < 0x80) {
      out += byte;
    } else {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

}  // namespace brenvik::tool
