// A model of one unit of the design (the trigger unit, the debug points, ...) on a simulated
// board: it reacts to what the applet writes and keeps the values the applet reads current.
// A behaviour finds its parameters by name when a design is loaded; on a design without
// them it stays inert. Every call runs under the board's mutex.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "Design.h"
#include "ParameterStore.h"

namespace brenvik::simboard {

class Behaviour {
 public:
  using Clock = std::chrono::steady_clock;

  virtual ~Behaviour() = default;

  // A design was loaded and every value is at its initial state. Returns the indices of the
  // parameters whose writes and reads this behaviour wants to see.
  virtual std::vector<std::size_t> attach(const Design& design, ParameterStore& values,
                                          Clock::time_point now) = 0;

  // A watched parameter was written successfully; `values` already holds the new value.
  virtual void written(std::size_t index, ParameterStore& values, Clock::time_point now) {
    static_cast<void>(index), static_cast<void>(values), static_cast<void>(now);
  }

  // A watched parameter is about to be read (by the applet or the control interface): the
  // moment to bring time-dependent values up to date.
  virtual void reading(std::size_t index, ParameterStore& values, Clock::time_point now) {
    static_cast<void>(index), static_cast<void>(values), static_cast<void>(now);
  }

  // A board setting "simboard:..." of this behaviour, set through the control interface:
  // SIMBOARD_INVALID_PARAMETER when the name is not one of its own.
  virtual std::int32_t control(std::string_view name, std::string_view text,
                               ParameterStore& values, Clock::time_point now);
};

class TriggerPulses;

// Every behaviour a board carries, made fresh for each board; `trigger` points at the
// trigger unit among them.
std::vector<std::unique_ptr<Behaviour>> makeBehaviours(TriggerPulses*& trigger);

}  // namespace brenvik::simboard
