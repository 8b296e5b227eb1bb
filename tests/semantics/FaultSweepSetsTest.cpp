// The fault sweep of the set path, one test per parameter family: every hardware write and
// read that a setter makes is made to fail once through the simulated board's control
// interface.
//
// For each writable parameter, in the applet states that change what its setter writes, a
// value that differs from the current one and is accepted is found, and the journal of that
// successful set is recorded. Then, for each distinct hardware parameter in that journal, a
// fresh applet in the same state has that parameter's next write fail and sets the value
// again. The reads the set makes are found by failing every reachable read under a code of its
// own, so that the set's result names its next read, and each is failed the same way. The
// rules checked:
//  - the set fails with the code the failure raises, and the last error says so;
//  - the writes before the failure reached the hardware and stay; nothing is written after
//    it (the rollback restores the stored value only, it writes nothing back);
//  - the parameter reads back its previous value, and no other stored value or description
//    limit or access has moved;
//  - with the failure gone, the same set succeeds and writes what the first success wrote;
//  - the applets leave no design, runtime or string behind.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <span>

#include "FaultSweepSupport.h"
#include "description/DescriptionRows.h"
#include "parameters/LookupTableShape.h"
#include "runtime/SdkRuntime.h"
#include "semantics/CameraLink.h"
#include "semantics/CameraSimulator.h"
#include "semantics/DebugInjection.h"
#include "semantics/ImageGeometry.h"
#include "semantics/LookupTable.h"
#include "semantics/OutputFormat.h"
#include "semantics/Trigger.h"

namespace brenvik::test::sweep {
namespace {

// --- Values to set ---

// One way to set a parameter: a value in the form the set path reads, with a type code.
struct Attempt {
  std::string label;
  std::int32_t type = runtime::kTypeUint32;
  std::array<std::uint64_t, 2> raw{};  // numbers, or an entry pair {value, index}
  std::string text;                    // text values
  bool isText = false;
  bool isField = false;  // a lookup-table range: raw[0] = {first value, index}

