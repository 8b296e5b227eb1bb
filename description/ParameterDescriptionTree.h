// The per-port tree of parameter description records that Fg_getParameterInfo hands out.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/ParameterRecord.h"

namespace brenvik::description {

class ParameterDescriptionTree {
 public:
  explicit ParameterDescriptionTree(std::int32_t portCount);
  ~ParameterDescriptionTree();
  ParameterDescriptionTree(const ParameterDescriptionTree&) = delete;
  ParameterDescriptionTree& operator=(const ParameterDescriptionTree&) = delete;

  std::int32_t portCount() const { return static_cast<std::int32_t>(ports_.size()); }

  // The newest root category of a port; null for a port out of range or without records.
  const runtime::ParameterRecord* root(std::int32_t port) const;

 private:
  struct Port {
    runtime::ParameterRecord* newestRoot = nullptr;
    bool frozen = false;
  };
  std::vector<Port> ports_;
};

}  // namespace brenvik::description
