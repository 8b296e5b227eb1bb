// The read-only list and the writable table of the SDK parameters, as data, and the set
// dispatcher: DMA and process check, read-only refusal, setter lookup by id.
#include "semantics/SetPath.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "parameters/GetPath.h"
#include "parameters/IdIndex.h"
#include "parameters/SdkParameterTable.h"
#include "platform/logging/LogMessage.h"
#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"
#include "semantics/CameraLink.h"
#include "semantics/CameraSimulator.h"
#include "semantics/DebugInjection.h"
#include "semantics/ImageGeometry.h"
#include "semantics/LookupTable.h"
#include "semantics/OutputFormat.h"
#include "semantics/Trigger.h"

namespace brenvik::semantics {

namespace {

constexpr std::uint32_t kLevelParameterFailure = 4;

// Every family's writable parameters, in family order.
constexpr auto kWritableInFamilyOrder =
    concatenated(kImageGeometryParameters, kOutputFormatParameters, kCameraLinkParameters,
                 kLookupTableParameters, kTriggerParameters, kCameraSimulatorParameters,
                 kDebugParameters);

// --- Read-only parameters ---

consteval ReadOnlyParameter readOnly(parameters::SdkName parameter) {
  return {parameter.id(), parameter.name()};
}

constexpr auto kReadOnlyInListOrder = std::to_array<ReadOnlyParameter>({
    readOnly("FG_APC_STOP_TIMEOUT"),
    readOnly("FG_CAMSTATUS"),
    readOnly("FG_CAMSTATUS_EXTENDED"),
    readOnly("FG_NR_OF_DMAS"),
    readOnly("FG_NR_OF_CAMS"),
    readOnly("FG_NR_OF_PROCESSES"),
    readOnly("FG_DMA_PORT"),
    readOnly("FG_CAM_PORT"),
    readOnly("FG_PIXELDEPTH"),
    readOnly("FG_TRANSFER_LEN"),
    readOnly("FG_SOFTWARETRIGGER_QUEUE_FILLLEVEL"),
    readOnly("FG_CAMERA_LINK_PIXEL_CLOCK_X"),
    readOnly("FG_CAMERA_LINK_PIXEL_CLOCK_Y"),
    readOnly("FG_CAMERA_LINK_PIXEL_CLOCK_Z"),
    readOnly("FG_APPLET_ID"),
    readOnly("FG_APPLET_BUILD_TIME"),
    readOnly("FG_APPLET_VERSION"),
    readOnly("FG_APPLET_REVISION"),
    readOnly("FG_DMASTATUS"),
    readOnly("FG_HAP_FILE"),
    // The description query has no row in the parameter table, but a set of it is refused
    // like that of any read-only parameter.
    ReadOnlyParameter{parameters::kParameterDescriptionQuery, "FG_PARAM_DESCR"},
    readOnly("FG_CAMERASIMULATOR_PASSIVE"),
    readOnly("FG_CAMERASIMULATOR_ACTIVE"),
    readOnly("FG_SOFTWARETRIGGER_IS_BUSY"),
    readOnly("FG_FILLLEVEL"),
    readOnly("FG_OVERFLOW"),
    readOnly("FG_GPI"),
    readOnly("FG_FRONT_GPI"),
    readOnly("FG_SYSTEMMONITOR_FPGA_TEMPERATURE"),
    readOnly("FG_SYSTEMMONITOR_FPGA_VCC_INT"),
    readOnly("FG_SYSTEMMONITOR_FPGA_VCC_AUX"),
    readOnly("FG_SYSTEMMONITOR_FPGA_VCC_BRAM"),
    readOnly("FG_SYSTEMMONITOR_FPGA_DNA"),
    readOnly("FG_SYSTEMMONITOR_CURRENT_LINK_WIDTH"),
    readOnly("FG_SYSTEMMONITOR_CURRENT_LINK_SPEED"),
    readOnly("FG_SYSTEMMONITOR_PCIE_LINK_GEN2_CAPABLE"),
    readOnly("FG_SYSTEMMONITOR_PCIE_LINK_PARTNER_GEN2_CAPABLE"),
    readOnly("FG_SYSTEMMONITOR_PCIE_TRAINED_PAYLOAD_SIZE"),
    readOnly("FG_SYSTEMMONITOR_EXTENSION_CONNECTOR_PRESENT"),
    readOnly("FG_SYSTEMMONITOR_POCL_STATE_PORT_A"),
    readOnly("FG_SYSTEMMONITOR_POCL_STATE_PORT_B"),
    readOnly("FG_ALTERNATIVE_BOARD_DETECTION"),
    readOnly("FG_LUT_IMPLEMENTATION_TYPE"),
    readOnly("FG_LUT_IN_BITS"),
    readOnly("FG_LUT_OUT_BITS"),
    readOnly("FG_TRIGGER_EXCEEDED_PERIOD_LIMITS"),
    readOnly("FG_TRIGGERIN_STATS_PULSECOUNT"),
    readOnly("FG_TRIGGERIN_STATS_FREQUENCY"),
    readOnly("FG_TRIGGERIN_STATS_MINFREQUENCY"),
    readOnly("FG_TRIGGERIN_STATS_MAXFREQUENCY"),
    readOnly("FG_TRIGGERQUEUE_FILLLEVEL"),
    readOnly("FG_TRIGGEROUT_STATS_PULSECOUNT"),
    readOnly("FG_MISSING_CAMERA_FRAME_RESPONSE"),
    readOnly("FG_DEBUGSOURCENAME"),
    readOnly("FG_DEBUGOUTXPOS"),
    readOnly("FG_DEBUGOUTYPOS"),
    readOnly("FG_DEBUGOUTPIXEL"),
    readOnly("FG_DEBUGREADY"),
});
static_assert(kReadOnlyInListOrder.size() == 58);

constexpr parameters::IdIndex kWritableIndex(kWritableInFamilyOrder);
constexpr parameters::IdIndex kReadOnlyIndex(kReadOnlyInListOrder);

// No id is both read-only and writable (each list's own ids are distinct, or its index
// would not compile).
consteval bool listsAreDisjoint() {
  for (const WritableParameter& parameter : kWritableInFamilyOrder) {
    if (kReadOnlyIndex.find(parameter.id) != kReadOnlyIndex.kNone) return false;
  }
  return true;
}
static_assert(listsAreDisjoint());

// The rows of the writable parameters sorted by id, for those who list them.
constexpr auto kWritableById = [] {
  auto rows = kWritableInFamilyOrder;
  std::sort(rows.begin(), rows.end(),
            [](const WritableParameter& a, const WritableParameter& b) { return a.id < b.id; });
  return rows;
}();
constexpr auto kReadOnlyById = [] {
  auto rows = kReadOnlyInListOrder;
  std::sort(rows.begin(), rows.end(),
            [](const ReadOnlyParameter& a, const ReadOnlyParameter& b) { return a.id < b.id; });
  return rows;
}();

template <typename Row, std::size_t N, std::size_t Slots>
const Row* findIn(const std::array<Row, N>& rows, const parameters::IdIndex<Slots>& index,
                  std::int32_t id) {
  const std::uint16_t row = index.find(id);
  return row == index.kNone ? nullptr : &rows[row];
}

}  // namespace

const WritableParameter* findWritableParameter(std::int32_t id) {
  return findIn(kWritableInFamilyOrder, kWritableIndex, id);
}
std::span<const WritableParameter> writableParameters() { return kWritableById; }
std::span<const ReadOnlyParameter> readOnlyParameters() { return kReadOnlyById; }

void setSdkParameter(SetContext& context, std::int32_t id, const void* value, std::uint32_t dma,
                     std::int32_t type) {
  const std::int32_t process = parameters::processOfDma(context.registry, dma);
  if (process != 0) parameters::refuseSdkParameter(context.services, "set", id, process);
  if (const ReadOnlyParameter* refused = findIn(kReadOnlyInListOrder, kReadOnlyIndex, id)) {
    vurn::tools::logging::logMessage(context.services.logger(), kLevelParameterFailure,
                                     "trying to set read-only SDK parameter '", refused->name,
                                     "' on process 0!");
    codes::raise(codes::kNotAvailable);
  }
  const WritableParameter* parameter = findWritableParameter(id);
  if (parameter == nullptr) parameters::refuseSdkParameter(context.services, "set", id, process);
  parameter->set(context, value, type, true);
}

}  // namespace brenvik::semantics