  int apply(Applet& applet, std::int32_t id) const {
    if (isText) return Fg_setParameterWithType(applet.handle(), id, text.c_str(), 0, type);
    if (isField) {
      std::array<std::uint32_t, 2> values{static_cast<std::uint32_t>(raw[0]),
                                          static_cast<std::uint32_t>(raw[0]) + 1};
      runtime::FieldParameterAccess access{2, static_cast<std::uint32_t>(raw[1]), 2, values.data()};
      return Fg_setParameterWithType(applet.handle(), id, &access, 0, runtime::kTypeField);
    }
    return Fg_setParameterWithType(applet.handle(), id, raw.data(), 0, type);
  }
};

Attempt number(std::uint64_t value, std::int32_t type = runtime::kTypeUint32) {
  Attempt attempt;
  attempt.label = std::to_string(value);
  attempt.type = type;
  attempt.raw[0] = value;
  return attempt;
}

Attempt real(double value) {
  Attempt attempt;
  char label[40];
  std::snprintf(label, sizeof label, "%.17g", value);
  attempt.label = label;
  attempt.type = runtime::kTypeDouble;
  std::memcpy(attempt.raw.data(), &value, sizeof value);
  return attempt;
}

Attempt text(const std::string& value) {
  Attempt attempt;
  attempt.label = "\"" + value + "\"";
  attempt.type = runtime::kTypeString;
  attempt.text = value;
  attempt.isText = true;
  return attempt;
}

// Integer candidates around the current value and at the row's limits, in range, each once.
std::vector<Attempt> integerCandidates(std::int64_t current, std::int64_t minimum,
                                       std::int64_t maximum, std::int64_t step, std::int32_t type) {
  step = step > 0 ? step : 1;
  std::vector<Attempt> attempts;
  std::set<std::int64_t> seen{current};
  const std::int64_t middle = minimum + (maximum - minimum) / 2 / step * step;
  for (const std::int64_t value :
       {current + step, current - step, minimum, maximum, minimum + step, middle}) {
    if (value < minimum || value > maximum || !seen.insert(value).second) continue;
    attempts.push_back(number(static_cast<std::uint64_t>(value), type));
  }
  return attempts;
}

std::vector<Attempt> realCandidates(double current, double minimum, double maximum) {
  std::vector<Attempt> attempts;
  std::set<double> seen{current};
  for (const double value : {current + 1, current - 1, current * 2, current / 2,
                             (minimum + maximum) / 2, minimum, maximum}) {
    if (!(value >= minimum && value <= maximum) || !seen.insert(value).second) continue;
    attempts.push_back(real(value));
  }
  return attempts;
}

// The parameters whose values each write a sequence of their own: the trigger's mode and
// state (one transition per pair), the simulator's select mode, the output format (one
// converter per format).
bool setsEveryValue(std::int32_t id) {
  static const std::set<std::int32_t> kIds{sdkId("FG_AREATRIGGERMODE"), sdkId("FG_TRIGGERSTATE"),
                                           sdkId("FG_CAMERASIMULATOR_SELECT_MODE"),
                                           sdkId("FG_FORMAT")};
  return kIds.contains(id);
}

// The ways to set a parameter, each a list of candidates tried until one is accepted. Most
// parameters have one way; the lookup table is written by entry and by range.
std::vector<std::vector<Attempt>> waysToSet(Applet& applet, const WritableParameter& parameter,
                                            const std::string& lutFile) {
  const std::int32_t id = parameter.id;
  if (id == sdkId("FG_LUT_VALUE")) {
    std::uint32_t entry[2] = {0, 5};
    EXPECT_EQ(Fg_getParameterWithType(applet.handle(), id, entry, 0, runtime::kTypeUint32), 0);
    Attempt pair = number((entry[0] + 1) % parameters::kLutSize | (std::uint64_t{5} << 32));
    pair.label = "entry 5 = " + std::to_string((entry[0] + 1) % parameters::kLutSize);
    Attempt range;
    range.isField = true;
    range.raw = {(entry[0] + 7) % 1000, 5};
    range.label = "entries 5 and 6 = " + std::to_string(range.raw[0]) + ", " +
                  std::to_string(range.raw[0] + 1);
    return {{pair}, {range}};
  }
  const std::string current = readBack(applet, id);
  const description::DescriptionRow* row = description::findDescribedRow(id);
  const std::int32_t type =
      parameter.form == SetForm::kUnsigned64 ? runtime::kTypeUint64 : runtime::kTypeUint32;
  if (parameter.form == SetForm::kText) {
    std::vector<Attempt> attempts;
    for (const std::string& name : {lutFile, lutFile + ".copy"}) {
      if (name != current) attempts.push_back(text(name));
    }
    return {attempts};
  }
  // A parameter that accepts nothing but its current value (a one-shot clear, a phase below
  // a downscale of 1) is set to that value again: the set still writes.
  if (parameter.form == SetForm::kDouble) {
    const double value = std::stod(current);
    std::vector<Attempt> attempts =
        row == nullptr ? realCandidates(value, value - 1, value + 1)
                       : realCandidates(value, row->values.realMinimum, row->values.realMaximum);
    attempts.push_back(real(value));
    return {attempts};
  }
  const auto value = static_cast<std::int64_t>(std::stoull(current));
  std::vector<Attempt> attempts;
  if (row != nullptr && row->values.list != nullptr) {
    for (const parameters::EnumerationEntry& entry : row->values.list->entries) {
      if (entry.value != value) attempts.push_back(number(static_cast<std::uint32_t>(entry.value)));
    }
  } else if (row == nullptr) {
    attempts = integerCandidates(value, 0, value + 1, 1, type);
  } else {
    attempts =
        integerCandidates(value, row->values.minimum, row->values.maximum, row->values.step, type);
  }
  // A parameter whose every value writes a sequence of its own is set to each of them.
  if (setsEveryValue(id)) {
    std::vector<std::vector<Attempt>> ways;
    for (const Attempt& attempt : attempts) ways.push_back({attempt});
    return ways;
  }
  attempts.push_back(number(static_cast<std::uint64_t>(value), type));
  return {attempts};
}

// --- Sets ---

struct SetCounts {
  std::set<std::int32_t> parameters;
  int pairs = 0;
  int writesFailed = 0;
  int readsFailed = 0;
  std::set<std::string> silent;   // parameters that write nothing in a state
  std::set<std::string> refused;  // parameters that refuse every value in a state
};

// One successful set as recorded on a fresh applet.
struct Recorded {
  Attempt attempt;
  std::string before;
  std::string after;
  std::vector<std::string> journal;
};

// The first candidate is tried on `first` (an applet fresh in the state), each further one
// on an applet of its own: a refused value may have left the hardware partly written.
std::optional<Recorded> recordSuccess(const State& state, const WritableParameter& parameter,
                                      const std::vector<Attempt>& candidates,
                                      std::unique_ptr<Applet> first, const std::string& lutFile) {
  for (const Attempt& attempt : candidates) {
    std::unique_ptr<Applet> applet =
        first != nullptr ? std::move(first) : std::make_unique<Applet>(state, lutFile);
    if (!applet->ok()) return std::nullopt;
    Recorded recorded{attempt, readBack(*applet, parameter.id), {}, {}};
    if (attempt.apply(*applet, parameter.id) != 0) continue;
    recorded.journal = applet->takeJournal();
    recorded.after = readBack(*applet, parameter.id);
    return recorded;
  }
  return std::nullopt;
}

// After a set that failed on `failing`: the writes before the failure reached the hardware
// and nothing was written after it, the stored values are as they were, and with the board
// accepting again the same set succeeds and writes what the first success wrote.
void expectRolledBackAndUsable(Applet& applet, const WritableParameter& parameter,
                               const Recorded& recorded, const std::vector<std::string>& before,
                               const std::string& failing, std::uint32_t operation) {
  // What is checked next is read with the board accepting again.
  simboard_clear_failures(applet.board());
  const std::vector<std::string> written = applet.takeJournal();
  std::vector<std::string> expected;
  if (operation == SIMBOARD_WRITES) {
    for (const std::string& line : recorded.journal) {
      if (journalName(line) != failing) {
        expected.push_back(line);
        continue;
      }
      expected.push_back(line.substr(0, line.rfind(' ') + 1) + std::to_string(kRefused));
      break;
    }
  } else {
    const std::size_t reached = std::min(written.size(), recorded.journal.size());
    expected.assign(recorded.journal.begin(),
                    recorded.journal.begin() + static_cast<std::ptrdiff_t>(reached));
  }
  EXPECT_EQ(written, expected);

  // A stored value is rolled back whatever reached the hardware; a value read from the
  // hardware reads as before when nothing reached it.
  const bool nothingReached =
      written.empty() || (operation == SIMBOARD_WRITES && written.size() == 1);
  if (readsStoredValue(parameter.id) || nothingReached) {
    EXPECT_EQ(readBack(applet, parameter.id), recorded.before) << "not rolled back";
  }
  EXPECT_EQ(changes(before, storedState(applet)), std::vector<std::string>{})
      << "a failed set changed more than its hardware";

  EXPECT_EQ(recorded.attempt.apply(applet, parameter.id), 0) << "the next set fails";
  EXPECT_EQ(applet.lastError(), 0);
  EXPECT_EQ(readBack(applet, parameter.id), recorded.after);
  EXPECT_EQ(applet.takeJournal(), recorded.journal);
}

// The set with the next write of `failing` refused.
void failWrite(const State& state, const WritableParameter& parameter, const Recorded& recorded,
               const std::string& failing, const std::string& lutFile) {
  SCOPED_TRACE("failing write of " + failing);
  Applet applet(state, lutFile);
  ASSERT_TRUE(applet.ok());
  const std::vector<std::string>& before = freshState(state, applet);
  ASSERT_EQ(simboard_fail(applet.board(), failing.c_str(), SIMBOARD_WRITES, kRefused, 1), 0);
  const std::int32_t code = expectedCode(failing);
  EXPECT_EQ(recorded.attempt.apply(applet, parameter.id), code);
  EXPECT_EQ(applet.lastError(), code);
  expectRolledBackAndUsable(applet, parameter, recorded, before, failing, SIMBOARD_WRITES);
}

// The reads the set makes, one after the other. With every reachable name failing its reads
// under a code of its own, except the reads already found, the set fails on its next read
// and its result names that read: the set then is the one with that read refused, and is
// checked like a failed write. A read whose failure the applet reports with a code of its
// own (kReportedAs) is found by failing the names reported so one by one. Returns the reads
// failed.
int failEachRead(const State& state, const WritableParameter& parameter, const Recorded& recorded,
                 const std::vector<std::string>& names, const std::string& lutFile) {
  std::vector<std::string> found;
  auto isFound = [&](const std::string& name) {
    return std::find(found.begin(), found.end(), name) != found.end();
  };
  while (found.size() < names.size()) {
    Applet applet(state, lutFile);
    if (!applet.ok()) break;
    const std::vector<std::string>& before = freshState(state, applet);
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (!isFound(names[i])) armReads(applet, names, i, -1);
    }
    const int result = recorded.attempt.apply(applet, parameter.id);
    if (result == 0) break;
    std::string failing;
    if (const std::string* name = namedBy(names, result)) {
      failing = *name;
    } else {
      // Halve the names reported so until one is left, then make sure of it.
      std::vector<std::size_t> suspects;
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (!isFound(names[i]) && expectedCode(names[i]) == result) suspects.push_back(i);
      }
      auto failsWith = [&](std::span<const std::size_t> armed) {
        Applet probe(state, lutFile);
        for (const std::size_t i : armed) armReads(probe, names, i, -1);
        return recorded.attempt.apply(probe, parameter.id) == result;
      };
      while (suspects.size() > 1) {
        const auto half = static_cast<std::ptrdiff_t>(suspects.size() / 2);
        if (failsWith(std::span(suspects).first(static_cast<std::size_t>(half)))) {
          suspects.resize(static_cast<std::size_t>(half));
        } else {
          suspects.erase(suspects.begin(), suspects.begin() + half);
        }
      }
      if (suspects.size() == 1 && failsWith(suspects)) failing = names[suspects.front()];
      if (failing.empty()) {
        ADD_FAILURE() << "the set fails with " << result << " on a read no name stands for";
        break;
      }
    }
    found.push_back(failing);
    SCOPED_TRACE("failing read of " + failing);
    EXPECT_EQ(applet.lastError(), result);
    expectRolledBackAndUsable(applet, parameter, recorded, before, failing, SIMBOARD_READS);
  }
  return static_cast<int>(found.size());
}

