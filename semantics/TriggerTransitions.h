// The two transition tables of the trigger: state changes within one area trigger mode, and
// mode changes within one trigger state, each with the actions it writes in order. A change
// that no row lists writes nothing.
#pragma once

#include <array>
#include <cstdint>

#include "parameters/Enumerations.h"
#include "semantics/TriggerActions.h"

namespace brenvik::semantics::trigger {

struct Transition {
  std::uint32_t fixed;  // the mode of a state change, the state of a mode change
  std::uint32_t from;
  std::uint32_t to;
  std::array<Action, 5> actions;  // padded with kNone
};

namespace symbols {
using parameters::enumUnsigned;
inline constexpr std::uint32_t kGenerator = enumUnsigned("ATM_GENERATOR");
inline constexpr std::uint32_t kExternal = enumUnsigned("ATM_EXTERNAL");
inline constexpr std::uint32_t kSoftware = enumUnsigned("ATM_SOFTWARE");
inline constexpr std::uint32_t kActive = enumUnsigned("TS_ACTIVE");
inline constexpr std::uint32_t kAsyncStop = enumUnsigned("TS_ASYNC_STOP");
inline constexpr std::uint32_t kSyncStop = enumUnsigned("TS_SYNC_STOP");
inline constexpr Action kStop = Action::kStopGenerators;
inline constexpr Action kRelease = Action::kReleaseGenerators;
inline constexpr Action kExternalOff = Action::kSelectExternalOff;
inline constexpr Action kExternalOn = Action::kSelectExternalOn;
inline constexpr Action kMissingReset = Action::kMissingFrameReset;
inline constexpr Action kRunOn = Action::kGeneratorRunOn;
inline constexpr Action kRunOff = Action::kGeneratorRunOff;
inline constexpr Action kFullReset = Action::kFullTriggerReset;
}  // namespace symbols

using namespace symbols;  // NOLINT: the tables read as rows of symbols

// State changes: mode, from state, to state, actions.
inline constexpr Transition kStateTransitions[] = {
    {kGenerator, kActive, kAsyncStop, {kStop, kRunOff}},
    {kGenerator, kActive, kSyncStop, {kRunOff}},
    {kGenerator, kAsyncStop, kActive, {kMissingReset, kRelease, kRunOn}},
    {kGenerator, kSyncStop, kActive, {kMissingReset, kRunOn}},
    {kGenerator, kSyncStop, kAsyncStop, {kStop}},
    {kSoftware, kActive, kAsyncStop, {kStop}},
    {kSoftware, kAsyncStop, kActive, {kFullReset, kRelease}},
    {kSoftware, kSyncStop, kActive, {kStop, kFullReset, kRelease}},
    {kSoftware, kSyncStop, kAsyncStop, {kStop}},
    {kExternal, kActive, kAsyncStop, {kStop, kExternalOff}},
    {kExternal, kActive, kSyncStop, {kExternalOff}},
    {kExternal, kAsyncStop, kActive, {kFullReset, kRelease, kExternalOn}},
    {kExternal, kSyncStop, kActive, {kStop, kFullReset, kRelease, kExternalOn}},
    {kExternal, kSyncStop, kAsyncStop, {kStop}},
};

// Mode changes: state, from mode, to mode, actions.
inline constexpr Transition kModeTransitions[] = {
    {kActive, kGenerator, kExternal, {kStop, kFullReset, kRelease, kExternalOn}},
    {kActive, kGenerator, kSoftware, {kStop, kFullReset, kRelease}},
    {kActive, kSoftware, kGenerator, {kStop, kMissingReset, kRelease, kRunOn}},
    {kActive, kSoftware, kExternal, {kStop, kFullReset, kRelease, kExternalOn}},
    {kActive, kExternal, kGenerator, {kExternalOff, kStop, kMissingReset, kRelease, kRunOn}},
    {kActive, kExternal, kSoftware, {kExternalOff, kStop, kFullReset, kRelease}},
    {kAsyncStop, kSoftware, kGenerator, {kRunOff}},
    {kAsyncStop, kExternal, kGenerator, {kRunOff}},
    {kSyncStop, kSoftware, kGenerator, {kRunOff}},
    {kSyncStop, kExternal, kGenerator, {kRunOff}},
};

// What creation writes before the defaults: the generators stopped, then released.
inline constexpr Action kCreationActions[] = {kStop, kRunOff, kRelease};

// The row of a change, or null when the tables do not list it (an unchanged value included).
template <std::size_t N>
constexpr const Transition* findTransition(const Transition (&table)[N], std::uint32_t fixed,
                                           std::uint32_t from, std::uint32_t to) {
  for (const Transition& row : table) {
    if (row.fixed == fixed && row.from == from && row.to == to) return &row;
  }
  return nullptr;
}
constexpr const Transition* stateTransition(std::uint32_t mode, std::uint32_t from,
                                            std::uint32_t to) {
  return findTransition(kStateTransitions, mode, from, to);
}
constexpr const Transition* modeTransition(std::uint32_t state, std::uint32_t from,
                                           std::uint32_t to) {
  return findTransition(kModeTransitions, state, from, to);
}

}  // namespace brenvik::semantics::trigger
