// Current values of a design's hardware parameters, one slot per parameter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Design.h"

namespace brenvik::simboard {

struct ParameterValue {
  std::uint64_t bits = 0;               // scalars, read by the parameter's type
  std::string text;                     // strings
  std::vector<std::uint32_t> elements;  // fields
};

class ParameterStore {
 public:
  // Every parameter of the design to its initial value; an empty store without a design.
  void reset(const Design* design);
  std::size_t size() const { return values_.size(); }
  // Counts the changes of values (and of the board settings that shape what they give), so
  // that what follows them knows whether to look again; never goes back, not even on reset.
  std::uint64_t version() const { return version_; }
  void touch() { ++version_; }
  ParameterValue& at(std::size_t index) { return values_[index]; }
  const ParameterValue& at(std::size_t index) const { return values_[index]; }

 private:
  std::vector<ParameterValue> values_;
  std::uint64_t version_ = 0;
};

}  // namespace brenvik::simboard
