// The getter table of the SDK parameters and the get dispatcher: DMA check, getter lookup by
// id, and the string rules.
#include "parameters/GetPath.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "parameters/Getters.h"
#include "parameters/HardwareBinding.h"
#include "parameters/IdIndex.h"
#include "parameters/LookupTableShape.h"
#include "parameters/ParameterRegistry.h"
#include "parameters/StringHandout.h"
#include "platform/logging/LogMessage.h"
#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"

namespace brenvik::parameters {

namespace {

using namespace getters;
using runtime::kTypeDouble;
using runtime::kTypeString;
using runtime::kTypeUint32;
using runtime::kTypeUint64;
using V = const CurrentValues&;

constexpr std::uint32_t kLevelParameterFailure = 4;
constexpr std::uint32_t kTickNanoseconds = 8;
constexpr std::uint32_t kDebounceStepNanoseconds = 8 * 3;

// The getters of the parameters that do not simply read their stored value (CurrentValues.h
// gives every other parameter its getter), then the description query.
constexpr auto kOwnGetters = std::to_array<Getter>({
    constant("FG_APPLET_VERSION", 2),
    constant("FG_APPLET_REVISION", 1),
    hardware("FG_APPLET_ID", Hw::AppletProperties_AppletUid, kTypeString),
    hardware("FG_APPLET_BUILD_TIME", Hw::AppletProperties_BuildTime, kTypeString),
    fixedText("FG_HAP_FILE", "Brenvik.hap"),
    runtimeOwn("FG_DMASTATUS"),
    computed("FG_CAMSTATUS", ValueForm::kUint32, &cameraStatus),
    computed("FG_CAMSTATUS_EXTENDED", ValueForm::kUint32, &cameraStatusExtended),
    hardware("FG_SYSTEMMONITOR_FPGA_TEMPERATURE", Hw::BoardStatus_FpgaTemperature, kTypeDouble),
    hardware("FG_SYSTEMMONITOR_FPGA_VCC_INT", Hw::BoardStatus_FpgaVccInt, kTypeDouble),
    hardware("FG_SYSTEMMONITOR_FPGA_VCC_AUX", Hw::BoardStatus_FpgaVccAux, kTypeDouble),
    hardware("FG_SYSTEMMONITOR_FPGA_VCC_BRAM", Hw::BoardStatus_FpgaVccBram, kTypeDouble),
    hardware("FG_SYSTEMMONITOR_CURRENT_LINK_WIDTH", Hw::BoardStatus_PcieCurrentLinkWidth,
             kTypeUint32),
    hardware("FG_SYSTEMMONITOR_CURRENT_LINK_SPEED", Hw::BoardStatus_PcieCurrentLinkSpeed,
             kTypeDouble),
    hardware("FG_SYSTEMMONITOR_PCIE_LINK_GEN2_CAPABLE", Hw::BoardStatus_PcieLinkGen2Capable,
             kTypeUint32),
    hardware("FG_SYSTEMMONITOR_PCIE_LINK_PARTNER_GEN2_CAPABLE",
             Hw::BoardStatus_PcieLinkPartnerGen2Capable, kTypeUint32),
    hardware("FG_SYSTEMMONITOR_PCIE_TRAINED_PAYLOAD_SIZE", Hw::BoardStatus_PcieTrainedPayloadSize,
             kTypeUint32),
    hardware("FG_SYSTEMMONITOR_EXTENSION_CONNECTOR_PRESENT",
             Hw::BoardStatus_ExtensionConnectorPresent, kTypeUint32),
    computed("FG_ALTERNATIVE_BOARD_DETECTION", ValueForm::kUint32, &alternativeBoardDetection),
    hardware("FG_SYSTEMMONITOR_POCL_STATE_PORT_A", Hw::BoardStatus_PoCLStatePortA, kTypeUint32),
    hardware("FG_SYSTEMMONITOR_POCL_STATE_PORT_B", Hw::BoardStatus_PoCLStatePortB, kTypeUint32),
    hardware("FG_SYSTEMMONITOR_FPGA_DNA", Hw::BoardStatus_FpgaDNA, kTypeUint64),
    forwarded("FG_TRANSFER_LEN"),
    constant("FG_NR_OF_PROCESSES", 1),
    forwarded("FG_NR_OF_DMAS"),
    forwarded("FG_NR_OF_CAMS"),
    forwarded("FG_DMA_PORT"),
    forwarded("FG_CAM_PORT"),
    forwarded("FG_APC_STOP_TIMEOUT"),
    hardware("FG_CAMERA_LINK_PIXEL_CLOCK_X", Hw::Camera_PixelClockX, kTypeUint32),
    hardware("FG_CAMERA_LINK_PIXEL_CLOCK_Y", Hw::Camera_PixelClockY, kTypeUint32),
    hardware("FG_CAMERA_LINK_PIXEL_CLOCK_Z", Hw::Camera_PixelClockZ, kTypeUint32),
    computedText("FG_DEBUGSOURCENAME", &debugSourceName),
    computed("FG_DEBUGINENABLE", ValueForm::kUint32, &debugInputEnable),
    computedText("FG_DEBUGFILE", &debugFile),
    computed("FG_DEBUGOUTENABLE", ValueForm::kUint32, &debugOutputEnable),
    computed("FG_DEBUGOUTXPOS", ValueForm::kUint32, &debugXPosition),
    computed("FG_DEBUGOUTYPOS", ValueForm::kUint32, &debugYPosition),
    computed("FG_DEBUGOUTPIXEL", ValueForm::kUint32, &debugPixel),
    computed("FG_DEBUGREADY", ValueForm::kUint32, &debugReady),
    computed("FG_FILLLEVEL", ValueForm::kUint32, &fillLevel),
    hardware("FG_OVERFLOW", Hw::Overflow_OverflowOccurred, kTypeUint32),
    constant("FG_PIXELDEPTH", 10),
    storedIn("FG_CAMERASIMULATOR_WIDTH", [](V v) -> auto& { return v.simulator.effectiveWidth; }),
    computed("FG_CAMERASIMULATOR_LINE_GAP", ValueForm::kUint32, &simulatorLineGap),
    computed("FG_CAMERASIMULATOR_FRAME_GAP", ValueForm::kUint32, &simulatorFrameGap),
    computed("FG_CAMERASIMULATOR_PIXEL_FREQUENCY", ValueForm::kDouble, &simulatorPixelFrequency),
    computed("FG_CAMERASIMULATOR_LINERATE", ValueForm::kDouble, &simulatorLineRate),
    computed("FG_CAMERASIMULATOR_FRAMERATE", ValueForm::kDouble, &simulatorFrameRate),
    computed("FG_CAMERASIMULATOR_ACTIVE", ValueForm::kUint32, &simulatorActive),
    computed("FG_CAMERASIMULATOR_PASSIVE", ValueForm::kUint32, &simulatorPassive),
    constant("FG_LUT_IMPLEMENTATION_TYPE", 0),
    constant("FG_LUT_IN_BITS", kLutInBits),
    constant("FG_LUT_OUT_BITS", kLutOutBits),
    computed("FG_LUT_VALUE", ValueForm::kLutEntries, &lutValue),
    computed("FG_TRIGGER_EXCEEDED_PERIOD_LIMITS", ValueForm::kUint32, &exceededPeriodLimits),
    microseconds("FG_TRIGGERIN_DEBOUNCE", Hw::TriggerInput_Debounce8_Prescale_Period,
                 kDebounceStepNanoseconds),
    hardware("FG_GPI", Hw::TriggerInput_InputStatus_Status, kTypeUint32),
    hardware("FG_FRONT_GPI", Hw::TriggerInput_InputStatusFrontGPI_Status, kTypeUint32),
    computed("FG_SOFTWARETRIGGER_IS_BUSY", ValueForm::kUint32, &softwareTriggerIsBusy),
    computed("FG_SOFTWARETRIGGER_QUEUE_FILLLEVEL", ValueForm::kUint32,
             &softwareTriggerQueueFillLevel),
    hardware("FG_TRIGGERIN_STATS_PULSECOUNT", Hw::Cam0_InputStatistics_ReadPulses_Status,
             kTypeUint32),
    frequency("FG_TRIGGERIN_STATS_FREQUENCY", Hw::Cam0_InputStatistics_ReadPeriod_Status),
    // The longest period gives the lowest frequency, the shortest the highest.
    frequency("FG_TRIGGERIN_STATS_MINFREQUENCY", Hw::Cam0_InputStatistics_ReadMax_Status),
    frequency("FG_TRIGGERIN_STATS_MAXFREQUENCY", Hw::Cam0_InputStatistics_ReadMin_Status),
    computed("FG_TRIGGERQUEUE_FILLLEVEL", ValueForm::kUint32, &triggerQueueFillLevel),
    microseconds("FG_TRIGGER_PULSEFORMGEN0_DELAY", Hw::PulseForm0_Delay_Delay_Width,
                 kTickNanoseconds),
    microseconds("FG_TRIGGER_PULSEFORMGEN0_WIDTH", Hw::PulseForm0_Width_Width, kTickNanoseconds),
    microseconds("FG_TRIGGER_PULSEFORMGEN1_DELAY", Hw::PulseForm1_Delay_Delay_Width,
                 kTickNanoseconds),
    microseconds("FG_TRIGGER_PULSEFORMGEN1_WIDTH", Hw::PulseForm1_Width_Width, kTickNanoseconds),
    microseconds("FG_TRIGGER_PULSEFORMGEN2_DELAY", Hw::PulseForm2_Delay_Delay_Width,
                 kTickNanoseconds),
    microseconds("FG_TRIGGER_PULSEFORMGEN2_WIDTH", Hw::PulseForm2_Width_Width, kTickNanoseconds),
    microseconds("FG_TRIGGER_PULSEFORMGEN3_DELAY", Hw::PulseForm3_Delay_Delay_Width,
                 kTickNanoseconds),
    microseconds("FG_TRIGGER_PULSEFORMGEN3_WIDTH", Hw::PulseForm3_Width_Width, kTickNanoseconds),
    hardware("FG_TRIGGEROUT_STATS_PULSECOUNT", Hw::Cam0_OutputStatistics_ReadPulses_Status,
             kTypeUint32),
    computed("FG_MISSING_CAMERA_FRAME_RESPONSE", ValueForm::kUint32, &missingCameraFrameResponse),
    Getter{.id = kParameterDescriptionQuery,
           .form = ValueForm::kText,
           .text = &parameterDescription},
});

// A parameter's own getter, or null.
consteval const Getter* ownGetter(std::int32_t id) {
  const Getter* found = nullptr;
  for (const Getter& getter : kOwnGetters) {
    if (getter.id != id) continue;
    if (found != nullptr) throw "a parameter has two getters";
    found = &getter;
  }
  return found;
}

// One row per SDK parameter, in the order of the parameter table, then the description query:
// the parameter's own getter, or else the one that reads its stored value. A parameter with
// neither does not compile.
constexpr auto kGettersInTableOrder = []() consteval {
  std::array<Getter, kSdkParameterCount + 1> getters{};
  for (std::size_t i = 0; i < kSdkParameterCount; ++i) {
    const Getter* own = ownGetter(kSdkParameters[i].id);
    getters[i] = own != nullptr ? *own : stored(SdkName(kSdkParameters[i]));
  }
  getters[kSdkParameterCount] = *ownGetter(kParameterDescriptionQuery);
  return getters;
}();

// Every parameter of the table has its getter, in table order, writing the table's form.
// (A text getter is one of form kText; the builders set the matching function.)
consteval bool gettersFollowTheTable() {
  if (kGettersInTableOrder.size() != kSdkParameterCount + 1) return false;
  for (std::size_t i = 0; i < kSdkParameterCount; ++i) {
    const Getter& getter = kGettersInTableOrder[i];
    if (getter.id != kSdkParameters[i].id || getter.form != kSdkParameters[i].form) return false;
  }
  return true;
}
static_assert(gettersFollowTheTable());

constexpr IdIndex kGetterIndex(kGettersInTableOrder);

const Getter* findGetter(std::int32_t id) {
  const std::uint16_t row = kGetterIndex.find(id);
  return row == kGetterIndex.kNone ? nullptr : &kGettersInTableOrder[row];
}

// Type 22 hands out a copy made in the scratch buffer; any other type writes the text into
// the caller's buffer.
void getText(const Getter& getter, GetContext& context, const GetRequest& request) {
  if (request.type != runtime::kTypeStringCopy) {
    getter.text(getter, context, request, static_cast<char*>(request.value));
    return;
  }
  getter.text(getter, context, request, context.strings.scratch());
  char* copy = context.strings.handOut();
  if (copy == nullptr) codes::raise(codes::kInternalFailure);
  put(request.value, copy);
}

}  // namespace

namespace getters {

void storedScalar(const Getter& getter, GetContext& context, const GetRequest& request) {
  std::memcpy(request.value, getter.address(context.values), scalarSize(getter.form));
}

void storedText(const Getter& getter, GetContext& context, const GetRequest&, char* destination) {
  const auto& text = *static_cast<const std::string*>(getter.address(context.values));
  std::memcpy(destination, text.c_str(), text.size() + 1);
}

void constantValue(const Getter& getter, GetContext&, const GetRequest& request) {
  put(request.value, getter.number);
}

void constantText(const Getter& getter, GetContext&, const GetRequest&, char* destination) {
  std::strcpy(destination, getter.word);
}

void hardwareValue(const Getter& getter, GetContext& context, const GetRequest& request) {
  context.hardware.readInto(getter.slot, request.value, getter.typeCode);
}

void hardwareText(const Getter& getter, GetContext& context, const GetRequest&,
                  char* destination) {
  context.hardware.readInto(getter.slot, destination, runtime::kTypeString);
}

void runtimeValue(const Getter& getter, GetContext& context, const GetRequest& request) {
  const int result =
      context.services.getParameter(getter.id, request.value, 0, runtime::kTypeUint32);
  if (result != 0) codes::raise(result);
}

void forwardedValue(const Getter& getter, GetContext& context, const GetRequest& request) {
  const int result =
      context.services.getParameter(getter.id, request.value, request.dma, request.type);
  if (result != 0) codes::raise(result);
}

// The request holds an SDK parameter's name; its description, or "-", replaces it.
void parameterDescription(const Getter&, GetContext& context, const GetRequest& request,
                          char* destination) {
  const std::string* description =
      context.registry.descriptionOf(static_cast<const char*>(request.value));
  const char* text = description != nullptr ? description->c_str() : "-";
  std::memmove(destination, text, std::strlen(text) + 1);
}

}  // namespace getters

std::int32_t processOfDma(const ParameterRegistry& registry, std::uint32_t dma) {
  const std::int32_t* process = registry.processOf(dma);
  if (process == nullptr) codes::raise(codes::kInvalidParameter);
  return *process;
}

void refuseSdkParameter(runtime::AppletServices& services, const char* operation, std::int32_t id,
                        std::int32_t process) {
  if (process != 0) {
    vurn::tools::logging::logMessage(services.logger(), kLevelParameterFailure, "trying to ",
                                     operation, " SDK parameter '", id, "' on unknown process ",
                                     process, "!");
  } else {
    vurn::tools::logging::logMessage(services.logger(), kLevelParameterFailure, "trying to ",
                                     operation, " unknown SDK parameter '", id,
                                     "' on process 0!");
  }
  codes::raise(codes::kInvalidParameter);
}

void getSdkParameter(GetContext& context, std::int32_t id, void* value, std::uint32_t dma,
                     std::int32_t type) {
  const GetRequest request{value, dma, type};
  // The process count is answered for any DMA index.
  if (id == sdkId("FG_NR_OF_PROCESSES")) {
    const Getter* processes = findGetter(id);
    processes->value(*processes, context, request);
    return;
  }
  const std::int32_t process = processOfDma(context.registry, dma);
  if (process != 0) refuseSdkParameter(context.services, "get", id, process);
  const Getter* getter = findGetter(id);
  if (getter == nullptr) refuseSdkParameter(context.services, "get", id, process);
  if (getter->form == ValueForm::kText) {
    getText(*getter, context, request);
  } else {
    getter->value(*getter, context, request);
  }
}

}  // namespace brenvik::parameters
