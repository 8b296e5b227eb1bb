// The live description records that Fg_getParameterInfo hands out, found by parameter id.
#pragma once

#include <cstdint>

#include "applet/Exports.h"
#include "runtime/ParameterRecord.h"

namespace brenvik::test {

inline const runtime::ParameterRecord* findRecord(const runtime::ParameterRecord* node,
                                                  std::int32_t id) {
  if (node == nullptr) return nullptr;
  if (node->kind != runtime::kKindCategory) return node->id == id ? node : nullptr;
  for (const runtime::ParameterRecord* child : runtime::childrenOf(*node)) {
    if (const auto* found = findRecord(child, id)) return found;
  }
  return nullptr;
}

// The record of a parameter in port 0's description (every root, newest first), or null.
inline const runtime::ParameterRecord* describedRecord(AppletHandle* handle, std::int32_t id) {
  const auto* root = static_cast<const runtime::ParameterRecord*>(
      static_cast<const void*>(Fg_getParameterInfo(handle, 0)));
  for (; root != nullptr; root = root->olderRoot) {
    if (const auto* found = findRecord(root, id)) return found;
  }
  return nullptr;
}

}  // namespace brenvik::test
