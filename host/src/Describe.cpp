// A parameter's description as the applet's record says it now, and names of kinds and
// access modes.
#include "AppletCore.h"

namespace brenvik {

std::string kindName(Kind kind) {
  switch (kind) {
    case Kind::kInteger:
      return "integer";
    case Kind::kEnumeration:
      return "enumeration";
    case Kind::kDouble:
      return "double";
    case Kind::kString:
      return "string";
    case Kind::kLookupTable:
      return "lookup table";
  }
  return "unknown";
}

std::string accessName(const ParameterInfo& info) {
  if (info.readable && info.writable) return "read-write";
  if (info.readable) return "read-only";
  if (info.writable) return "write-only";
  return "none";
}

namespace detail {

namespace {

using runtime::ParameterRecord;

void describeLimits(const ParameterRecord& record, ParameterInfo& info) {
  const auto& d = record.data;
  switch (record.kind) {
    case runtime::kKindInteger:  // limits above 2^31 stand for unsigned values
    case runtime::kKindEnumeration:
      info.minimum = std::int64_t{static_cast<std::uint32_t>(d.integer.minimum)};
      info.maximum = std::int64_t{static_cast<std::uint32_t>(d.integer.maximum)};
      info.step = std::int64_t{static_cast<std::uint32_t>(d.integer.step)};
      if (record.kind == runtime::kKindEnumeration) info.minimum = info.maximum = info.step = {};
      break;
    case runtime::kKindInteger2:
      info.minimum = std::int64_t{d.integer.minimum};
      info.maximum = std::int64_t{d.integer.maximum};
      info.step = std::int64_t{d.integer.step};
      break;
    case runtime::kKindDouble:
      info.minimum = d.real.minimum;
      info.maximum = d.real.maximum;
      info.step = d.real.step;
      break;
    case runtime::kKindUint64:
    case runtime::kKindUint64b:
      info.minimum = static_cast<std::int64_t>(d.uint64.minimum);
      info.maximum = static_cast<std::int64_t>(d.uint64.maximum);
      info.step = static_cast<std::int64_t>(d.uint64.step);
      break;
    case runtime::kKindIntegerField:
      info.minimum = std::int64_t{d.field.minimum};
      info.maximum = std::int64_t{d.field.maximum};
      info.elements =
          d.field.elementCount > 0 ? static_cast<std::uint32_t>(d.field.elementCount) : 0;
      break;
    default:
      break;
  }
}

void describeEntries(const ParameterRecord& record, ParameterInfo& info) {
  const auto& e = record.data.enumeration;
  if (record.kind != runtime::kKindEnumeration || e.values == nullptr) return;
  for (std::int32_t i = 0; i < e.entryCount; ++i) {
    EnumEntry entry;
    entry.value = e.values[i];
    if (record.entryNames != nullptr && record.entryNames[i] != nullptr) {
      entry.symbol = record.entryNames[i];
    }
    entry.displayName = utf8(e.displayNames != nullptr ? e.displayNames[i] : nullptr);
    info.entries.push_back(std::move(entry));
  }
}

}  // namespace

ParameterInfo describe(const CatalogueEntry& entry) {
  ParameterInfo info;
  info.name = entry.name;
  info.id = entry.handle.id;
  info.listedId = entry.listedId;
  info.sdkText = entry.sdkText;
  info.kind = entry.handle.kind;
  info.isSigned = entry.handle.isSigned;
  info.writable = !entry.tableReadOnly;
  if (entry.record == nullptr) return info;
  const ParameterRecord& record = *entry.record;
  info.described = true;
  info.displayName = utf8(record.displayName);
  info.category = entry.category;
  info.unit = utf8(record.unit);
  info.readable = (record.access & runtime::kAccessRead) != 0;
  info.writable = (record.access & runtime::kAccessWrite) != 0;
  describeLimits(record, info);
  describeEntries(record, info);
  return info;
}

}  // namespace detail

}  // namespace brenvik
