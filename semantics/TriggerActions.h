// The trigger actions that the mode and state machine, the queue and creation run: short
// sequences of hardware writes, each raising the first failing write's code.
#pragma once

#include <cstdint>

#include "semantics/SetContext.h"

namespace brenvik::semantics::trigger {

enum class Action : std::uint8_t {
  kNone,  // ends a sequence
  kStopGenerators,
  kReleaseGenerators,
  kSelectExternalOff,
  kSelectExternalOn,
  kMissingFrameReset,
  kGeneratorRunOn,
  kGeneratorRunOff,
  kFullTriggerReset,
};

void run(SetContext& context, Action action);

// Re-runs the frame-rate setter with the current rate, raising its failure.
void rewriteFrameRate(SetContext& context);

}  // namespace brenvik::semantics::trigger
