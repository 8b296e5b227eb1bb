// The fault sweep: every hardware write and read that a setter makes, and every hardware
// read that a getter makes, is made to fail once through the simulated board's control
// interface.
//
// Sets. For each writable parameter, in the applet states that change what its setter writes,
// a value that differs from the current one and is accepted is found, and the journal of
// that successful set is recorded. Then, for each distinct hardware parameter in that
// journal, a fresh applet in the same state has that parameter's next write fail and sets
// the value again. The reads the set makes are found by failing every reachable read under a
// code of its own, so that the set's result names its next read, and each is failed the same
// way. The rules checked:
//  - the set fails with the code the failure raises, and the last error says so;
//  - the writes before the failure reached the hardware and stay; nothing is written after
//    it (the rollback restores the stored value only, it writes nothing back);
//  - the parameter reads back its previous value, and no other stored value or description
//    limit or access has moved;
//  - with the failure gone, the same set succeeds and writes what the first success wrote;
//  - the applets leave no design, runtime or string behind.
//
// Gets. In each state, every reachable hardware and runtime parameter is armed to fail its
// reads with a code of its own, and every SDK parameter is read until it succeeds: the codes
// it returns name the reads it makes, which must be the reads listed below for that state
// (a listed read that the get survives is a failure it swallowed). Then each listed read
// fails once on its own: the get returns the code, stores it as the last error, leaves the
// caller's value alone, hands out no text, and the next get succeeds with the value from
// before.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "DescriptionRecords.h"
#include "ScratchFiles.h"
#include "debug/DebugPoints.h"
#include "description/DescriptionRows.h"
#include "parameters/HardwareParameters.h"
#include "parameters/SdkParameterTable.h"
#include "parameters/CurrentValues.h"
#include "runtime/ParameterRecord.h"
#include "runtime/ResultCodes.h"
#include "runtime/SdkRuntime.h"
#include "semantics/CameraSimulator.h"
#include "semantics/DebugInjection.h"
#include "semantics/LookupTable.h"
#include "semantics/SetPath.h"
#include "semantics/Trigger.h"
#include "tests/applet/AppletFixture.h"

namespace brenvik::test {
namespace {

using parameters::kSdkParameters;
using parameters::sdkId;
using parameters::ValueForm;
using semantics::SetForm;
using semantics::WritableParameter;

// The code the board answers a refused access with; the applet never makes it up itself.
constexpr std::int32_t kRefused = -4711;

// Hardware parameters whose failures the applet reports with a code of its own instead of
// the board's, by the start of their names; the first match counts.
struct ReportedAs {
  std::string_view prefix;
  std::int32_t code;
};
constexpr ReportedAs kReportedAs[] = {
    // An unreadable point count counts no points, so no index lies below it.
    {"Device1_Process0_Debug_Entries", codes::kValueOutOfRange},
    // The debug points and the output format's converters are reached through the design's
    // own description: their failures are failed lookups.
    {"Device1_Process0_Debug_", codes::kRuntimeMissing},
    {"Device1_Process0_OutputFormat_Convert", codes::kRuntimeMissing},
};

std::int32_t expectedCode(std::string_view hardwareName) {
  for (const ReportedAs& reported : kReportedAs) {
    if (hardwareName.starts_with(reported.prefix)) return reported.code;
  }
  return kRefused;
}

const parameters::SdkParameter& sdkParameter(std::int32_t id) {
  for (const parameters::SdkParameter& parameter : kSdkParameters) {
    if (parameter.id == id) return parameter;
  }
  static const parameters::SdkParameter kUnknown{"?", 0, ValueForm::kUint32, ""};
  return kUnknown;
}

std::string nameOf(std::int32_t id) { return std::string(sdkParameter(id).name); }

std::int32_t idOf(std::string_view name) {
  for (const parameters::SdkParameter& parameter : kSdkParameters) {
    if (parameter.name == name) return parameter.id;
  }
  ADD_FAILURE() << "no SDK parameter " << name;
  return 0;
}

std::string journalName(const std::string& line) { return line.substr(0, line.find(' ')); }

// --- An applet in a state ---

// A state the sweep runs in: the sets that lead there from the defaults, and the writable
// parameters whose setters write differently there (the defaults sweep every parameter).
struct State {
  const char* name;
  std::uint32_t bit;
  std::vector<std::pair<std::string, std::uint32_t>> sets;
  std::vector<WritableParameter> parameters;
};

template <std::size_t N>
std::vector<WritableParameter> all(const std::array<WritableParameter, N>& family) {
  return {family.begin(), family.end()};
}

std::vector<WritableParameter> only(std::initializer_list<const char*> names) {
  std::vector<WritableParameter> parameters;
  for (const char* name : names) {
    const WritableParameter* parameter = semantics::findWritableParameter(idOf(name));
    EXPECT_NE(parameter, nullptr) << name;
    if (parameter != nullptr) parameters.push_back(*parameter);
  }
  return parameters;
}

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

// An applet on a board of its own, in a state; freed with the object.
class Applet {
 public:
  explicit Applet(const State& state, const std::string& lutFile) : board_(freshBoard()) {
    std::int32_t code = -1;
    handle_.applet = Std_entry(board_, &code, 0);
    EXPECT_EQ(code, 0);
    if (handle_.applet == nullptr) return;
    for (const auto& [name, value] : state.sets) {
      const std::array<std::uint32_t, 2> wide{value, 0};
      EXPECT_EQ(Fg_setParameterWithType(&handle_, idOf(name), wide.data(), 0, 2), 0)
          << state.name << ": " << name;
    }
    // The custom table comes from a file the applet saved itself.
    if (state.bit == kCustomTable) {
      EXPECT_EQ(Fg_setParameterWithType(&handle_, sdkId("FG_LUT_SAVE_FILE"), lutFile.c_str(), 0,
                                        runtime::kTypeString),
                0);
      const std::array<std::uint32_t, 2> custom{
          static_cast<std::uint32_t>(parameters::enumValue("LUT_TYPE_CUSTOM")), 0};
      EXPECT_EQ(Fg_setParameterWithType(&handle_, sdkId("FG_LUT_TYPE"), custom.data(), 0, 2), 0);
    }
    simboard_journal_clear(board_);
  }
  ~Applet() {
    if (handle_.applet != nullptr) {
      EXPECT_EQ(Fg_FreeGrabber(&handle_), 0);
    }
  }
  Applet(const Applet&) = delete;
  Applet& operator=(const Applet&) = delete;

