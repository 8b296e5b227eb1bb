// The trigger unit of the simulated board: a pulse queue that software triggers fill and the
// generator drains at its minimum period, with the fill level, the busy state and the output
// pulse counter the applet reads back.
#pragma once

#include <cstdint>
#include <memory>

#include "Behaviour.h"

namespace brenvik::simboard {

// What the image path asks of the trigger unit.
class TriggerPulses : public Behaviour {
 public:
  // Pulses started since the design was loaded; never cleared, never wrapped.
  virtual std::uint64_t pulsesStarted(ParameterStore& values, Clock::time_point now) = 0;
  // Whether the generator runs (the trigger is active), so that the camera follows it.
  virtual bool active(const ParameterStore& values) const = 0;
};

std::unique_ptr<TriggerPulses> makeTriggerUnit();

}  // namespace brenvik::simboard
