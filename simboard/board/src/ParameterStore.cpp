// Initial state of the hardware parameter values.
#include "ParameterStore.h"

namespace brenvik::simboard {

void ParameterStore::reset(const Design* design) {
  values_.clear();
  touch();
  if (design == nullptr) return;
  values_.reserve(design->parameters.size());
  for (const ParameterDefinition& definition : design->parameters) {
    values_.push_back({definition.initial, definition.initialText, definition.initialElements});
    // A text takes any length it may have without allocating when it is written.
    if (definition.type == ValueType::Str) values_.back().text.reserve(kMaxTextLength);
  }
}

}  // namespace brenvik::simboard
