// The part of the setter contract that needs no template: limit refreshes.
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

}  // namespace brenvik::semantics
