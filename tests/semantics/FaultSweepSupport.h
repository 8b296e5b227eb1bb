// The fault sweep's shared part: applets in the states the sweep runs in, their values read
// back, the names the applet reaches on the board, and what each get reads. The set sweep
// (FaultSweepSetsTest.cpp) and the get sweep (FaultSweepGetsTest.cpp) build on it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ScratchFiles.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/ResultCodes.h"
#include "semantics/SetPath.h"
#include "simboard/control.h"
#include "tests/applet/AppletFixture.h"

namespace brenvik::test::sweep {

using parameters::kSdkParameters;
using parameters::sdkId;
using parameters::ValueForm;
using semantics::SetForm;
using semantics::WritableParameter;

// The code the board answers a refused access with; the applet never makes it up itself.
inline constexpr std::int32_t kRefused = -4711;

// The code a failure of a hardware parameter reaches the caller with: the board's, or the
// applet's own for the names it reports so.
std::int32_t expectedCode(std::string_view hardwareName);

const parameters::SdkParameter& sdkParameter(std::int32_t id);
std::string nameOf(std::int32_t id);
std::int32_t idOf(std::string_view name);
inline std::string journalName(const std::string& line) { return line.substr(0, line.find(' ')); }

// --- An applet in a state ---

// A state the sweep runs in: the sets that lead there from the defaults, and the writable
// parameters whose setters write differently there (the defaults sweep every parameter).
struct State {
  const char* name;
  std::uint32_t bit;
  std::vector<std::pair<std::string, std::uint32_t>> sets;
  std::vector<WritableParameter> parameters;
};

enum StateBit : std::uint32_t {
  kDefaults = 1u << 0,
  kPixelFrequencyMode = 1u << 1,
  kLineRateMode = 1u << 2,
  kSoftwareTrigger = 1u << 3,
  kExternalTrigger = 1u << 4,
  kMonitoringPoint = 1u << 5,
  kCustomTable = 1u << 6,
  kEveryState = (1u << 7) - 1,
};

// The states, the defaults first.
std::vector<State> states();

// An applet on a board of its own, in a state; freed with the object.
class Applet {
 public:
  Applet(const State& state, const std::string& lutFile);
  ~Applet();
  Applet(const Applet&) = delete;
  Applet& operator=(const Applet&) = delete;

  bool ok() const { return handle_.applet != nullptr; }
  AppletHandle* handle() { return &handle_; }
  std::uint64_t board() const { return board_; }
  int lastError() { return Fg_getLastErrorNumber(&handle_); }

  // The journal since the last call, with full names; it starts over.
  std::vector<std::string> takeJournal();

 private:
  AppletHandle handle_{nullptr};
  std::uint64_t board_;
};

// --- Reading values back ---

// Room for any text the sweep reads: file names of its own, and the design's short texts.
inline constexpr std::size_t kTextRoom = 4096;

// A parameter's value as text, read in its own form ("error N" when the get fails). The
// lookup table is read whole.
std::string readBack(Applet& applet, std::int32_t id);

// Every stored value and every writable parameter's description limits and access: what a
// failed set must leave as it found it.
std::vector<std::string> storedState(Applet& applet);

// What storedState says of a fresh applet in a state, read once per state.
const std::vector<std::string>& freshState(const State& state, Applet& applet);

// The lines that differ, position by position, as "was  ->  is".
std::vector<std::string> changes(const std::vector<std::string>& before,
                                 const std::vector<std::string>& after);

// A parameter whose get reads its stored value in every state.
bool readsStoredValue(std::int32_t id);

// --- What the get path reads ---

// The reads a get makes, in the states where it makes them: hardware parameters by the end
// of their names (unique among the names the applet reaches), the runtime's own parameters by
// their SDK names. A parameter that is not listed reads nothing in any state.
struct Reads {
  const char* parameter;
  std::uint32_t states;
  std::vector<const char*> names;
};
const std::vector<Reads>& getReads();

// Parameters whose get reads the hardware in some state: their value follows what reached
// the hardware, not only what the applet stored.
bool readsHardware(std::int32_t id);

// --- Names on the board ---

// Every name the applet reads on the board: the bound hardware parameters, the parameters of
// the design's debug points with their count, and the runtime's own parameters.
std::vector<std::string> reachableNames(Applet& applet);

// The one reachable name that is `ending` or ends with "_" + `ending`.
std::string fullName(const std::vector<std::string>& names, std::string_view ending);

// Codes of their own for the reachable names, from this one down.
inline constexpr std::int32_t kFirstNamedCode = -30000;

// The reachable name that a code of its own stands for, or null.
const std::string* namedBy(const std::vector<std::string>& names, int code);

// Makes the name at `index` fail its next `count` reads with the code of its own.
void armReads(Applet& applet, const std::vector<std::string>& names, std::size_t index,
              std::int32_t count);

// What the board's process-wide counters say; a sweep leaves them as it found them.
struct BoardCounters {
  std::int32_t designs = simboard_open_designs();
  std::int32_t runtimes = simboard_runtime_handles();
  std::int32_t strings = simboard_strings_outstanding();
  bool operator==(const BoardCounters&) const = default;
};

class FaultSweep : public ScratchFiles {
 protected:
  std::string lutFile() const { return path("sweep.lut"); }
};

}  // namespace brenvik::test::sweep
