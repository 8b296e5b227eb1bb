// The per-port tree of parameter description records that Fg_getParameterInfo hands out:
// root categories linked newest first, records owned by the tree, and their create operations.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "runtime/ParameterRecord.h"

namespace brenvik::description {

// Description records by port, then parameter id (the applet's descriptionNodes).
using DescriptionNodes = std::map<std::int32_t, std::map<std::int32_t, runtime::ParameterRecord*>>;

// What every parameter record carries besides its kind's values. Texts are copied; a null
// unit means no unit text at all, an empty one an empty text.
struct RecordHeader {
  const char* displayName = nullptr;
  const char* name = nullptr;
  std::int32_t access = runtime::kAccessReadOnly;
  std::int32_t visibility = 1;
  std::int32_t flag = 1;
  const char* unit = nullptr;
  std::int32_t id = 0;
  std::int32_t port = 0;
};

class ParameterDescriptionTree {
 public:
  explicit ParameterDescriptionTree(std::int32_t portCount);
  ~ParameterDescriptionTree();
  ParameterDescriptionTree(const ParameterDescriptionTree&) = delete;
  ParameterDescriptionTree& operator=(const ParameterDescriptionTree&) = delete;

  std::int32_t portCount() const { return static_cast<std::int32_t>(ports_.size()); }

  // The newest root category of a port; null for a port out of range or without records.
  const runtime::ParameterRecord* root(std::int32_t port) const;

  // A frozen port accepts no further records.
  void freeze(std::int32_t port);
  bool frozen(std::int32_t port) const;
  // Number of records created for a port (0 for a port out of range).
  std::size_t recordCount(std::int32_t port) const;

  // Every create operation returns the new record, or null when the port is out of range or
  // frozen, or (parameter kinds) when the parent is missing, not a category or of another
  // port. Without a parent a category becomes the port's newest root. `nameField` fills the
  // name field of a category (copies of another tree's categories carry their source's).
  runtime::ParameterRecord* createCategory(std::int32_t port, runtime::ParameterRecord* parent,
                                           const char* name, const char* nameField = nullptr);
  runtime::ParameterRecord* createInteger(runtime::ParameterRecord* parent,
                                          const RecordHeader& header, std::int32_t minimum,
                                          std::int32_t maximum, std::int32_t step);
  // Laid out as an integer record, with kind 11.
  runtime::ParameterRecord* createInteger2(runtime::ParameterRecord* parent,
                                           const RecordHeader& header, std::int32_t minimum,
                                           std::int32_t maximum, std::int32_t step);
  // An enumeration with `entryCount` empty entries, filled by setEnumerationEntry.
  runtime::ParameterRecord* createEnumeration(runtime::ParameterRecord* parent,
                                              const RecordHeader& header, std::int32_t entryCount);
  runtime::ParameterRecord* createString(runtime::ParameterRecord* parent,
                                         const RecordHeader& header, const char* fileFilter);
  runtime::ParameterRecord* createDouble(runtime::ParameterRecord* parent,
                                         const RecordHeader& header, double minimum, double maximum,
                                         double step);
  runtime::ParameterRecord* createIntegerField(runtime::ParameterRecord* parent,
                                               const RecordHeader& header,
                                               std::int32_t elementCount, std::int32_t minimum,
                                               std::int32_t maximum, std::int32_t step);
  runtime::ParameterRecord* createUint64(runtime::ParameterRecord* parent,
                                         const RecordHeader& header, std::uint64_t minimum,
                                         std::uint64_t maximum, std::uint64_t step);
  // Laid out as an unsigned 64-bit record, with kind 12.
  runtime::ParameterRecord* createUint64b(runtime::ParameterRecord* parent,
                                          const RecordHeader& header, std::uint64_t minimum,
                                          std::uint64_t maximum, std::uint64_t step);

  // Sets entry `index` of an enumeration record of this tree, replacing earlier texts:
  // 0; -500 when a text cannot be allocated (the entry stays empty); -2070 for a record
  // that is not an enumeration of this tree or an index out of range.
  std::int32_t setEnumerationEntry(runtime::ParameterRecord* record, std::int32_t index,
                                   const char* displayName, std::int32_t value,
                                   const char* entryName);

 private:
  struct Node;
  struct Port {
    runtime::ParameterRecord* newestRoot = nullptr;
    std::vector<std::unique_ptr<Node>> records;
    bool frozen = false;
  };

  Port* writablePort(std::int32_t port);
  Node* nodeOf(const runtime::ParameterRecord* record) const;
  bool acceptsChild(const runtime::ParameterRecord* parent, std::int32_t port) const;
  runtime::ParameterRecord* commit(Port& port, std::unique_ptr<Node> node,
                                   runtime::ParameterRecord* parent);
  template <typename Fill>
  runtime::ParameterRecord* createParameter(runtime::ParameterRecord* parent,
                                            const RecordHeader& header, std::int32_t kind,
                                            Fill&& fill);

  std::vector<Port> ports_;
  std::unordered_map<const runtime::ParameterRecord*, Node*> nodes_;  // every record's owner
};

}  // namespace brenvik::description
