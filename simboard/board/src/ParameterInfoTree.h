// The runtime's own parameter-information tree for a design, in the shared record layout:
// one root category per process, a sub-category per module, one record per parameter.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ParameterRecord.h"

namespace brenvik::simboard {

class Design;

class ParameterInfoTree {
 public:
  explicit ParameterInfoTree(const Design& design);
  ParameterInfoTree(const ParameterInfoTree&) = delete;
  ParameterInfoTree& operator=(const ParameterInfoTree&) = delete;

  // The newest root (the last one created); older roots follow through olderRoot.
  const runtime::ParameterRecord* newestRoot() const { return newestRoot_; }

 private:
  runtime::ParameterRecord* newRecord(std::int32_t kind);
  char* text(std::string_view value);
  runtime::ParameterRecord* category(const std::string& name, runtime::ParameterRecord* parent);
  void addChild(runtime::ParameterRecord* parent, runtime::ParameterRecord* child);

  std::deque<runtime::ParameterRecord> records_;  // a deque keeps record addresses stable
  std::deque<std::string> texts_;
  std::deque<std::vector<runtime::ParameterRecord*>> children_;  // one per category
  runtime::ParameterRecord* newestRoot_ = nullptr;
};

}  // namespace brenvik::simboard
