// Helpers of the description tests: a built port, record lookups by name, raw field reads
// at byte offsets, and a simulated SDK runtime with its own parameter tree.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "description/DescriptionBuilder.h"
#include "description/ParameterDescriptionTree.h"
#include "runtime/ParameterRecord.h"

namespace brenvik::description::test {

using runtime::ParameterRecord;

// Port 0 built as the applet builds it, without direct access.
struct BuiltPort {
  ParameterDescriptionTree tree{1};
  DescriptionNodes nodes;
  BuiltPort() { buildSdkDescription(tree, nodes); }
  const ParameterRecord* byId(std::int32_t id) const { return nodes.at(0).at(id); }
};

// The child of a category with the given display name, or null.
const ParameterRecord* child(const ParameterRecord* category, std::string_view displayName);

// Display names of a category's children, in index order.
std::vector<std::string> childNames(const ParameterRecord* category);

// Display names of a port's roots, newest first.
std::vector<std::string> rootNames(const ParameterRecord* newest);

// A field of a record read straight from its bytes, the way another module sees it.
template <typename Value>
Value at(const ParameterRecord* record, std::size_t offset) {
  Value value{};
  std::memcpy(&value, reinterpret_cast<const unsigned char*>(record) + offset, sizeof value);
  return value;
}

// An SDK runtime of the simulated board, initialised on a design text.
class SimulatedRuntime {
 public:
  explicit SimulatedRuntime(const std::string& design);
  ~SimulatedRuntime();
  SimulatedRuntime(const SimulatedRuntime&) = delete;
  SimulatedRuntime& operator=(const SimulatedRuntime&) = delete;

  void* hap() const { return hap_; }
  const ParameterRecord* tree() const;
  std::int32_t id(const char* name) const;

 private:
  std::string image_;
  void* hap_ = nullptr;
  void* runtime_ = nullptr;
};

// A small design: parameters of every value type on two processes, and registers of
// 1, 32, 40 and 64 bits, writable and read-only.
std::string smallDesign();

}  // namespace brenvik::description::test
