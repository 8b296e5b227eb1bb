// Initial state of the hardware parameter values.
#include "ParameterStore.h"

namespace brenvik::simboard {

void ParameterStore::reset(const Design* design) {
  values_.clear();
  if (design == nullptr) return;
  values_.reserve(design->parameters.size());
  for (const ParameterDefinition& definition : design->parameters) {
    values_.push_back({definition.initial, definition.initialText, definition.initialElements});
  }
}

}  // namespace brenvik::simboard
