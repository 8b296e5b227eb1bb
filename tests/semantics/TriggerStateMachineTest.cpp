// The area trigger mode x trigger state machine on the simulated board: every listed
// transition writes exactly its actions, every other change writes nothing, the access flags
// follow, and a failing write leaves the mode or state where it was.
#include <map>
#include <tuple>

#include "SetPathFixture.h"
#include "TriggerWrites.h"
#include "runtime/ParameterRecord.h"

namespace brenvik::test {
namespace {

namespace tw = trigger;

constexpr std::int32_t kMode = sdkId("FG_AREATRIGGERMODE");
constexpr std::int32_t kState = sdkId("FG_TRIGGERSTATE");
constexpr std::int32_t kSoftwareTrigger = sdkId("FG_SENDSOFTWARETRIGGER");

constexpr std::uint32_t kGen = 1, kExt = 2, kSw = 4;
constexpr std::uint32_t kActive = 0, kAsync = 1, kSync = 2;
constexpr std::uint32_t kModes[] = {kGen, kExt, kSw};
constexpr std::uint32_t kStates[] = {kActive, kAsync, kSync};

using Lines = std::vector<std::string>;
using Key = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;

// State changes by (mode, from, to).
std::map<Key, Lines> stateChanges() {
  using namespace tw;  // NOLINT: the rows read as action names
  return {
      {{kGen, kActive, kAsync}, concatenated({stop(), runOff()})},
      {{kGen, kActive, kSync}, runOff()},
      {{kGen, kAsync, kActive}, concatenated({missingFrameReset(), release(), runOn()})},
      {{kGen, kSync, kActive}, concatenated({missingFrameReset(), runOn()})},
      {{kGen, kSync, kAsync}, stop()},
      {{kSw, kActive, kAsync}, stop()},
      {{kSw, kAsync, kActive}, concatenated({fullReset(), release()})},
      {{kSw, kSync, kActive}, concatenated({stop(), fullReset(), release()})},
      {{kSw, kSync, kAsync}, stop()},
      {{kExt, kActive, kAsync}, concatenated({stop(), external(0)})},
      {{kExt, kActive, kSync}, external(0)},
      {{kExt, kAsync, kActive}, concatenated({fullReset(), release(), external(1)})},
      {{kExt, kSync, kActive}, concatenated({stop(), fullReset(), release(), external(1)})},
      {{kExt, kSync, kAsync}, stop()},
  };
}

// Mode changes by (state, from, to).
std::map<Key, Lines> modeChanges() {
  using namespace tw;  // NOLINT
  std::map<Key, Lines> changes{
      {{kActive, kGen, kExt}, concatenated({stop(), fullReset(), release(), external(1)})},
      {{kActive, kGen, kSw}, concatenated({stop(), fullReset(), release()})},
      {{kActive, kSw, kGen}, concatenated({stop(), missingFrameReset(), release(), runOn()})},
      {{kActive, kSw, kExt}, concatenated({stop(), fullReset(), release(), external(1)})},
      {{kActive, kExt, kGen},
       concatenated({external(0), stop(), missingFrameReset(), release(), runOn()})},
      {{kActive, kExt, kSw}, concatenated({external(0), stop(), fullReset(), release()})},
  };
  for (const std::uint32_t state : {kAsync, kSync}) {
    for (const std::uint32_t from : {kSw, kExt}) changes[{state, from, kGen}] = runOff();
  }
  return changes;
}

class TriggerStateMachine : public SetPathTest {
 protected:
  // Brings the trigger to (mode, state) from the created (generator, sync stop).
  void reach(std::uint32_t mode, std::uint32_t state) {
    ASSERT_EQ(set(kMode, mode), 0);
    ASSERT_EQ(set(kState, state), 0);
    writes();
  }
  std::int32_t access(std::int32_t id) {
    const runtime::ParameterRecord* found = record(id);
    return found == nullptr ? -1 : found->access;
  }
};

TEST_F(TriggerStateMachine, EveryStateChangeWritesItsActionsAndNothingElse) {
  const auto expected = stateChanges();
  for (const std::uint32_t mode : kModes) {
    for (const std::uint32_t from : kStates) {
      for (const std::uint32_t to : kStates) {
        reach(mode, from);
        ASSERT_EQ(set(kState, to), 0);
        const auto row = expected.find({mode, from, to});
        EXPECT_EQ(writes(), row == expected.end() ? Lines{} : row->second)
            << "mode " << mode << " state " << from << " -> " << to;
        EXPECT_EQ(get(kState), to);
        reach(kGen, kSync);
      }
    }
  }
}

TEST_F(TriggerStateMachine, EveryModeChangeWritesItsActionsAndNothingElse) {
  const auto expected = modeChanges();
  for (const std::uint32_t state : kStates) {
    for (const std::uint32_t from : kModes) {
      for (const std::uint32_t to : kModes) {
        reach(from, state);
        ASSERT_EQ(set(kMode, to), 0);
        const auto row = expected.find({state, from, to});
        EXPECT_EQ(writes(), row == expected.end() ? Lines{} : row->second)
            << "state " << state << " mode " << from << " -> " << to;
        EXPECT_EQ(get(kMode), to);
        reach(kGen, kSync);
      }
    }
  }
}

TEST_F(TriggerStateMachine, OutsideTheEnumerationsNothingChanges) {
  EXPECT_EQ(set(kMode, 3), -6000);
  EXPECT_EQ(set(kMode, 0), -6000);
  EXPECT_EQ(set(kState, 3), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(get(kMode), kGen);
  EXPECT_EQ(get(kState), kSync);
}

TEST_F(TriggerStateMachine, TheSoftwareTriggerIsReadOnlyOnlyUnderAnExternalTrigger) {
  ASSERT_EQ(set(kMode, kExt), 0);
  EXPECT_EQ(access(kSoftwareTrigger), runtime::kAccessReadOnly);
  EXPECT_EQ(access(sdkId("FG_TRIGGER_PULSEFORMGEN2_WIDTH")), runtime::kAccessReadWrite);
  // A state change under the external trigger keeps it read-only.
  ASSERT_EQ(set(kState, kAsync), 0);
  EXPECT_EQ(access(kSoftwareTrigger), runtime::kAccessReadOnly);
  ASSERT_EQ(set(kMode, kSw), 0);  // not a listed change: writes nothing, flags follow anyway
  EXPECT_EQ(access(kSoftwareTrigger), runtime::kAccessReadWrite);
}

TEST_F(TriggerStateMachine, AFailingWriteKeepsTheOldStateAndTheWritesBeforeIt) {
  failWrites(tw::kPrefix + "TriggerCam0_PulseFormGenerators_Enable_Select", -2073);
  EXPECT_EQ(set(kState, kActive), -2073);
  EXPECT_EQ(get(kState), kSync);
  Lines expected = concatenated({tw::missingFrameReset(), tw::runOn()});
  expected.resize(6);  // up to and with the failing write
  expected.back() = tw::kPrefix + "TriggerCam0_PulseFormGenerators_Enable_Select 2 1 -2073";
  EXPECT_EQ(writes(), expected);

  reach(kGen, kActive);
  failWrites(tw::kPrefix + tw::kSelectExternal, -2073);
  EXPECT_EQ(set(kMode, kExt), -2073);
  EXPECT_EQ(get(kMode), kGen);
  EXPECT_EQ(access(kSoftwareTrigger), runtime::kAccessReadWrite);
}

}  // namespace
}  // namespace brenvik::test
