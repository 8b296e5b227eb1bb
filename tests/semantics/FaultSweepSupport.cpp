// The fault sweep's shared part: the states, the applets in them, reading back, the names on
// the board and the reads of the get path.
#include "FaultSweepSupport.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>

#include "DescriptionRecords.h"
#include "debug/DebugPoints.h"
#include "parameters/CurrentValues.h"
#include "parameters/HardwareParameters.h"
#include "parameters/LookupTableShape.h"
#include "runtime/ParameterRecord.h"
#include "runtime/SdkRuntime.h"
#include "semantics/CameraSimulator.h"
#include "semantics/DebugInjection.h"
#include "semantics/LookupTable.h"

namespace brenvik::test::sweep {

namespace {

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

// The debug point that each state selects.
constexpr std::uint32_t kInjectPoint = kEveryState & ~kMonitoringPoint;

// The runtime's own parameters that the simulated board answers.
constexpr const char* kRuntimeParameters[] = {
    "FG_TIMEOUT",  "FG_APC_STOP_TIMEOUT", "FG_CAMSTATUS_EXTENDED", "FG_NR_OF_DMAS", "FG_NR_OF_CAMS",
    "FG_DMA_PORT", "FG_CAM_PORT",         "FG_TRANSFER_LEN",       "FG_DMASTATUS",
};

}  // namespace

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

// --- An applet in a state ---

Applet::Applet(const State& state, const std::string& lutFile) : board_(freshBoard()) {
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

Applet::~Applet() {
  if (handle_.applet != nullptr) {
    EXPECT_EQ(Fg_FreeGrabber(&handle_), 0);
  }
}

std::vector<std::string> Applet::takeJournal() {
  std::vector<std::string> lines = journal(board_);
  simboard_journal_clear(board_);
  return lines;
}

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

// --- Reading values back ---

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
      std::vector<std::uint32_t> entries(parameters::kLutSize, 0);
      runtime::FieldParameterAccess access{
          2, 0, static_cast<std::uint32_t>(parameters::kLutSize), entries.data()};
      result = Fg_getParameterWithType(applet.handle(), id, &access, 0, runtime::kTypeField);
      for (const std::uint32_t entry : entries) value += std::to_string(entry) + ",";
      break;
    }
  }
  return result == 0 ? value : "error " + std::to_string(result);
}

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

// --- Names on the board ---

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

}  // namespace brenvik::test::sweep
