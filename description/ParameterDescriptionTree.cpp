// The per-port tree of parameter description records.
#include "description/ParameterDescriptionTree.h"

namespace brenvik::description {

ParameterDescriptionTree::ParameterDescriptionTree(std::int32_t portCount)
    : ports_(portCount > 0 ? static_cast<std::size_t>(portCount) : 0u) {}

ParameterDescriptionTree::~ParameterDescriptionTree() = default;

const runtime::ParameterRecord* ParameterDescriptionTree::root(std::int32_t port) const {
  if (port < 0 || port >= portCount()) return nullptr;
  return ports_[static_cast<std::size_t>(port)].newestRoot;
}

}  // namespace brenvik::description