void sweepSets(const State& state, const std::vector<std::string>& names,
               const std::string& lutFile, SetCounts& counts) {
  for (const WritableParameter& parameter : state.parameters) {
    const std::string name = nameOf(parameter.id);
    SCOPED_TRACE(std::string(state.name) + ": " + name);
    auto applet = std::make_unique<Applet>(state, lutFile);
    ASSERT_TRUE(applet->ok());
    const std::vector<std::vector<Attempt>> ways = waysToSet(*applet, parameter, lutFile);
    for (const std::vector<Attempt>& candidates : ways) {
      const std::optional<Recorded> recorded =
          recordSuccess(state, parameter, candidates, std::move(applet), lutFile);
      if (!recorded) {
        // One value of several refused (a format no input offers) is no gap in the sweep.
        if (!setsEveryValue(parameter.id)) {
          counts.refused.insert(std::string(state.name) + ": " + name);
        }
        continue;
      }
      SCOPED_TRACE("set to " + recorded->attempt.label);
      std::vector<std::string> written;
      for (const std::string& line : recorded->journal) {
        const std::string hardware = journalName(line);
        if (std::find(written.begin(), written.end(), hardware) == written.end()) {
          written.push_back(hardware);
        }
      }
      for (const std::string& hardware : written) {
        failWrite(state, parameter, *recorded, hardware, lutFile);
        ++counts.writesFailed;
      }
      counts.readsFailed += failEachRead(state, parameter, *recorded, names, lutFile);
      if (written.empty()) {
        counts.silent.insert(std::string(state.name) + ": " + name);
        continue;
      }
      counts.parameters.insert(parameter.id);
      ++counts.pairs;
    }
  }
}
// Sweeps one family's setters in every state that changes what they write. Every parameter of
// the family reaches the hardware in some state, so its failures are swept, except those in
// `neverWritten`.
void sweepFamily(const char* family, std::span<const WritableParameter> parameters,
                 const std::string& lutFile, const std::set<std::string>& neverWritten) {
  const BoardCounters start;
  SetCounts counts;
  std::vector<std::string> names;
  {
    Applet applet(states().front(), lutFile);
    ASSERT_TRUE(applet.ok());
    names = reachableNames(applet);
  }
  const auto inFamily = [&](const WritableParameter& parameter) {
    return std::ranges::any_of(parameters, [&](const WritableParameter& member) {
      return member.id == parameter.id;
    });
  };
  for (State state : states()) {
    std::erase_if(state.parameters, [&](const auto& parameter) { return !inFamily(parameter); });
    sweepSets(state, names, lutFile, counts);
  }
  EXPECT_EQ(BoardCounters{}, start) << "an applet left a design, a runtime or a string behind";

  std::set<std::string> unwritten;
  for (const WritableParameter& parameter : parameters) {
    if (!counts.parameters.contains(parameter.id)) unwritten.insert(nameOf(parameter.id));
  }
  EXPECT_EQ(unwritten, neverWritten);

  std::string silent;
  for (const std::string& entry : counts.silent) silent += "\n  writes nothing: " + entry;
  for (const std::string& entry : counts.refused) silent += "\n  refuses every value: " + entry;
  std::printf(
      "fault sweep, sets of %s: %zu parameters, %d parameter-state pairs, %d writes failed, %d "
      "reads failed%s\n",
      family, counts.parameters.size(), counts.pairs, counts.writesFailed, counts.readsFailed,
      silent.c_str());
  ::testing::Test::RecordProperty("parameters", static_cast<int>(counts.parameters.size()));
  ::testing::Test::RecordProperty("writes_failed", counts.writesFailed);
  ::testing::Test::RecordProperty("set_reads_failed", counts.readsFailed);
}

