// The catalogue of an applet's parameters: names, ids and SDK texts as the applet lists
// them, description records and their category paths, and how each value travels.
#include <algorithm>
#include <cstring>
#include <vector>

#include "AppletCore.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "semantics/SetPath.h"

namespace brenvik::detail {

namespace {

using runtime::ParameterRecord;

constexpr std::size_t kSdkTextSize = 4096;

struct Placed {
  const ParameterRecord* record;
  std::string category;
};

// Records of a category and its sub-categories, each with its category path.
void collect(const ParameterRecord& category, const std::string& path,
             std::vector<Placed>& placed) {
  std::string here = path;
  if (!here.empty()) here.append(" / ");
  here.append(utf8(category.displayName));
  for (const ParameterRecord* child : runtime::childrenOf(category)) {
    if (child == nullptr) continue;
    if (child->kind == runtime::kKindCategory) {
      collect(*child, here, placed);
    } else {
      placed.push_back({child, here});
    }
  }
}

std::vector<Placed> placedRecords(const ExportTable& exports, AppletHandle* handle) {
  std::vector<Placed> placed;
  const auto* newest = static_cast<const ParameterRecord*>(
      static_cast<const void*>(exports.Fg_getParameterInfo(handle, 0)));
  const ParameterRecord* oldest = newest;
  while (oldest != nullptr && oldest->olderRoot != nullptr) oldest = oldest->olderRoot;
  for (const ParameterRecord* root = oldest; root != nullptr; root = root->newerRoot) {
    collect(*root, "", placed);
  }
  return placed;
}

// How a described parameter's value travels.
ParameterHandle handleOfRecord(const ParameterRecord& record) {
  ParameterHandle handle;
  handle.id = record.id;
  switch (record.kind) {
    case runtime::kKindEnumeration:
      handle.kind = Kind::kEnumeration;
      handle.typeCode = runtime::kTypeUint32;
      break;
    case runtime::kKindInteger2:
      handle.typeCode = runtime::kTypeUint32;
      handle.isSigned = true;
      break;
    case runtime::kKindUint64:
    case runtime::kKindUint64b:
      handle.typeCode = runtime::kTypeUint64;
      break;
    case runtime::kKindDouble:
      handle.kind = Kind::kDouble;
      handle.typeCode = runtime::kTypeDouble;
      break;
    case runtime::kKindString:
      handle.kind = Kind::kString;
      handle.typeCode = runtime::kTypeStringCopy;
      break;
    case runtime::kKindIntegerField:
      handle.kind = Kind::kLookupTable;
      handle.typeCode = runtime::kTypeField;
      break;
    default:
      handle.typeCode = runtime::kTypeUint32;
      break;
  }
  return handle;
}

// How an undescribed parameter's value travels: by the SDK table's form; registers and
// hardware entries (and the runtime's own parameters, which answer in any type) as 64 bits.
ParameterHandle handleOfForm(std::int32_t id, const parameters::SdkParameter* row) {
  ParameterHandle handle;
  handle.id = id;
  handle.typeCode = runtime::kTypeUint64;
  if (row == nullptr) return handle;
  switch (row->form) {
    case parameters::ValueForm::kUint32:
      handle.typeCode = runtime::kTypeUint32;
      break;
    case parameters::ValueForm::kDouble:
      handle.kind = Kind::kDouble;
      handle.typeCode = runtime::kTypeDouble;
      break;
    case parameters::ValueForm::kText:
      handle.kind = Kind::kString;
      handle.typeCode = runtime::kTypeStringCopy;
      break;
    case parameters::ValueForm::kLutEntries:
      handle.kind = Kind::kLookupTable;
      handle.typeCode = runtime::kTypeField;
      break;
    case parameters::ValueForm::kUint64:
    case parameters::ValueForm::kAsRequested:
      break;
  }
  return handle;
}

bool readOnlyInTable(std::int32_t id) {
  const auto list = semantics::readOnlyParameters();
  return std::any_of(list.begin(), list.end(),
                     [id](const semantics::ReadOnlyParameter& row) { return row.id == id; });
}

}  // namespace

std::string utf8(const char* latin1) {
  std::string out;
  if (latin1 == nullptr) return out;
  for (const char byte : std::string_view(latin1)) {
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

void buildCatalogue(AppletCore& core) {
  const ExportTable& exports = *core.exports;
  AppletHandle* handle = &core.handle;
  const std::vector<Placed> placed = placedRecords(exports, handle);
  auto placedFor = [&](std::int32_t id) -> const Placed* {
    for (const Placed& p : placed) {
      if (p.record->id == id) return &p;
    }
    return nullptr;
  };

  const int count = exports.Fg_getNrOfParameter(handle);
  std::vector<char> text(kSdkTextSize);
  for (int ordinal = 0; ordinal < count; ++ordinal) {
    const char* name = exports.Fg_getParameterName(handle, ordinal);
    if (name == nullptr) continue;
    CatalogueEntry entry;
    entry.name = name;
    // Entries without an id of their own (the direct hardware entries) keep the applet's
    // answer; a get or set of them is the applet's to refuse.
    const std::int32_t id = exports.Fg_getParameterId(handle, ordinal);
    entry.listedId = id >= 0;
    if (core.byName.contains(entry.name)) continue;
    // The description query takes the name in the buffer and answers in the same buffer.
    std::strncpy(text.data(), name, text.size() - 1);
    if (exports.Fg_getParameterWithType(handle, parameters::kParameterDescriptionQuery, text.data(),
                                        0, runtime::kTypeString) == 0) {
      entry.sdkText = utf8(text.data());
    }
    const parameters::SdkParameter* row = parameters::findSdkParameter(id);
    entry.sdk = row != nullptr;
    entry.tableReadOnly = entry.sdk && readOnlyInTable(id);
    if (const Placed* p = placedFor(id)) {
      entry.record = p->record;
      entry.category = p->category;
      entry.handle = handleOfRecord(*p->record);
    } else {
      entry.handle = handleOfForm(id, row);
    }
    const auto slot = static_cast<std::uint32_t>(core.entries.size());
    entry.handle.slot = slot;
    core.byName.emplace(entry.name, slot);
    if (entry.listedId) core.byId.emplace_back(id, slot);
    core.entries.push_back(std::move(entry));
  }
  std::sort(core.byId.begin(), core.byId.end());
  for (const Placed& p : placed) {
    const CatalogueEntry* entry = core.find(p.record->id);
    if (entry != nullptr && entry->record == p.record) core.treeOrder.push_back(entry->handle.slot);
  }
}

const CatalogueEntry& AppletCore::entry(const ParameterHandle& parameter) const {
  if (parameter.slot >= entries.size() || entries[parameter.slot].handle.id != parameter.id) {
    throw Error(ErrorCategory::kUnknownName,
                "no parameter with id " + std::to_string(parameter.id) + " in this applet");
  }
  return entries[parameter.slot];
}

const CatalogueEntry* AppletCore::find(std::string_view name) const {
  const auto found = byName.find(name);
  return found == byName.end() ? nullptr : &entries[found->second];
}

const CatalogueEntry* AppletCore::find(std::int32_t id) const {
  const auto found = std::lower_bound(byId.begin(), byId.end(), std::pair{id, std::uint32_t{0}});
  return found == byId.end() || found->first != id ? nullptr : &entries[found->second];
}

void AppletCore::throwClosed() { throw Error(ErrorCategory::kClosed, "the applet is closed"); }

}  // namespace brenvik::detail
