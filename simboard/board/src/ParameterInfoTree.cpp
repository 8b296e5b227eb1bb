// Builds the runtime's parameter-information tree of a design.
#include "ParameterInfoTree.h"

#include <cstring>
#include <limits>
#include <map>

#include "Design.h"
#include "ValueRules.h"

namespace brenvik::simboard {

namespace {

using runtime::ParameterRecord;

// Record kind of each value type.
std::int32_t kindOf(ValueType type) {
  switch (type) {
    case ValueType::U32:
      return runtime::kKindInteger;
    case ValueType::I32:
      return runtime::kKindInteger2;
    case ValueType::U64:
      return runtime::kKindUint64;
    case ValueType::I64:
      return runtime::kKindUint64b;
    case ValueType::F64:
      return runtime::kKindDouble;
    case ValueType::Str:
      return runtime::kKindString;
    case ValueType::Field:
      return runtime::kKindIntegerField;
  }
  return runtime::kKindInteger;
}

// A name "Device1_Process0_Module_Rest" splits into the process root "Device1_Process0",
// the module "Module" and the display name "Rest"; names of another shape go to "Other".
struct NameParts {
  std::string root;
  std::string module;
  std::string display;
};

NameParts splitName(const std::string& name) {
  std::size_t first = name.find('_');
  std::size_t second = first == std::string::npos ? first : name.find('_', first + 1);
  if (second != std::string::npos && name.compare(0, 6, "Device") == 0 &&
      name.compare(first + 1, 7, "Process") == 0) {
    std::size_t third = name.find('_', second + 1);
    std::string module =
        name.substr(second + 1, third == std::string::npos ? third : third - second - 1);
    std::string rest = third == std::string::npos ? module : name.substr(third + 1);
    return {name.substr(0, second), module, rest};
  }
  return {"Other", "Other", name};
}

std::int32_t low32(std::uint64_t bits) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits & 0xffffffffu));
}

}  // namespace

ParameterRecord* ParameterInfoTree::newRecord(std::int32_t kind) {
  ParameterRecord& record = records_.emplace_back();
  std::memset(&record, 0, sizeof record);
  record.kind = kind;
  return &record;
}

char* ParameterInfoTree::text(std::string_view value) { return texts_.emplace_back(value).data(); }

void ParameterInfoTree::addChild(ParameterRecord* parent, ParameterRecord* child) {
  auto& children = children_[static_cast<std::size_t>(parent->data.category.zero)];
  child->index = static_cast<std::int32_t>(children.size());
  children.push_back(child);
}

// Categories keep the position of their child list in `zero` while the tree is built;
// the constructor replaces it by 0 once the child arrays are final.
ParameterRecord* ParameterInfoTree::category(const std::string& name, ParameterRecord* parent) {
  ParameterRecord* record = newRecord(runtime::kKindCategory);
  record->displayName = text(name);
  record->name = text(name);  // categories carry their name in both fields
  record->access = runtime::kAccessReadOnly;
  record->visibility = 1;
  record->flag = 1;
  record->unit = text("");
  record->data.category.zero = static_cast<std::int32_t>(children_.size());
  children_.emplace_back();
  if (parent == nullptr) {
    // A new root goes in front of the older ones, newest first.
    record->olderRoot = newestRoot_;
    if (newestRoot_ != nullptr) newestRoot_->newerRoot = record;
    newestRoot_ = record;
  } else {
    record->depth = parent->depth + 1;
    record->parentName = text(parent->displayName);
    addChild(parent, record);
  }
  return record;
}

ParameterInfoTree::ParameterInfoTree(const Design& design) {
  std::map<std::string, ParameterRecord*> roots;
  std::map<std::pair<std::string, std::string>, ParameterRecord*> modules;
  for (std::size_t i = 0; i < design.parameters.size(); ++i) {
    const ParameterDefinition& definition = design.parameters[i];
    NameParts parts = splitName(definition.name);
    ParameterRecord*& root = roots[parts.root];
    if (root == nullptr) root = category(parts.root, nullptr);
    ParameterRecord*& module = modules[{parts.root, parts.module}];
    if (module == nullptr) module = category(parts.module, root);

    ParameterRecord* record = newRecord(kindOf(definition.type));
    record->displayName = text(parts.display);
    record->name = text(definition.name);
    record->access = definition.writable ? runtime::kAccessReadWrite : runtime::kAccessReadOnly;
    record->visibility = 1;
    record->flag = 1;
    record->id = static_cast<std::int32_t>(i + 1);
    record->unit = text("");
    switch (definition.type) {
      case ValueType::U32:
      case ValueType::I32:
        // 32-bit limits as patterns: the u32 maximum 4294967295 reads as -1.
        record->data.integer = {low32(definition.minimum), low32(definition.maximum), 1, 0};
        break;
      case ValueType::U64:
      case ValueType::I64:
        record->data.uint64 = {definition.minimum, definition.maximum, 1};
        break;
      case ValueType::F64:
        record->data.real = {bitsToDouble(definition.minimum), bitsToDouble(definition.maximum),
                             std::numeric_limits<double>::epsilon()};
        break;
      case ValueType::Str:
        record->data.string.fileFilter = text("");
        break;
      case ValueType::Field:
        record->data.field = {low32(definition.minimum), low32(definition.maximum),
                              static_cast<std::int32_t>(definition.elements), 0,
                              low32(definition.minimum)};
        break;
    }
    addChild(module, record);
  }
  // Child arrays are final now: hand them out and settle the running indices.
  for (ParameterRecord& record : records_) {
    if (record.kind != runtime::kKindCategory) continue;
    auto& children = children_[static_cast<std::size_t>(record.data.category.zero)];
    record.data.category.childCount = static_cast<std::int32_t>(children.size());
    record.data.category.zero = 0;
    record.data.category.children = children.empty() ? nullptr : children.data();
    record.data.category.nextIndex = static_cast<std::int32_t>(children.size());
  }
}

}  // namespace brenvik::simboard