  bool ok() const { return handle_.applet != nullptr; }
  AppletHandle* handle() { return &handle_; }
  std::uint64_t board() const { return board_; }
  int lastError() { return Fg_getLastErrorNumber(&handle_); }

  // The journal since the last call, with full names; it starts over.
  std::vector<std::string> takeJournal() {
    std::vector<std::string> lines = journal(board_);
    simboard_journal_clear(board_);
    return lines;
  }

 private:
  AppletHandle handle_{nullptr};
  std::uint64_t board_;
};

// --- Reading values back ---

// Room for any text the sweep reads: file names of its own, and the design's short texts.
constexpr std::size_t kTextRoom = 4096;

// A parameter's value as text, read in its own form ("error N" when the get fails). The
// lookup table is read whole.
std::string readBack(Applet& applet, std::int32_t id) {
  const ValueForm form = sdkParameter(id).form;
  char text[64] = {};
  int result = 0;
  std::string value;
  switch (form) {
    case ValueForm::kUint32:
    case ValueForm::kAsRequested: {
      std::uint32_t number = 0;
      result = Fg_getParameterWithType(applet.handle(), id, &number, 0, runtime::kTypeUint32);
      value = std::to_string(number);
      break;
    }
    case ValueForm::kUint64: {
      std::uint64_t number = 0;
      result = Fg_getParameterWithType(applet.handle(), id, &number, 0, runtime::kTypeUint64);
      value = std::to_string(number);
      break;
    }
    case ValueForm::kDouble: {
      double number = 0;
      result = Fg_getParameterWithType(applet.handle(), id, &number, 0, runtime::kTypeDouble);
      std::snprintf(text, sizeof text, "%.17g", number);
      value = text;
      break;
    }
    case ValueForm::kText: {
      std::vector<char> buffer(kTextRoom, '\0');
      result = Fg_getParameterWithType(applet.handle(), id, buffer.data(), 0, runtime::kTypeString);
      value = buffer.data();
      break;
    }
    case ValueForm::kLutEntries: {
      std::vector<std::uint32_t> entries(1024, 0);
      runtime::FieldParameterAccess access{2, 0, 1024, entries.data()};
      result = Fg_getParameterWithType(applet.handle(), id, &access, 0, runtime::kTypeField);
      for (const std::uint32_t entry : entries) value += std::to_string(entry) + ",";
      break;
    }
  }
  return result == 0 ? value : "error " + std::to_string(result);
}

bool readsHardware(std::int32_t id);

// Every stored value and every writable parameter's description limits and access: what a
// failed set must leave as it found it.
std::vector<std::string> storedState(Applet& applet) {
  std::vector<std::string> lines;
  for (const parameters::StoredValue& stored : parameters::stored_values::kAll) {
    if (readsHardware(stored.id)) continue;
    lines.push_back(nameOf(stored.id) + " = " + readBack(applet, stored.id));
  }
  for (const WritableParameter& parameter : semantics::writableParameters()) {
    const runtime::ParameterRecord* record = describedRecord(applet.handle(), parameter.id);
    if (record == nullptr) continue;
    std::string line = nameOf(parameter.id) + " access " + std::to_string(record->access);
    if (record->kind == runtime::kKindInteger || record->kind == runtime::kKindInteger2) {
      line += " " + std::to_string(record->data.integer.minimum) + ".." +
              std::to_string(record->data.integer.maximum);
    } else if (record->kind == runtime::kKindDouble) {
      char limits[80];
      std::snprintf(limits, sizeof limits, " %.17g..%.17g", record->data.real.minimum,
                    record->data.real.maximum);
      line += limits;
    }
    lines.push_back(line);
  }
  return lines;
}

// The lines that differ, position by position, as "was  ->  is".
std::vector<std::string> changes(const std::vector<std::string>& before,
                                 const std::vector<std::string>& after) {
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (i < before.size() && before[i] == after[i]) continue;
    changed.push_back((i < before.size() ? before[i] : std::string("(none)")) + "  ->  " +
                      after[i]);
  }
  return changed;
}

bool readsStoredValue(std::int32_t id) {
  for (const parameters::StoredValue& stored : parameters::stored_values::kAll) {
    if (stored.id == id) return !readsHardware(id);
  }
  return false;
}

// --- What the get path reads ---

// The reads a get makes, in the states where it makes them: hardware parameters by the end
// of their names (unique among the names the applet reaches), the runtime's own parameters by
// their SDK names. A parameter that is not listed reads nothing in any state.
struct Reads {
  const char* parameter;
  std::uint32_t states;
  std::vector<const char*> names;
};

// The debug point that each state selects.
constexpr std::uint32_t kInjectPoint = kEveryState & ~kMonitoringPoint;

const std::vector<Reads>& getReads() {
  static const std::vector<Reads> kReads = {
      {"FG_APPLET_ID", kEveryState, {"AppletProperties_AppletUid"}},
      {"FG_APPLET_BUILD_TIME", kEveryState, {"AppletProperties_BuildTime"}},
      {"FG_DMASTATUS", kEveryState, {"FG_DMASTATUS"}},
      {"FG_CAMSTATUS",
       kEveryState,
       {"Overflow_OverflowOccurred", "DRAM_A_0_FillLevel", "FG_CAMSTATUS_EXTENDED"}},
      {"FG_CAMSTATUS_EXTENDED",
       kEveryState,
       {"Overflow_OverflowOccurred", "DRAM_A_0_FillLevel", "FG_CAMSTATUS_EXTENDED"}},
      {"FG_SYSTEMMONITOR_FPGA_TEMPERATURE", kEveryState, {"BoardStatus_FpgaTemperature"}},
      {"FG_SYSTEMMONITOR_FPGA_VCC_INT", kEveryState, {"BoardStatus_FpgaVccInt"}},
      {"FG_SYSTEMMONITOR_FPGA_VCC_AUX", kEveryState, {"BoardStatus_FpgaVccAux"}},
      {"FG_SYSTEMMONITOR_FPGA_VCC_BRAM", kEveryState, {"BoardStatus_FpgaVccBram"}},
      {"FG_SYSTEMMONITOR_CURRENT_LINK_WIDTH", kEveryState, {"BoardStatus_PcieCurrentLinkWidth"}},
      {"FG_SYSTEMMONITOR_CURRENT_LINK_SPEED", kEveryState, {"BoardStatus_PcieCurrentLinkSpeed"}},
      {"FG_SYSTEMMONITOR_PCIE_LINK_GEN2_CAPABLE", kEveryState, {"BoardStatus_PcieLinkGen2Capable"}},
      {"FG_SYSTEMMONITOR_PCIE_LINK_PARTNER_GEN2_CAPABLE",
       kEveryState,
       {"BoardStatus_PcieLinkPartnerGen2Capable"}},
      {"FG_SYSTEMMONITOR_PCIE_TRAINED_PAYLOAD_SIZE",
       kEveryState,
       {"BoardStatus_PcieTrainedPayloadSize"}},
      {"FG_SYSTEMMONITOR_EXTENSION_CONNECTOR_PRESENT",
       kEveryState,
       {"BoardStatus_ExtensionConnectorPresent"}},
      {"FG_ALTERNATIVE_BOARD_DETECTION", kEveryState, {"BoardStatus_AlternativeBoardDetection"}},
      {"FG_SYSTEMMONITOR_POCL_STATE_PORT_A", kEveryState, {"BoardStatus_PoCLStatePortA"}},
      {"FG_SYSTEMMONITOR_POCL_STATE_PORT_B", kEveryState, {"BoardStatus_PoCLStatePortB"}},
      {"FG_SYSTEMMONITOR_FPGA_DNA", kEveryState, {"BoardStatus_FpgaDNA"}},
      {"FG_TRANSFER_LEN", kEveryState, {"FG_TRANSFER_LEN"}},
      {"FG_NR_OF_DMAS", kEveryState, {"FG_NR_OF_DMAS"}},
      {"FG_NR_OF_CAMS", kEveryState, {"FG_NR_OF_CAMS"}},
      {"FG_DMA_PORT", kEveryState, {"FG_DMA_PORT"}},
      {"FG_CAM_PORT", kEveryState, {"FG_CAM_PORT"}},
      {"FG_APC_STOP_TIMEOUT", kEveryState, {"FG_APC_STOP_TIMEOUT"}},
      {"FG_CAMERA_LINK_PIXEL_CLOCK_X", kEveryState, {"Camera_PixelClockX"}},
      {"FG_CAMERA_LINK_PIXEL_CLOCK_Y", kEveryState, {"Camera_PixelClockY"}},
      {"FG_CAMERA_LINK_PIXEL_CLOCK_Z", kEveryState, {"Camera_PixelClockZ"}},
      {"FG_DEBUGINENABLE", kInjectPoint, {"Debug_CameraInput_OperationMode"}},
      {"FG_DEBUGINENABLE", kMonitoringPoint, {"Debug_LutOutput_OperationMode"}},
      {"FG_DEBUGFILE", kInjectPoint, {"Debug_CameraInput_DebugFile"}},
      {"FG_DEBUGFILE", kMonitoringPoint, {"Debug_LutOutput_DebugFile"}},
      {"FG_DEBUGREADY", kInjectPoint, {"Debug_CameraInput_Inject_ReadyForInjection"}},
      {"FG_DEBUGREADY", kMonitoringPoint, {"Debug_LutOutput_Inject_ReadyForInjection"}},
      {"FG_DEBUGOUTENABLE", kMonitoringPoint, {"Debug_LutOutput_OperationMode"}},
      {"FG_DEBUGOUTXPOS", kMonitoringPoint, {"Debug_LutOutput_XPosition"}},
      {"FG_DEBUGOUTYPOS", kMonitoringPoint, {"Debug_LutOutput_YPosition"}},
      {"FG_DEBUGOUTPIXEL", kMonitoringPoint, {"Debug_LutOutput_PixelValue"}},
      {"FG_FILLLEVEL", kEveryState, {"Overflow_OverflowOccurred", "DRAM_A_0_FillLevel"}},
      {"FG_OVERFLOW", kEveryState, {"Overflow_OverflowOccurred"}},
      // The simulator's speeds: from the active pixels in pixel-frequency mode, from the
      // sequence length otherwise (the line rate in frame-rate mode from the width alone).
      {"FG_CAMERASIMULATOR_PIXEL_FREQUENCY", kPixelFrequencyMode, {"ActivePixel_Number"}},
      {"FG_CAMERASIMULATOR_LINERATE", kPixelFrequencyMode, {"ActivePixel_Number"}},
      {"FG_CAMERASIMULATOR_LINERATE", kLineRateMode, {"SequenceLength_ImageWidth"}},
      {"FG_CAMERASIMULATOR_FRAMERATE", kPixelFrequencyMode, {"ActivePixel_Number"}},
      {"FG_CAMERASIMULATOR_FRAMERATE",
       kEveryState & ~kPixelFrequencyMode,
       {"SequenceLength_ImageWidth"}},
      {"FG_CAMERASIMULATOR_ACTIVE", kPixelFrequencyMode, {"ActivePixel_Number"}},
      {"FG_CAMERASIMULATOR_PASSIVE", kPixelFrequencyMode, {"ActivePixel_Number"}},
      {"FG_TRIGGER_EXCEEDED_PERIOD_LIMITS",
       kSoftwareTrigger | kExternalTrigger,
       {"Monitoring_ReadQueueStatus_Status"}},
      {"FG_TRIGGERIN_DEBOUNCE", kEveryState, {"TriggerInput_Debounce8_Prescale_Period"}},
      {"FG_GPI", kEveryState, {"TriggerInput_InputStatus_Status"}},
      {"FG_FRONT_GPI", kEveryState, {"TriggerInput_InputStatusFrontGPI_Status"}},
      {"FG_SOFTWARETRIGGER_IS_BUSY",
       kSoftwareTrigger,
       {"Generators_Generator_MaximumReached_Status", "Generators_QueueValue_Status"}},
      {"FG_SOFTWARETRIGGER_QUEUE_FILLLEVEL",
       kSoftwareTrigger,
       {"Monitoring_ReadQueueStatus_Status", "Generators_QueueValue_Status",
        "Generators_Generator_MaximumReached_Status"}},
      {"FG_TRIGGERQUEUE_FILLLEVEL",
       kSoftwareTrigger | kExternalTrigger,
       {"Monitoring_ReadQueueStatus_Status", "Generators_QueueValue_Status",
        "Generators_Generator_MaximumReached_Status"}},
      {"FG_TRIGGERIN_STATS_PULSECOUNT", kEveryState, {"InputStatistics_ReadPulses_Status"}},
      {"FG_TRIGGERIN_STATS_FREQUENCY", kEveryState, {"InputStatistics_ReadPeriod_Status"}},
      {"FG_TRIGGERIN_STATS_MINFREQUENCY", kEveryState, {"InputStatistics_ReadMax_Status"}},
      {"FG_TRIGGERIN_STATS_MAXFREQUENCY", kEveryState, {"InputStatistics_ReadMin_Status"}},
      {"FG_TRIGGER_PULSEFORMGEN0_DELAY", kEveryState, {"PulseFormGenerator0_Delay_Delay_Width"}},
      {"FG_TRIGGER_PULSEFORMGEN0_WIDTH", kEveryState, {"PulseFormGenerator0_Width_Width"}},
      {"FG_TRIGGER_PULSEFORMGEN1_DELAY", kEveryState, {"PulseFormGenerator1_Delay_Delay_Width"}},
      {"FG_TRIGGER_PULSEFORMGEN1_WIDTH", kEveryState, {"PulseFormGenerator1_Width_Width"}},
      {"FG_TRIGGER_PULSEFORMGEN2_DELAY", kEveryState, {"PulseFormGenerator2_Delay_Delay_Width"}},
      {"FG_TRIGGER_PULSEFORMGEN2_WIDTH", kEveryState, {"PulseFormGenerator2_Width_Width"}},
      {"FG_TRIGGER_PULSEFORMGEN3_DELAY", kEveryState, {"PulseFormGenerator3_Delay_Delay_Width"}},
      {"FG_TRIGGER_PULSEFORMGEN3_WIDTH", kEveryState, {"PulseFormGenerator3_Width_Width"}},
      {"FG_TRIGGEROUT_STATS_PULSECOUNT", kEveryState, {"OutputStatistics_ReadPulses_Status"}},
      {"FG_MISSING_CAMERA_FRAME_RESPONSE", kEveryState, {"Monitoring_ReadQueueStatus_Status"}},
  };
  return kReads;
}

// Parameters whose get reads the hardware in some state: their value follows what reached
// the hardware, not only what the applet stored.
bool readsHardware(std::int32_t id) {
  static const std::set<std::int32_t> kIds = [] {
    std::set<std::int32_t> ids;
    for (const Reads& reads : getReads()) ids.insert(idOf(reads.parameter));
    return ids;
  }();
  return kIds.contains(id);
}

// What storedState says of a fresh applet in a state, read once per state.
const std::vector<std::string>& freshState(const State& state, Applet& applet) {
  static std::map<std::string, std::vector<std::string>> kFresh;
  auto found = kFresh.find(state.name);
  if (found == kFresh.end()) found = kFresh.emplace(state.name, storedState(applet)).first;
  return found->second;
}

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
    Attempt pair = number((entry[0] + 1) % 1024 | (std::uint64_t{5} << 32));
    pair.label = "entry 5 = " + std::to_string((entry[0] + 1) % 1024);
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

// --- The states ---

std::vector<State> states() {
  using parameters::enumUnsigned;
  // What the trigger writes in its other modes and states: the transitions, the queue, the
  // software trigger. The other trigger setters write the same in every mode.
  const std::vector<WritableParameter> kModeDependentTrigger =
      only({"FG_AREATRIGGERMODE", "FG_TRIGGERSTATE", "FG_TRIGGERQUEUE_MODE",
            "FG_SENDSOFTWARETRIGGER", "FG_TRIGGER_FRAMESPERSECOND"});
  return {
      {"defaults",
       kDefaults,
       {},
       {semantics::writableParameters().begin(), semantics::writableParameters().end()}},
      {"simulator in pixel-frequency mode",
       kPixelFrequencyMode,
       {{"FG_CAMERASIMULATOR_SELECT_MODE", enumUnsigned("FG_PIXEL_FREQUENCY")}},
       all(semantics::kCameraSimulatorParameters)},
      {"simulator in line-rate mode",
       kLineRateMode,
       {{"FG_CAMERASIMULATOR_SELECT_MODE", enumUnsigned("FG_LINERATE")}},
       all(semantics::kCameraSimulatorParameters)},
      {"software trigger active",
       kSoftwareTrigger,
       {{"FG_AREATRIGGERMODE", enumUnsigned("ATM_SOFTWARE")},
        {"FG_TRIGGERSTATE", enumUnsigned("TS_ACTIVE")}},
       kModeDependentTrigger},
      {"external trigger active",
       kExternalTrigger,
       {{"FG_AREATRIGGERMODE", enumUnsigned("ATM_EXTERNAL")},
        {"FG_TRIGGERSTATE", enumUnsigned("TS_ACTIVE")}},
       kModeDependentTrigger},
      {"monitoring debug point selected",
       kMonitoringPoint,
       {{"FG_DEBUGSOURCE", 1}},
       all(semantics::kDebugParameters)},
      {"custom lookup table", kCustomTable, {}, all(semantics::kLookupTableParameters)},
  };
}

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

// --- Names on the board ---

// The runtime's own parameters that the simulated board answers.
constexpr const char* kRuntimeParameters[] = {
    "FG_TIMEOUT",  "FG_APC_STOP_TIMEOUT", "FG_CAMSTATUS_EXTENDED", "FG_NR_OF_DMAS", "FG_NR_OF_CAMS",
    "FG_DMA_PORT", "FG_CAM_PORT",         "FG_TRANSFER_LEN",       "FG_DMASTATUS",
};

// Every name the applet reads on the board: the bound hardware parameters, the parameters of
// the design's debug points with their count, and the runtime's own parameters.
std::vector<std::string> reachableNames(Applet& applet) {
  const auto& bound = parameters::hardwareParameterNames();
  std::vector<std::string> names(bound.begin(), bound.end());
  names.emplace_back("Device1_Process0_Debug_Entries");
  char text[256] = {};
  EXPECT_EQ(simboard_get(applet.board(), "Device1_Process0_Debug_Entries", text, sizeof text), 0);
  const int points = std::atoi(text);
  for (int point = 0; point < points; ++point) {
    const std::string pathName = "Device1_Process0_Debug_Path" + std::to_string(point);
    EXPECT_EQ(simboard_get(applet.board(), pathName.c_str(), text, sizeof text), 0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(debug::PointParameter::kCount); ++i) {
      names.push_back(std::string("Device1_Process0_") + text +
                      debug::suffixOf(static_cast<debug::PointParameter>(i)));
    }
  }
  names.insert(names.end(), std::begin(kRuntimeParameters), std::end(kRuntimeParameters));
  return names;
}

// The one reachable name that is `ending` or ends with "_" + `ending`.
std::string fullName(const std::vector<std::string>& names, std::string_view ending) {
  std::string found;
  for (const std::string& name : names) {
    if (name == ending || name.ends_with("_" + std::string(ending))) {
      EXPECT_TRUE(found.empty()) << ending << " names both " << found << " and " << name;
      found = name;
    }
  }
  EXPECT_FALSE(found.empty()) << "no reachable name ends with " << ending;
  return found;
}

// Codes of their own for the reachable names, from this one down.
constexpr std::int32_t kFirstNamedCode = -30000;

// The reachable name that a code of its own stands for, or null.
const std::string* namedBy(const std::vector<std::string>& names, int code) {
  const std::int64_t index = std::int64_t{kFirstNamedCode} - code;
  if (code == 0 || index < 0 || index >= static_cast<std::int64_t>(names.size())) return nullptr;
  return &names[static_cast<std::size_t>(index)];
}

void armReads(Applet& applet, const std::vector<std::string>& names, std::size_t index,
              std::int32_t count) {
  const auto code = kFirstNamedCode - static_cast<std::int32_t>(index);
  ASSERT_EQ(simboard_fail(applet.board(), names[index].c_str(), SIMBOARD_READS, code, count), 0);
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

TEST_F(FaultSweep, EveryFailingAccessOfEverySetterRollsBackAndLeavesTheAppletUsable) {
  const BoardCounters start;
  SetCounts counts;
  std::vector<std::string> names;
  {
    Applet applet(states().front(), lutFile());
    ASSERT_TRUE(applet.ok());
    names = reachableNames(applet);
  }
  for (const State& state : states()) sweepSets(state, names, lutFile(), counts);
  EXPECT_EQ(BoardCounters{}, start) << "an applet left a design, a runtime or a string behind";

  // Every other writable parameter reaches the hardware in some state, so its failures are
  // swept: the debug source only selects a point, the two save files write files.
  std::set<std::string> neverWritten;
  for (const WritableParameter& parameter : semantics::writableParameters()) {
    if (!counts.parameters.contains(parameter.id)) neverWritten.insert(nameOf(parameter.id));
  }
  EXPECT_EQ(neverWritten,
            (std::set<std::string>{"FG_DEBUGSAVECONFIG", "FG_DEBUGSOURCE", "FG_LUT_SAVE_FILE"}));

  std::string silent;
  for (const std::string& entry : counts.silent) silent += "\n  writes nothing: " + entry;
  for (const std::string& entry : counts.refused) silent += "\n  refuses every value: " + entry;
  std::printf(
      "fault sweep, sets: %zu parameters, %d parameter-state pairs, %d writes failed, %d reads "
      "failed%s\n",
      counts.parameters.size(), counts.pairs, counts.writesFailed, counts.readsFailed,
      silent.c_str());
  RecordProperty("parameters", static_cast<int>(counts.parameters.size()));
  RecordProperty("writes_failed", counts.writesFailed);
  RecordProperty("set_reads_failed", counts.readsFailed);
}

// --- Gets ---

// The reads the table lists for a parameter in a state, by full name.
std::vector<std::string> listedReads(const std::vector<std::string>& names, std::int32_t id,
                                     std::uint32_t state) {
  std::vector<std::string> reads;
  for (const Reads& row : getReads()) {
    if (idOf(row.parameter) != id || (row.states & state) == 0) continue;
    for (const char* ending : row.names) reads.push_back(fullName(names, ending));
  }
  return reads;
}

constexpr unsigned char kUntouched = 0xA5;

// A get in the parameter's own form into a buffer that starts out as `kUntouched` bytes (an
// entry pair asks for entry 0).
int getInto(Applet& applet, const parameters::SdkParameter& parameter,
            std::vector<unsigned char>& buffer) {
  buffer.assign(kTextRoom, kUntouched);
  std::int32_t type = runtime::kTypeUint32;
  switch (parameter.form) {
    case ValueForm::kUint64:
      type = runtime::kTypeUint64;
      break;
    case ValueForm::kDouble:
      type = runtime::kTypeDouble;
      break;
    case ValueForm::kText:
      type = runtime::kTypeString;
      break;
    case ValueForm::kLutEntries:
      std::memset(buffer.data() + 4, 0, 4);
      break;
    case ValueForm::kUint32:
    case ValueForm::kAsRequested:
      break;
  }
  return Fg_getParameterWithType(applet.handle(), parameter.id, buffer.data(), 0, type);
}

struct GetCounts {
  std::set<std::int32_t> parameters;
  int readsFailed = 0;
};

// Arms every reachable name to fail its reads with a code of its own and reads each SDK
// parameter until it succeeds: the codes name the reads it makes, which must be the listed
// ones. A listed read the get survives has been swallowed.
void discoverReads(Applet& applet, const State& state, const std::vector<std::string>& names) {
  auto arm = [&](std::size_t index, std::int32_t count) { armReads(applet, names, index, count); };
  for (std::size_t i = 0; i < names.size(); ++i) arm(i, -1);
  for (const parameters::SdkParameter& parameter : kSdkParameters) {
    SCOPED_TRACE(std::string(state.name) + ": get " + std::string(parameter.name));
    std::vector<std::string> seen;
    std::vector<std::size_t> disarmed;
    std::vector<unsigned char> buffer;
    int result = 0;
    for (std::size_t round = 0; round <= names.size(); ++round) {
      result = getInto(applet, parameter, buffer);
      const std::string* name = namedBy(names, result);
      if (name == nullptr) break;
      const auto index = static_cast<std::size_t>(name - names.data());
      seen.push_back(*name);
      disarmed.push_back(index);
      arm(index, 0);
    }
    for (const std::size_t index : disarmed) arm(index, -1);

    const std::vector<std::string> listed = listedReads(names, parameter.id, state.bit);
    for (const std::string& name : seen) {
      EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end())
          << "reads " << name << ", which the table does not list";
    }
    if (result == 0) {
      for (const std::string& name : listed) {
        EXPECT_NE(std::find(seen.begin(), seen.end(), name), seen.end())
            << "a failed read of " << name << " is swallowed";
      }
    } else {
      // A read the applet reports with a code of its own does not name itself; the listed
      // reads are failed one by one next.
      EXPECT_TRUE(!listed.empty() && expectedCode(listed.front()) == result)
          << "fails with " << result;
    }
  }
  simboard_clear_failures(applet.board());
}

// Each listed read fails once on its own: the rules of the file comment.
void failEachRead(Applet& applet, const State& state, const std::vector<std::string>& names,
                  GetCounts& counts) {
  for (const parameters::SdkParameter& parameter : kSdkParameters) {
    const std::vector<std::string> listed = listedReads(names, parameter.id, state.bit);
    if (listed.empty()) continue;
    counts.parameters.insert(parameter.id);
    std::vector<unsigned char> before;
    ASSERT_EQ(getInto(applet, parameter, before), 0) << parameter.name;
    for (const std::string& name : listed) {
      SCOPED_TRACE(std::string(state.name) + ": get " + std::string(parameter.name) +
                   " with a failing read of " + name);
      const std::int32_t code = expectedCode(name);
      ASSERT_EQ(simboard_fail(applet.board(), name.c_str(), SIMBOARD_READS, kRefused, 1), 0);
      std::vector<unsigned char> value;
      EXPECT_EQ(getInto(applet, parameter, value), code);
      EXPECT_EQ(applet.lastError(), code);
      // The export clears a 64-bit value before the get; the entry pair keeps its index.
      std::vector<unsigned char> untouched(kTextRoom, kUntouched);
      if (parameter.form == ValueForm::kUint64) std::memset(untouched.data(), 0, 8);
      if (parameter.form == ValueForm::kLutEntries) std::memset(untouched.data() + 4, 0, 4);
      EXPECT_TRUE(value == untouched) << "a failed get wrote into the caller's value";
      ++counts.readsFailed;
      if (parameter.form == ValueForm::kText) {
        // A text handed out as a copy: nothing is handed out.
        ASSERT_EQ(simboard_fail(applet.board(), name.c_str(), SIMBOARD_READS, kRefused, 1), 0);
        char* copy = nullptr;
        EXPECT_EQ(Fg_getParameterWithType(applet.handle(), parameter.id, &copy, 0,
                                          runtime::kTypeStringCopy),
                  code);
        EXPECT_EQ(copy, nullptr);
        ++counts.readsFailed;
      }
      simboard_clear_failures(applet.board());
      EXPECT_EQ(getInto(applet, parameter, value), 0) << "the next get fails";
      EXPECT_EQ(applet.lastError(), 0);
      EXPECT_TRUE(value == before) << "the next get reads another value";
    }
  }
}

TEST_F(FaultSweep, EveryFailingReadOfTheGetPathIsReportedAndTheNextGetSucceeds) {
  const BoardCounters start;
  GetCounts counts;
  for (const State& state : states()) {
    Applet applet(state, lutFile());
    ASSERT_TRUE(applet.ok());
    const std::vector<std::string> names = reachableNames(applet);
    discoverReads(applet, state, names);
    failEachRead(applet, state, names, counts);
  }
  EXPECT_EQ(BoardCounters{}, start) << "an applet left a design, a runtime or a string behind";
  std::printf("fault sweep, gets: %zu parameters, %d reads failed\n", counts.parameters.size(),
              counts.readsFailed);
  RecordProperty("get_parameters", static_cast<int>(counts.parameters.size()));
  RecordProperty("reads_failed", counts.readsFailed);
}

}  // namespace
}  // namespace brenvik::test
