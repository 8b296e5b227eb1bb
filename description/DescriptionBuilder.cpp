// Builds port 0's description: SDK parameters from the rows, direct registers from the
// hardware applet, direct hardware parameters copied from the SDK runtime's tree.
#include "description/DescriptionBuilder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <set>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "description/DescriptionRows.h"
#include "runtime/HardwareAppletRuntime.h"

namespace brenvik::description {

using runtime::ParameterRecord;

namespace {

constexpr std::uint32_t kNarrowRegisterBits = 32;
constexpr std::uint32_t kWidestRegisterBits = 64;

// A 64-bit table value kept as its low 32 bits, the way the record stores wide limits.
std::int32_t pattern32(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// --- SDK parameters ---

using CategoryPaths = std::map<std::string, ParameterRecord*, std::less<>>;

// The category of a path, created with its missing ancestors on first use.
ParameterRecord* categoryOf(ParameterDescriptionTree& tree, CategoryPaths& paths,
                            std::string_view path) {
  if (const auto known = paths.find(path); known != paths.end()) return known->second;
  const auto split = path.rfind(kPathSeparator);
  ParameterRecord* parent = nullptr;
  std::string_view leaf = path;
  if (split != std::string_view::npos) {
    parent = categoryOf(tree, paths, path.substr(0, split));
    if (parent == nullptr) return nullptr;
    leaf = path.substr(split + kPathSeparator.size());
  }
  ParameterRecord* category =
      tree.createCategory(kDescribedPort, parent, std::string(leaf).c_str());
  paths.emplace(std::string(path), category);
  return category;
}

void fillEntries(ParameterDescriptionTree& tree, ParameterRecord* record,
                 const EnumerationList& list) {
  std::int32_t index = 0;
  for (const EnumerationEntry& entry : list.entries) {
    // Display names pass through a fixed buffer, so overlong ones are cut.
    std::array<char, kEntryDisplayNameBuffer> display{};
    const std::size_t length = std::min(std::strlen(entry.displayName), display.size() - 1);
    std::memcpy(display.data(), entry.displayName, length);
    tree.setEnumerationEntry(record, index++, display.data(), entry.value, entry.name);
  }
}

ParameterRecord* createRow(ParameterDescriptionTree& tree, ParameterRecord* parent,
                           const DescriptionRow& row) {
  const RecordHeader header{row.displayName, row.name, row.access,    row.visibility, 1,
                            row.unit,        row.id,   kDescribedPort};
  const RowValues& v = row.values;
  switch (row.kind) {
    case runtime::kKindInteger:
      return tree.createInteger(parent, header, pattern32(v.minimum), pattern32(v.maximum),
                                pattern32(v.step));
    case runtime::kKindDouble:
      return tree.createDouble(parent, header, v.realMinimum, v.realMaximum, v.realStep);
    case runtime::kKindString:
      return tree.createString(parent, header, v.fileFilter);
    case runtime::kKindIntegerField:
      return tree.createIntegerField(parent, header, v.elementCount, pattern32(v.minimum),
                                     pattern32(v.maximum), pattern32(v.step));
    case runtime::kKindUint64:
      return tree.createUint64(parent, header, static_cast<std::uint64_t>(v.minimum),
                               static_cast<std::uint64_t>(v.maximum),
                               static_cast<std::uint64_t>(v.step));
    case runtime::kKindEnumeration: {
      ParameterRecord* record =
          tree.createEnumeration(parent, header, static_cast<std::int32_t>(v.list->entries.size()));
      if (record != nullptr) fillEntries(tree, record, *v.list);
      return record;
    }
    default:
      return nullptr;
  }
}

// --- Direct hardware parameters ---

// The SDK runtime's tree, walked once breadth-first from its newest root along the older
// roots and into every category: the first record reached for each parameter id, and the
// category each record was reached from. Records met twice are walked once.
class RuntimeTreeIndex {
 public:
  explicit RuntimeTreeIndex(const ParameterRecord* newestRoot) {
    std::deque<const ParameterRecord*> queue;
    std::set<const ParameterRecord*> seen;
    auto reach = [&](const ParameterRecord* record, const ParameterRecord* from) {
      if (record == nullptr || !seen.insert(record).second) return;
      parents_.emplace(record, from);
      queue.push_back(record);
    };
    reach(newestRoot, nullptr);
    while (!queue.empty()) {
      const ParameterRecord* record = queue.front();
      queue.pop_front();
      if (record->kind != runtime::kKindCategory) {
        parameters_.emplace(record->id, record);
        continue;
      }
      const auto& category = record->data.category;
      if (category.children != nullptr) {
        for (std::int32_t i = 0; i < category.childCount; ++i) reach(category.children[i], record);
      }
      if (record->olderRoot != nullptr && record->olderRoot->kind == runtime::kKindCategory) {
        reach(record->olderRoot, nullptr);
      }
    }
  }

  const ParameterRecord* parameter(std::int32_t id) const {
    const auto found = parameters_.find(id);
    return found == parameters_.end() ? nullptr : found->second;
  }
  const ParameterRecord* parentOf(const ParameterRecord* record) const {
    const auto found = parents_.find(record);
    return found == parents_.end() ? nullptr : found->second;
  }

 private:
  std::unordered_map<std::int32_t, const ParameterRecord*> parameters_;
  std::unordered_map<const ParameterRecord*, const ParameterRecord*> parents_;
};

bool isCopiedKind(std::int32_t kind) {
  switch (kind) {
    case runtime::kKindInteger:
    case runtime::kKindEnumeration:
    case runtime::kKindString:
    case runtime::kKindDouble:
    case runtime::kKindUint64:
    case runtime::kKindInteger2:
    case runtime::kKindUint64b:
      return true;
    default:
      return false;
  }
}

// Copies of the runtime's categories below "Direct Tolq Access", each made once.
class CategoryCopies {
 public:
  CategoryCopies(ParameterDescriptionTree& tree, ParameterRecord* root)
      : tree_(tree), root_(root) {}

  // The copy of `category`, with the chain of its ancestors up to the runtime's root.
  ParameterRecord* copyOf(const RuntimeTreeIndex& index, const ParameterRecord* category) {
    std::vector<const ParameterRecord*> chain;
    for (const ParameterRecord* c = category; c != nullptr; c = index.parentOf(c)) {
      chain.push_back(c);
    }
    ParameterRecord* parent = root_;
    for (auto c = chain.rbegin(); c != chain.rend() && parent != nullptr; ++c) {
      ParameterRecord*& copy = copies_[*c];
      if (copy == nullptr) {
        copy =
            tree_.createCategory(kDescribedPort, parent,
                                 (*c)->displayName != nullptr ? (*c)->displayName : "", (*c)->name);
      }
      parent = copy;
    }
    return parent;
  }

 private:
  ParameterDescriptionTree& tree_;
  ParameterRecord* root_;
  std::unordered_map<const ParameterRecord*, ParameterRecord*> copies_;
};

void copyEntries(ParameterDescriptionTree& tree, ParameterRecord* copy,
                 const ParameterRecord& source) {
  const auto& entries = source.data.enumeration;
  for (std::int32_t i = 0; i < entries.entryCount; ++i) {
    const char* display = entries.displayNames != nullptr ? entries.displayNames[i] : nullptr;
    if (display == nullptr) continue;  // an empty entry stays empty
    const std::int32_t value = entries.values != nullptr ? entries.values[i] : 0;
    const char* name = source.entryNames != nullptr ? source.entryNames[i] : nullptr;
    tree.setEnumerationEntry(copy, i, display, value, name);
  }
}

ParameterRecord* copyParameter(ParameterDescriptionTree& tree, ParameterRecord* parent,
                               const ParameterRecord& source, const std::string& name,
                               std::int32_t id) {
  const RecordHeader header{
      source.displayName, name.c_str(), source.access, source.visibility, source.flag,
      source.unit,        id,           kDescribedPort};
  const auto& d = source.data;
  switch (source.kind) {
    case runtime::kKindInteger:
      return tree.createInteger(parent, header, d.integer.minimum, d.integer.maximum,
                                d.integer.step);
    case runtime::kKindInteger2:
      return tree.createInteger2(parent, header, d.integer.minimum, d.integer.maximum,
                                 d.integer.step);
    case runtime::kKindUint64:
      return tree.createUint64(parent, header, d.uint64.minimum, d.uint64.maximum, d.uint64.step);
    case runtime::kKindUint64b:
      return tree.createUint64b(parent, header, d.uint64.minimum, d.uint64.maximum, d.uint64.step);
    case runtime::kKindDouble:
      return tree.createDouble(parent, header, d.real.minimum, d.real.maximum, d.real.step);
    case runtime::kKindString:
      return tree.createString(parent, header, d.string.fileFilter);
    case runtime::kKindEnumeration: {
      ParameterRecord* copy = tree.createEnumeration(parent, header, d.enumeration.entryCount);
      if (copy != nullptr) copyEntries(tree, copy, source);
      return copy;
    }
    default:
      return nullptr;
  }
}

}  // namespace

void buildSdkDescription(ParameterDescriptionTree& tree, DescriptionNodes& nodes) {
  CategoryPaths paths;
  for (const char* root : rootCategories()) {
    paths.emplace(root, tree.createCategory(kDescribedPort, nullptr, root));
  }
  auto& port = nodes[kDescribedPort];
  for (const DescriptionRow& row : descriptionRows()) {
    ParameterRecord* record = createRow(tree, categoryOf(tree, paths, row.categoryPath), row);
    if (record != nullptr) port[row.id] = record;
  }
}

void buildRegisterDescription(ParameterDescriptionTree& tree, DescriptionNodes& nodes,
                              void* hapHandle) {
  ParameterRecord* root = tree.createCategory(kDescribedPort, nullptr, kRegisterCategory);
  if (root == nullptr || hapHandle == nullptr) return;
  auto& port = nodes[kDescribedPort];
  const std::int32_t count = Molvrt_RegisterCount(hapHandle);
  for (std::int32_t number = 1; number <= count; ++number) {
    const char* registerName = Molvrt_RegisterName(hapHandle, number);
    if (registerName == nullptr) continue;
    const std::uint32_t registerId = Molvrt_RegisterId(hapHandle, registerName);
    const std::uint32_t width = Molvrt_RegisterWidth(hapHandle, registerId);
    const bool writable = Molvrt_RegisterFlag(hapHandle, registerId) != 0;
    const std::string name = std::string("DRA_") + registerName;
    const std::string display = std::string(registerName) + " (" + std::to_string(width) + ")";
    const auto id =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(kRegisterIdBase) + registerId);
    const RecordHeader header{display.c_str(),
                              name.c_str(),
                              writable ? runtime::kAccessReadWrite : runtime::kAccessReadOnly,
                              1,
                              1,
                              "",
                              id,
                              kDescribedPort};
    ParameterRecord* record = nullptr;
    if (width > kNarrowRegisterBits) {
      const std::uint64_t maximum =
          width >= kWidestRegisterBits ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
      record = tree.createUint64(root, header, 0, maximum, 1);
    } else {
      const std::uint32_t maximum =
          width >= kNarrowRegisterBits ? ~std::uint32_t{0} : (std::uint32_t{1} << width) - 1;
      record = tree.createInteger(root, header, 0, static_cast<std::int32_t>(maximum), 1);
    }
    if (record != nullptr) port[id] = record;
  }
}

void buildDirectParameterDescription(ParameterDescriptionTree& tree,
                                     const ParameterRecord* runtimeTree,
                                     const DirectParameterIds& directParameters) {
  if (directParameters.empty()) return;
  ParameterRecord* root = tree.createCategory(kDescribedPort, nullptr, kDirectParameterCategory);
  if (root == nullptr || runtimeTree == nullptr) return;
  const RuntimeTreeIndex index(runtimeTree);
  CategoryCopies copies(tree, root);
  for (const auto& [name, id] : directParameters) {
    const ParameterRecord* source = index.parameter(id - kDirectParameterIdBase);
    if (source == nullptr || !isCopiedKind(source->kind)) continue;
    ParameterRecord* category = copies.copyOf(index, index.parentOf(source));
    if (category == nullptr) continue;
    const std::string copyName =
        std::string("DTOLQA_") + (source->name != nullptr ? source->name : "");
    copyParameter(tree, category, *source, copyName, id);
  }
}

void buildPortDescription(const DescriptionSources& sources) {
  buildSdkDescription(sources.tree, sources.nodes);
  if (sources.draEnabled) buildRegisterDescription(sources.tree, sources.nodes, sources.hapHandle);
  buildDirectParameterDescription(sources.tree, sources.runtimeTree, sources.directParameters);
}

}  // namespace brenvik::description
