// The per-port tree of parameter description records: allocation, linking and freeing.
#include "description/ParameterDescriptionTree.h"

#include <cstring>
#include <new>
#include <string>

#include "runtime/ResultCodes.h"

namespace brenvik::description {

using runtime::ParameterRecord;

// One record and everything it points to. Nodes live on the heap and never move, so the
// pointers inside the record stay valid for the tree's life.
struct ParameterDescriptionTree::Node {
  ParameterRecord record;
  std::string displayName;
  std::string name;
  std::string unit;
  std::string parentName;
  std::string fileFilter;
  std::vector<ParameterRecord*> children;      // categories
  std::vector<std::string> entryDisplayTexts;  // enumerations: one slot per entry
  std::vector<std::string> entryNameTexts;
  std::vector<char*> entryDisplayNames;
  std::vector<char*> entryNames;
  std::vector<std::int32_t> entryValues;

  Node(std::int32_t kind, std::int32_t port) {
    std::memset(&record, 0, sizeof record);
    record.kind = kind;
    record.port = port;
  }
};

namespace {

// Copies a text into its slot; null stays null.
char* own(std::string& slot, const char* text) {
  if (text == nullptr) return nullptr;
  slot.assign(text);
  return slot.data();
}

}  // namespace

ParameterDescriptionTree::ParameterDescriptionTree(std::int32_t portCount)
    : ports_(portCount > 0 ? static_cast<std::size_t>(portCount) : 0u) {}

ParameterDescriptionTree::~ParameterDescriptionTree() = default;

const ParameterRecord* ParameterDescriptionTree::root(std::int32_t port) const {
  if (port < 0 || port >= portCount()) return nullptr;
  return ports_[static_cast<std::size_t>(port)].newestRoot;
}

void ParameterDescriptionTree::freeze(std::int32_t port) {
  if (port >= 0 && port < portCount()) ports_[static_cast<std::size_t>(port)].frozen = true;
}

bool ParameterDescriptionTree::frozen(std::int32_t port) const {
  return port >= 0 && port < portCount() && ports_[static_cast<std::size_t>(port)].frozen;
}

std::size_t ParameterDescriptionTree::recordCount(std::int32_t port) const {
  if (port < 0 || port >= portCount()) return 0;
  return ports_[static_cast<std::size_t>(port)].records.size();
}

ParameterDescriptionTree::Port* ParameterDescriptionTree::writablePort(std::int32_t port) {
  if (port < 0 || port >= portCount()) return nullptr;
  Port& entry = ports_[static_cast<std::size_t>(port)];
  return entry.frozen ? nullptr : &entry;
}

ParameterDescriptionTree::Node* ParameterDescriptionTree::nodeOf(
    const ParameterRecord* record) const {
  const auto found = nodes_.find(record);
  return found == nodes_.end() ? nullptr : found->second;
}

// A parent must be a category of this tree on the same port.
bool ParameterDescriptionTree::acceptsChild(const ParameterRecord* parent,
                                            std::int32_t port) const {
  return nodeOf(parent) != nullptr && parent->kind == runtime::kKindCategory &&
         parent->port == port;
}

// Hands a fully built node to its port and links it below its parent. Every allocation
// happens before the first change, so a bad_alloc leaves the tree as it was.
ParameterRecord* ParameterDescriptionTree::commit(Port& port, std::unique_ptr<Node> node,
                                                  ParameterRecord* parent) {
  Node* parentNode = parent != nullptr ? nodeOf(parent) : nullptr;
  port.records.reserve(port.records.size() + 1);
  if (parentNode != nullptr) parentNode->children.reserve(parentNode->children.size() + 1);
  nodes_.emplace(&node->record, node.get());
  ParameterRecord* record = &node->record;
  port.records.push_back(std::move(node));
  if (parentNode != nullptr) {
    // The child array grows by one: the old children, then the new one at the parent's
    // running index.
    auto& category = parent->data.category;
    record->index = category.nextIndex;
    parentNode->children.push_back(record);
    category.children = parentNode->children.data();
    category.childCount = static_cast<std::int32_t>(parentNode->children.size());
    category.nextIndex += 1;
  }
  return record;
}

ParameterRecord* ParameterDescriptionTree::createCategory(std::int32_t port,
                                                          ParameterRecord* parent, const char* name,
                                                          const char* nameField) {
  Port* entry = writablePort(port);
  if (entry == nullptr || (parent != nullptr && !acceptsChild(parent, port))) return nullptr;
  try {
    auto node = std::make_unique<Node>(runtime::kKindCategory, port);
    ParameterRecord& record = node->record;
    record.displayName = own(node->displayName, name != nullptr ? name : "");
    record.name = own(node->name, nameField);
    record.access = runtime::kAccessReadOnly;
    record.visibility = 1;
    record.flag = 1;
    if (parent != nullptr) {
      record.depth = parent->depth + 1;
      record.parentName = own(node->parentName, parent->displayName);
      return commit(*entry, std::move(node), parent);
    }
    ParameterRecord* root = commit(*entry, std::move(node), nullptr);
    // A new root goes in front of the older ones.
    root->olderRoot = entry->newestRoot;
    if (entry->newestRoot != nullptr) entry->newestRoot->newerRoot = root;
    entry->newestRoot = root;
    return root;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

template <typename Fill>
ParameterRecord* ParameterDescriptionTree::createParameter(ParameterRecord* parent,
                                                           const RecordHeader& header,
                                                           std::int32_t kind, Fill&& fill) {
  Port* entry = writablePort(header.port);
  if (entry == nullptr || parent == nullptr || !acceptsChild(parent, header.port)) {
    return nullptr;
  }
  try {
    auto node = std::make_unique<Node>(kind, header.port);
    ParameterRecord& record = node->record;
    record.displayName = own(node->displayName, header.displayName);
    record.name = own(node->name, header.name);
    record.access = header.access;
    record.visibility = header.visibility;
    record.flag = header.flag;
    record.id = header.id;
    record.unit = own(node->unit, header.unit);
    fill(*node);
    return commit(*entry, std::move(node), parent);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

ParameterRecord* ParameterDescriptionTree::createInteger(ParameterRecord* parent,
                                                         const RecordHeader& header,
                                                         std::int32_t minimum, std::int32_t maximum,
                                                         std::int32_t step) {
  return createParameter(parent, header, runtime::kKindInteger, [&](Node& node) {
    node.record.data.integer = {minimum, maximum, step, 0};
  });
}

ParameterRecord* ParameterDescriptionTree::createInteger2(ParameterRecord* parent,
                                                          const RecordHeader& header,
                                                          std::int32_t minimum,
                                                          std::int32_t maximum, std::int32_t step) {
  return createParameter(parent, header, runtime::kKindInteger2, [&](Node& node) {
    node.record.data.integer = {minimum, maximum, step, 0};
  });
}

ParameterRecord* ParameterDescriptionTree::createEnumeration(ParameterRecord* parent,
                                                             const RecordHeader& header,
                                                             std::int32_t entryCount) {
  if (entryCount < 0) return nullptr;
  return createParameter(parent, header, runtime::kKindEnumeration, [&](Node& node) {
    const auto count = static_cast<std::size_t>(entryCount);
    node.entryDisplayTexts.resize(count);
    node.entryNameTexts.resize(count);
    node.entryDisplayNames.assign(count, nullptr);
    node.entryNames.assign(count, nullptr);
    node.entryValues.assign(count, 0);
    auto& enumeration = node.record.data.enumeration;
    enumeration.entryCount = entryCount;
    if (count == 0) return;
    enumeration.displayNames = node.entryDisplayNames.data();
    enumeration.values = node.entryValues.data();
    node.record.entryNames = node.entryNames.data();
  });
}

ParameterRecord* ParameterDescriptionTree::createString(ParameterRecord* parent,
                                                        const RecordHeader& header,
                                                        const char* fileFilter) {
  return createParameter(parent, header, runtime::kKindString, [&](Node& node) {
    node.record.data.string.fileFilter = own(node.fileFilter, fileFilter);
  });
}

ParameterRecord* ParameterDescriptionTree::createDouble(ParameterRecord* parent,
                                                        const RecordHeader& header, double minimum,
                                                        double maximum, double step) {
  return createParameter(parent, header, runtime::kKindDouble, [&](Node& node) {
    node.record.data.real = {minimum, maximum, step};
  });
}

// The field's step is not stored: its place holds the minimum again.
ParameterRecord* ParameterDescriptionTree::createIntegerField(
    ParameterRecord* parent, const RecordHeader& header, std::int32_t elementCount,
    std::int32_t minimum, std::int32_t maximum, std::int32_t /*step*/) {
  return createParameter(parent, header, runtime::kKindIntegerField, [&](Node& node) {
    node.record.data.field = {minimum, maximum, elementCount, 0, minimum};
  });
}

ParameterRecord* ParameterDescriptionTree::createUint64(ParameterRecord* parent,
                                                        const RecordHeader& header,
                                                        std::uint64_t minimum,
                                                        std::uint64_t maximum, std::uint64_t step) {
  return createParameter(parent, header, runtime::kKindUint64, [&](Node& node) {
    node.record.data.uint64 = {minimum, maximum, step};
  });
}

ParameterRecord* ParameterDescriptionTree::createUint64b(ParameterRecord* parent,
                                                         const RecordHeader& header,
                                                         std::uint64_t minimum,
                                                         std::uint64_t maximum,
                                                         std::uint64_t step) {
  return createParameter(parent, header, runtime::kKindUint64b, [&](Node& node) {
    node.record.data.uint64 = {minimum, maximum, step};
  });
}

std::int32_t ParameterDescriptionTree::setEnumerationEntry(ParameterRecord* record,
                                                           std::int32_t index,
                                                           const char* displayName,
                                                           std::int32_t value,
                                                           const char* entryName) {
  Node* node = nodeOf(record);
  if (node == nullptr || record->kind != runtime::kKindEnumeration || index < 0 ||
      index >= record->data.enumeration.entryCount) {
    return codes::kInvalidParameter;
  }
  const auto at = static_cast<std::size_t>(index);
  node->entryDisplayNames[at] = nullptr;
  node->entryNames[at] = nullptr;
  node->entryValues[at] = 0;
  try {
    const char* display = displayName != nullptr ? displayName : "";
    node->entryDisplayNames[at] = own(node->entryDisplayTexts[at], display);
    node->entryNames[at] = own(node->entryNameTexts[at], entryName);
  } catch (const std::bad_alloc&) {
    node->entryDisplayNames[at] = nullptr;
    node->entryNames[at] = nullptr;
    return codes::kBufferTooSmall;
  }
  node->entryValues[at] = value;
  return codes::kSuccess;
}

}  // namespace brenvik::description