TEST_F(FaultSweep, EveryFailingAccessOfTheImageGeometrySettersRollsBack) {
  sweepFamily("image geometry", semantics::kImageGeometryParameters, lutFile(), {});
}

TEST_F(FaultSweep, EveryFailingAccessOfTheOutputFormatSettersRollsBack) {
  sweepFamily("output format", semantics::kOutputFormatParameters, lutFile(), {});
}

TEST_F(FaultSweep, EveryFailingAccessOfTheCameraLinkSettersRollsBack) {
  sweepFamily("Camera Link", semantics::kCameraLinkParameters, lutFile(), {});
}

// The save file writes a file, not the hardware.
TEST_F(FaultSweep, EveryFailingAccessOfTheLookupTableSettersRollsBack) {
  sweepFamily("lookup table", semantics::kLookupTableParameters, lutFile(), {"FG_LUT_SAVE_FILE"});
}

TEST_F(FaultSweep, EveryFailingAccessOfTheTriggerSettersRollsBack) {
  sweepFamily("trigger", semantics::kTriggerParameters, lutFile(), {});
}

TEST_F(FaultSweep, EveryFailingAccessOfTheCameraSimulatorSettersRollsBack) {
  sweepFamily("camera simulator", semantics::kCameraSimulatorParameters, lutFile(), {});
}

// The debug source only selects a point; the save file writes a file.
TEST_F(FaultSweep, EveryFailingAccessOfTheDebugSettersRollsBack) {
  sweepFamily("debug", semantics::kDebugParameters, lutFile(),
              {"FG_DEBUGSAVECONFIG", "FG_DEBUGSOURCE"});
}

}  // namespace
}  // namespace brenvik::test::sweep
