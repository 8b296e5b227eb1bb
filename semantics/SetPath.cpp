// The read-only list and the writable table of the SDK parameters, as data, and the set
// dispatcher: DMA and process check, read-only refusal, setter lookup by id.
#include "semantics/SetPath.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "parameters/GetPath.h"
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

template <typename Row, std::size_t N>
constexpr std::array<Row, N> sortedById(std::array<Row, N> rows) {
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.id < b.id; });
  return rows;
}

constexpr auto kWritable = sortedById(kWritableInFamilyOrder);
constexpr auto kReadOnly = sortedById(kReadOnlyInListOrder);

// No id is both read-only and writable, and no id appears twice.
consteval bool idsAreDistinct() {
  for (std::size_t i = 1; i < kWritable.size(); ++i) {
    if (kWritable[i - 1].id == kWritable[i].id) return false;
  }
  for (std::size_t i = 1; i < kReadOnly.size(); ++i) {
    if (kReadOnly[i - 1].id == kReadOnly[i].id) return false;
  }
  for (const WritableParameter& parameter : kWritable) {
    for (const ReadOnlyParameter& refused : kReadOnly) {
      if (parameter.id == refused.id) return false;
    }
  }
  return true;
}
static_assert(idsAreDistinct());

template <typename Row, std::size_t N>
const Row* findById(const std::array<Row, N>& rows, std::int32_t id) {
  const auto found =
      std::lower_bound(rows.begin(), rows.end(), id,
                       [](const Row& row, std::int32_t wanted) { return row.id < wanted; });
  return found != rows.end() && found->id == id ? &*found : nullptr;
}

}  // namespace

const WritableParameter* findWritableParameter(std::int32_t id) { return findById(kWritable, id); }
std::span<const WritableParameter> writableParameters() { return kWritable; }
std::span<const ReadOnlyParameter> readOnlyParameters() { return kReadOnly; }

void setSdkParameter(SetContext& context, std::int32_t id, const void* value, std::uint32_t dma,
                     std::int32_t type) {
  const std::int32_t process = parameters::processOfDma(context.registry, dma);
  if (process != 0) parameters::refuseSdkParameter(context.services, "set", id, process);
  if (const ReadOnlyParameter* refused = findById(kReadOnly, id)) {
    vurn::tools::logging::logMessage(context.services.logger(), kLevelParameterFailure,
                                     "trying to set read-only SDK parameter '", refused->name,
                                     "' on process 0!");
    codes::raise(codes::kNotAvailable);
  }
  const WritableParameter* parameter = findById(kWritable, id);
  if (parameter == nullptr) parameters::refuseSdkParameter(context.services, "set", id, process);
  parameter->set(context, value, type, true);
}

}  // namespace brenvik::semantics
