// The parts of the setter contract that need no template: limit refreshes and the
// enumeration entries of a parameter.
#include "semantics/SetterContract.h"

namespace brenvik::semantics {

void refreshLimits(SetContext& context, std::initializer_list<LimitStep> steps) {
  for (const LimitStep step : steps) {
    try {
      step(context);
    } catch (const codes::RaisedCode&) {
      // The limit stays as it was; the value itself has been accepted.
    }
  }
}

std::span<const description::EnumerationEntry> enumerationEntries(std::int32_t id) {
  for (const description::DescriptionRow& row : description::descriptionRows()) {
    if (row.id == id && row.values.list != nullptr) return row.values.list->entries;
  }
  return {};
}

}  // namespace brenvik::semantics
