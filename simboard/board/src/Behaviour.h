// A model of one unit of the design (the trigger unit, the debug points, the image path, the
// acquisition's pacing, the DMA buffers) on a simulated board: it reacts to what the applet
// writes, keeps the values the applet reads current, and owns its own board settings
// ("simboard:..."). A behaviour finds its parameters by name when a design is loaded; on a
// design without them it stays inert. Units that work together find each other through
// Units::find by the interface they offer (UnitInterfaces.h), never through the board.
// Every call runs under the board's mutex.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Design.h"
#include "ParameterStore.h"

namespace brenvik::simboard {

class Units;

// The time of one event on the board, read from the clock on first use only: most writes
// need no time at all, and reading the clock costs more than such a write.
class Moment {
 public:
  using Clock = std::chrono::steady_clock;
  Moment() = default;
  explicit Moment(Clock::time_point at) : at_(at), known_(true) {}
  Clock::time_point operator()() {
    if (!known_) {
      at_ = Clock::now();
      known_ = true;
    }
    return at_;
  }

 private:
  Clock::time_point at_{};
  bool known_ = false;
};

class Behaviour {
 public:
  using Clock = std::chrono::steady_clock;

  virtual ~Behaviour() = default;

  // Once, after the board made all of its units: finds the units this one works with.
  virtual void connect(const Units& units) { static_cast<void>(units); }

  // A design (or none) is being loaded: back to the state of a board that never ran.
  virtual void reset() {}

  // A design was loaded and every value is at its initial state. Returns the indices of the
  // parameters whose writes and reads this behaviour wants to see.
  virtual std::vector<std::size_t> attach(const Design& design, ParameterStore& values,
                                          Clock::time_point now) = 0;

  // A watched parameter was written successfully; `values` already holds the new value.
  virtual void written(std::size_t index, ParameterStore& values, Moment& now) {
    static_cast<void>(index), static_cast<void>(values), static_cast<void>(now);
  }

  // A watched parameter is about to be read (by the applet or the control interface): the
  // moment to bring time-dependent values up to date.
  virtual void reading(std::size_t index, ParameterStore& values, Clock::time_point now) {
    static_cast<void>(index), static_cast<void>(values), static_cast<void>(now);
  }

  // Some hardware value or board setting changed (a write, a played value, a setting); told
  // only to the behaviours that follow changes. Others look at ParameterStore::version.
  virtual bool followsChanges() const { return false; }
  virtual void changed(ParameterStore& values, Moment& now) {
    static_cast<void>(values), static_cast<void>(now);
  }

  // A board setting "simboard:..." of this behaviour, set or read through the control
  // interface: SIMBOARD_INVALID_PARAMETER when the name is not one of its own.
  virtual std::int32_t control(std::string_view name, std::string_view text,
                               ParameterStore& values, Clock::time_point now);
  virtual std::int32_t setting(std::string_view name, std::string& out) const;
};

// The behaviours of one board, made fresh for each board.
class Units {
 public:
  Units();
  Units(const Units&) = delete;
  Units& operator=(const Units&) = delete;

  // The unit that offers `Interface`; every board carries one of each (see Behaviours.cpp).
  template <typename Interface>
  Interface& find() const {
    for (const auto& unit : units_) {
      if (auto* found = dynamic_cast<Interface*>(unit.get())) return *found;
    }
    throw std::logic_error("a board unit is missing");
  }

  auto begin() const { return units_.begin(); }
  auto end() const { return units_.end(); }
  const std::vector<Behaviour*>& followers() const { return followers_; }

 private:
  std::vector<std::unique_ptr<Behaviour>> units_;
  std::vector<Behaviour*> followers_;  // the units that follow every change
};

}  // namespace brenvik::simboard
