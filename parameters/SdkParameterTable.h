// The applet's SDK parameters, one row each: name, public id, the value form a get writes and
// the description text. A parameter's ordinal is its row index.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "parameters/IdIndex.h"

namespace brenvik::parameters {

// What a get of the parameter writes at the caller's pointer.
enum class ValueForm : std::uint8_t {
  kUint32,       // a 32-bit integer
  kUint64,       // a 64-bit integer
  kDouble,       // a double
  kText,         // a zero-terminated text: type 6 into the caller's buffer, 22 handed out
  kLutEntries,   // lookup-table entries: an entry pair, or field access with type 4096
  kAsRequested,  // the SDK runtime's own parameter, in whatever type the caller asks for
};

struct SdkParameter {
  std::string_view name;
  std::int32_t id;
  ValueForm form;
  std::string_view description;  // empty for the runtime's own parameters
};

// The parameter-description query: answered by the get path, but without a name or ordinal.
inline constexpr std::int32_t kParameterDescriptionQuery = 24114;

inline constexpr auto kSdkParameters = std::to_array<SdkParameter>({
    {"FG_TIMEOUT", 600, ValueForm::kUint32,
     "Internal framegrabber image timeout. This is independend of the runtime timeout value."},
    {"FG_APPLET_VERSION", 24020, ValueForm::kUint32, "Returns the applet version."},
    {"FG_APPLET_REVISION", 24030, ValueForm::kUint32, "Returns the applet revision."},
    {"FG_APPLET_ID", 24010, ValueForm::kText, "Returns the applet id."},
    {"FG_APPLET_BUILD_TIME", 24011, ValueForm::kText,
     "Returns the timestamp, the hardware applet file has been generated."},
    {"FG_HAP_FILE", 24108, ValueForm::kText,
     "The name of the Hardware-Applet (HAP) file on which this Vessmark is based."},
    {"FG_DMASTATUS", 24092, ValueForm::kUint32, "Returns the status of the DMA transmission."},
    {"FG_CAMSTATUS", 2000, ValueForm::kUint32,
     "Returns the status of a connected CameraLink camera. For CoaXPress this is not of "
     "interest."},
    {"FG_CAMSTATUS_EXTENDED", 2050, ValueForm::kUint32,
     "Returns the extended status of the camera. Bit = meaning: 0 = CameraPixelClk, 1 = "
     "CameraLval, 2 = CameraFval, 3 = Camera CC1 Signal, 4 = ExTrg / external trigger, 5 = "
     "BufferOverflow, 6 = BufferStatus-LSB, 7 = BufferStatus-MSB"},
    {"FG_SYSTEMMONITOR_FPGA_TEMPERATURE", 200341, ValueForm::kDouble,
     "Returns the current FPGA die temperature."},
    {"FG_SYSTEMMONITOR_FPGA_VCC_INT", 200342, ValueForm::kDouble,
     "Returns the current FPGA internal Vcc."},
    {"FG_SYSTEMMONITOR_FPGA_VCC_AUX", 200343, ValueForm::kDouble,
     "Returns the current FPGA auxiliary Vcc."},
    {"FG_SYSTEMMONITOR_FPGA_VCC_BRAM", 200372, ValueForm::kDouble,
     "Returns the current FPGA BRAM Vcc."},
    {"FG_SYSTEMMONITOR_CURRENT_LINK_WIDTH", 200373, ValueForm::kUint32,
     "Returns the current PCIe link width."},
    {"FG_SYSTEMMONITOR_CURRENT_LINK_SPEED", 200374, ValueForm::kDouble,
     "Returns the current PCIe link speed in Gibibyte (2^30 byte)."},
    {"FG_SYSTEMMONITOR_PCIE_LINK_GEN2_CAPABLE", 200375, ValueForm::kUint32,
     "Information if the PCIe link is generation 2 capable."},
    {"FG_SYSTEMMONITOR_PCIE_LINK_PARTNER_GEN2_CAPABLE", 200376, ValueForm::kUint32,
     "Information if the PCIe link partner is generation 2 capable."},
    {"FG_SYSTEMMONITOR_PCIE_TRAINED_PAYLOAD_SIZE", 200377, ValueForm::kUint32,
     "Returns the PCIe trained payload size."},
    {"FG_SYSTEMMONITOR_EXTENSION_CONNECTOR_PRESENT", 200378, ValueForm::kUint32,
     "Information if the extension connector is present."},
    {"FG_ALTERNATIVE_BOARD_DETECTION", 200381, ValueForm::kUint32,
     "Indicates if the grabber is configured for an alternative PCIe board detection "
     "algorithm."},
    {"FG_SYSTEMMONITOR_POCL_STATE_PORT_A", 200379, ValueForm::kUint32,
     "Power over Camera Link state for port A."},
    {"FG_SYSTEMMONITOR_POCL_STATE_PORT_B", 200380, ValueForm::kUint32,
     "Power over Camera Link state for port B."},
    {"FG_SYSTEMMONITOR_FPGA_DNA", 200349, ValueForm::kUint64, "Returns the FPGA DNA."},
    {"FG_TRANSFER_LEN", 5210, ValueForm::kAsRequested, ""},
    {"FG_NR_OF_PROCESSES", 3070, ValueForm::kUint32, ""},
    {"FG_NR_OF_DMAS", 3050, ValueForm::kAsRequested, ""},
    {"FG_NR_OF_CAMS", 3060, ValueForm::kAsRequested, ""},
    {"FG_DMA_PORT", 3080, ValueForm::kAsRequested, ""},
    {"FG_CAM_PORT", 3090, ValueForm::kAsRequested, ""},
    {"FG_APC_STOP_TIMEOUT", 601, ValueForm::kAsRequested, ""},
    {"FG_CAMERA_LINK_CAMTYPE", 11011, ValueForm::kUint32, "Select the Camera Link Mode."},
    {"FG_USEDVAL", 5025, ValueForm::kUint32, "Use the Camera Link DVAL signal or ignore it."},
    {"FG_CAMERA_LINK_CORE_RESET", 11012, ValueForm::kUint32, "Reset Camera Core."},
    {"FG_CAMERA_LINK_PIXEL_CLOCK_X", 11014, ValueForm::kUint32,
     "Returns the currently measured pixel clock for Camera Link chip X."},
    {"FG_CAMERA_LINK_PIXEL_CLOCK_Y", 11015, ValueForm::kUint32,
     "Returns the currently measured pixel clock for Camera Link chip Y."},
    {"FG_CAMERA_LINK_PIXEL_CLOCK_Z", 11016, ValueForm::kUint32,
     "Returns the currently measured pixel clock for Camera Link chip Z."},
    {"FG_DEBUGSOURCE", 900001, ValueForm::kUint32, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGSOURCENAME", 900006, ValueForm::kText, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGINENABLE", 900002, ValueForm::kUint32, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGFILE", 900000, ValueForm::kText, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGINSERT", 900003, ValueForm::kUint32, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGWRITEPIXEL", 900010, ValueForm::kUint64, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGWRITEFLAG", 900011, ValueForm::kUint32, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGOUTENABLE", 900004, ValueForm::kUint32, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGOUTXPOS", 900007, ValueForm::kUint32, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGOUTYPOS", 900008, ValueForm::kUint32, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGOUTPIXEL", 900009, ValueForm::kUint32, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGREADY", 900012, ValueForm::kUint32, "Debug-Interface, Internal Use ONLY."},
    {"FG_DEBUGSAVECONFIG", 900013, ValueForm::kText, "Debug-Interface, Internal Use ONLY."},
    {"FG_TAPGEOMETRY", 300111, ValueForm::kUint32,
     "Select the tap geometry according to the GenICam SFNC."},
    {"FG_SENSORWIDTH", 200220, ValueForm::kUint32,
     "Sensor width in selected tap geometry. Value is ignored if only one X-zone and vantage "
     "pont = Top-Left"},
    {"FG_VANTAGEPOINT", 300112, ValueForm::kUint32, "Vantage point. Use for mirroring."},
    {"FG_WIDTH", 100, ValueForm::kUint32, "Image width of the acquisition ROI."},
    {"FG_HEIGHT", 200, ValueForm::kUint32, "Image height of the acquisition ROI."},
    {"FG_XOFFSET", 300, ValueForm::kUint32, "X-offset of the acquisition ROI."},
    {"FG_YOFFSET", 400, ValueForm::kUint32, "Y-offset of the acquisition ROI."},
    {"FG_FILLLEVEL", 110086, ValueForm::kUint32, "Fill level of the buffers."},
    {"FG_OVERFLOW", 110087, ValueForm::kUint32,
     "Signals if the image buffer is in overflow state."},
    {"FG_FORMAT", 700, ValueForm::kUint32, "Pixel format of the output image."},
    {"FG_BITALIGNMENT", 4010, ValueForm::kUint32,
     "Defines if the output data are right aligned or left aligned."},
    {"FG_PIXELDEPTH", 4000, ValueForm::kUint32, "Internal processing bit depth of the applet."},
    {"FG_CUSTOM_BIT_SHIFT_RIGHT", 200396, ValueForm::kUint32,
     "Define a custom right bit shift. Set FG_BITALIGNEMENT to custom."},
    {"FG_CAMERASIMULATOR_ENABLE", 30099, ValueForm::kUint32,
     "Use internal frame generator or Camera input."},
    {"FG_CAMERASIMULATOR_WIDTH", 30102, ValueForm::kUint32,
     "Image width of camera simulator. Width is automatically rounded up to internal "
     "processing granularity. Reading the parameter will return the rounded value."},
    {"FG_CAMERASIMULATOR_LINE_GAP", 30105, ValueForm::kUint32,
     "Gap between lines of camera simulator. Value is automatically rounded up to internal "
     "processing granularity. Reading the parameter will return the rounded value."},
    {"FG_CAMERASIMULATOR_HEIGHT", 200322, ValueForm::kUint32, "Image height of camera simulator."},
    {"FG_CAMERASIMULATOR_FRAME_GAP", 200325, ValueForm::kUint32,
     "Line Gap between frames of camera simulator."},
    {"FG_CAMERASIMULATOR_PATTERN", 200326, ValueForm::kUint32,
     "Camera simulator pattern selector."},
    {"FG_CAMERASIMULATOR_PATTERN_OFFSET", 200356, ValueForm::kUint32,
     "Adds the defined value as an offset to the generated patterns."},
    {"FG_CAMERASIMULATOR_ROLL", 200327, ValueForm::kUint32, "Select rolling or static pattern."},
    {"FG_CAMERASIMULATOR_SELECT_MODE", 200328, ValueForm::kUint32,
     "Select input parameter for speed control."},
    {"FG_CAMERASIMULATOR_PIXEL_FREQUENCY", 30106, ValueForm::kDouble,
     "Defines the pixel frequency of the camera simulator."},
    {"FG_CAMERASIMULATOR_LINERATE", 200329, ValueForm::kDouble,
     "Defines the line rate of the camera simulator."},
    {"FG_CAMERASIMULATOR_FRAMERATE", 200352, ValueForm::kDouble, "Camera simulator framerate."},
    {"FG_CAMERASIMULATOR_TRIGGER_MODE", 200355, ValueForm::kUint32,
     "Select the trigger module to trigger the camera simulator."},
    {"FG_CAMERASIMULATOR_ACTIVE", 30101, ValueForm::kUint32,
     "Active parts for frequency generation."},
    {"FG_CAMERASIMULATOR_PASSIVE", 30100, ValueForm::kUint32,
     "Passive part for frequency generation."},
    {"FG_IMG_SELECT_PERIOD", 25110, ValueForm::kUint32,
     "Select the length of an image sequence. Only a single image of the sequence is grabbed."},
    {"FG_IMG_SELECT", 25111, ValueForm::kUint32, "Defines which image in a sequence is grabbed."},
    {"FG_LUT_TYPE", 110017, ValueForm::kUint32,
     "Enables the LUT to be load with custom values or use the applet's processor."},
    {"FG_LUT_IMPLEMENTATION_TYPE", 300006, ValueForm::kUint32, "Type of LUT implementation."},
    {"FG_LUT_IN_BITS", 300007, ValueForm::kUint32, "Pixel bit depth at LUT input."},
    {"FG_LUT_OUT_BITS", 300008, ValueForm::kUint32, "Pixel bit depth at LUT output."},
    {"FG_LUT_VALUE", 300001, ValueForm::kLutEntries, "Field with LUT Values."},
    {"FG_LUT_CUSTOM_FILE", 300000, ValueForm::kText, "Filename with custom lookup table values."},
    {"FG_LUT_SAVE_FILE", 110021, ValueForm::kText, "Save current LUT configuration."},
    {"FG_PROCESSING_OFFSET", 300004, ValueForm::kDouble,
     "Offset correction value. Available when LUT functionality is enabled."},
    {"FG_PROCESSING_GAIN", 300002, ValueForm::kDouble,
     "Gain correction value. Available when LUT functionality is enabled."},
    {"FG_PROCESSING_GAMMA", 300003, ValueForm::kDouble,
     "Gamma correction value. Available when LUT functionality is enabled."},
    {"FG_PROCESSING_INVERT", 300005, ValueForm::kUint32,
     "Invert output. Available when LUT functionality is enabled."},
    {"FG_AREATRIGGERMODE", 300200, ValueForm::kUint32,
     "Trigger mode for the area trigger signal generation."},
    {"FG_TRIGGERSTATE", 300201, ValueForm::kUint32, "State of the trigger system."},
    {"FG_TRIGGER_FRAMESPERSECOND", 90, ValueForm::kDouble,
     "Base frequency (=frame rate) of the trigger output."},
    {"FG_TRIGGER_EXCEEDED_PERIOD_LIMITS", 300202, ValueForm::kUint32,
     "The trigger input signal frequency exceeds the allowed output frequency."},
    {"FG_TRIGGER_EXCEEDED_PERIOD_LIMITS_CLEAR", 300203, ValueForm::kUint32,
     "Clear the exceeded period limits register."},
    {"FG_TRIGGERIN_DEBOUNCE", 300204, ValueForm::kDouble,
     "Set the debounce time for trigger input signals."},
    {"FG_GPI", 140100, ValueForm::kUint32,
     "Current input signal levels of all GPI inputs (Bitmask)."},
    {"FG_FRONT_GPI", 200382, ValueForm::kUint32,
     "Current input signal levels of all Front GPI inputs (Bitmask)."},
    {"FG_TRIGGERIN_SRC", 8110, ValueForm::kUint32,
     "Select the trigger input source for external trigger mode."},
    {"FG_TRIGGERIN_POLARITY", 8116, ValueForm::kUint32, "Polarity of the trigger input signal."},
    {"FG_TRIGGERIN_DOWNSCALE", 300205, ValueForm::kUint32,
     "Downscale of the trigger input signals."},
    {"FG_TRIGGERIN_DOWNSCALE_PHASE", 300206, ValueForm::kUint32,
     "Select the pulse index for each downscale series."},
    {"FG_SENDSOFTWARETRIGGER", 8800, ValueForm::kUint32, "Add pulses to trigger queue."},
    {"FG_SOFTWARETRIGGER_IS_BUSY", 110075, ValueForm::kUint32,
     "Check if the trigger system is still processing software trigger pulses."},
    {"FG_SOFTWARETRIGGER_QUEUE_FILLLEVEL", 8802, ValueForm::kUint32,
     "Number of pulses in queue which have to be processed."},
    {"FG_TRIGGERIN_STATS_SOURCE", 200398, ValueForm::kUint32,
     "Select the trigger input source for statistics."},
    {"FG_TRIGGERIN_STATS_POLARITY", 200399, ValueForm::kUint32,
     "Polarity of the trigger input signal for statistics."},
    {"FG_TRIGGERIN_STATS_PULSECOUNT", 300207, ValueForm::kUint32, "Pulse count of input."},
    {"FG_TRIGGERIN_STATS_PULSECOUNT_CLEAR", 300208, ValueForm::kUint32,
     "Clear the input signal pulse counter."},
    {"FG_TRIGGERIN_STATS_FREQUENCY", 300209, ValueForm::kDouble,
     "Current Frequency of the input pulses."},
    {"FG_TRIGGERIN_STATS_MINFREQUENCY", 300210, ValueForm::kDouble,
     "The detected minimum input frequency."},
    {"FG_TRIGGERIN_STATS_MAXFREQUENCY", 300211, ValueForm::kDouble,
     "The detected maximum input frequency."},
    {"FG_TRIGGERIN_STATS_MINMAXFREQUENCY_CLEAR", 300212, ValueForm::kUint32,
     "Clear minimum and maximum frequency measurement."},
    {"FG_TRIGGER_MULTIPLY_PULSES", 300213, ValueForm::kUint32,
     "Upscale i.e. duplicate each external or software generated trigger pulse with a period "
     "specified by FG_TRIGGER_FRAMESPERSEC."},
    {"FG_TRIGGERQUEUE_MODE", 300214, ValueForm::kUint32,
     "Enable or disable the trigger queue and output frequency limitation specified by "
     "FG_TRIGGER_FRAMESPERSEC."},
    {"FG_TRIGGERQUEUE_FILLLEVEL", 300215, ValueForm::kUint32, "Filllevel of trigger queue."},
    {"FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD", 300240, ValueForm::kUint32,
     "Set the threshold for generating a queue fill level ON event."},
    {"FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD", 300241, ValueForm::kUint32,
     "Set the threshold for generating a queue fill level OFF event."},
    {"FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE", 300216, ValueForm::kUint32,
     "Downscale factor of the pulse form generator input."},
    {"FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE", 300217, ValueForm::kUint32,
     "Select the pulse index for each downscale series."},
    {"FG_TRIGGER_PULSEFORMGEN0_DELAY", 300218, ValueForm::kDouble,
     "Delay between the input and the output."},
    {"FG_TRIGGER_PULSEFORMGEN0_WIDTH", 300219, ValueForm::kDouble, "Signal Output Width."},
    {"FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE", 300220, ValueForm::kUint32,
     "Downscale factor of the pulse form generator input."},
    {"FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE", 300221, ValueForm::kUint32,
     "Select the pulse index for each downscale series."},
    {"FG_TRIGGER_PULSEFORMGEN1_DELAY", 300222, ValueForm::kDouble,
     "Delay between the input and the output."},
    {"FG_TRIGGER_PULSEFORMGEN1_WIDTH", 300223, ValueForm::kDouble, "Signal Output Width."},
    {"FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE", 300224, ValueForm::kUint32,
     "Downscale factor of the pulse form generator input."},
    {"FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE", 300225, ValueForm::kUint32,
     "Select the pulse index for each downscale series."},
    {"FG_TRIGGER_PULSEFORMGEN2_DELAY", 300226, ValueForm::kDouble,
     "Delay between the input and the output."},
    {"FG_TRIGGER_PULSEFORMGEN2_WIDTH", 300227, ValueForm::kDouble, "Signal Output Width."},
    {"FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE", 300228, ValueForm::kUint32,
     "Downscale factor of the pulse form generator input."},
    {"FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE", 300229, ValueForm::kUint32,
     "Select the pulse index for each downscale series."},
    {"FG_TRIGGER_PULSEFORMGEN3_DELAY", 300230, ValueForm::kDouble,
     "Delay between the input and the output."},
    {"FG_TRIGGER_PULSEFORMGEN3_WIDTH", 300231, ValueForm::kDouble, "Signal Output Width."},
    {"FG_TRIGGERCC_SELECT0", 300250, ValueForm::kUint32, "Select the output source."},
    {"FG_TRIGGERCC_SELECT1", 300251, ValueForm::kUint32, "Select the output source."},
    {"FG_TRIGGERCC_SELECT2", 300252, ValueForm::kUint32, "Select the output source."},
    {"FG_TRIGGERCC_SELECT3", 300253, ValueForm::kUint32, "Select the output source."},
    {"FG_TRIGGEROUT_SELECT_GPO_0", 200384, ValueForm::kUint32,
     "Select the output source for this GPO."},
    {"FG_TRIGGEROUT_SELECT_GPO_1", 200385, ValueForm::kUint32,
     "Select the output source for this GPO."},
    {"FG_TRIGGEROUT_SELECT_GPO_2", 200386, ValueForm::kUint32,
     "Select the output source for this GPO."},
    {"FG_TRIGGEROUT_SELECT_GPO_3", 200387, ValueForm::kUint32,
     "Select the output source for this GPO."},
    {"FG_TRIGGEROUT_SELECT_GPO_4", 200388, ValueForm::kUint32,
     "Select the output source for this GPO."},
    {"FG_TRIGGEROUT_SELECT_GPO_5", 200389, ValueForm::kUint32,
     "Select the output source for this GPO."},
    {"FG_TRIGGEROUT_SELECT_GPO_6", 200390, ValueForm::kUint32,
     "Select the output source for this GPO."},
    {"FG_TRIGGEROUT_SELECT_GPO_7", 200391, ValueForm::kUint32,
     "Select the output source for this GPO."},
    {"FG_TRIGGEROUT_SELECT_FRONT_GPO_0", 200392, ValueForm::kUint32,
     "Select the output source for this Front GPO."},
    {"FG_TRIGGEROUT_SELECT_FRONT_GPO_1", 200393, ValueForm::kUint32,
     "Select the output source for this Front GPO."},
    {"FG_TRIGGEROUT_STATS_SOURCE", 300236, ValueForm::kUint32,
     "Select the pulse form generator which has to be analyzed."},
    {"FG_TRIGGEROUT_STATS_PULSECOUNT", 300237, ValueForm::kUint32, "Pulse count."},
    {"FG_TRIGGEROUT_STATS_PULSECOUNT_CLEAR", 300238, ValueForm::kUint32, "Clear pulse counter."},
    {"FG_MISSING_CAMERA_FRAME_RESPONSE", 300248, ValueForm::kUint32,
     "Frame grabber received no frame for trigger pulse."},
    {"FG_MISSING_CAMERA_FRAME_RESPONSE_CLEAR", 300249, ValueForm::kUint32,
     "Clear Missing Camera Frame Response Register."},
    {"FG_TRIGGER_OUTPUT_EVENT_SELECT", 300242, ValueForm::kUint32,
     "Select the pulse form generator for event monitoring."},
});

inline constexpr std::size_t kSdkParameterCount = kSdkParameters.size();

inline constexpr IdIndex kSdkParameterIndex(kSdkParameters);

// The row of an id, or null.
constexpr const SdkParameter* findSdkParameter(std::int32_t id) {
  const std::uint16_t row = kSdkParameterIndex.find(id);
  return row == kSdkParameterIndex.kNone ? nullptr : &kSdkParameters[row];
}

// The ordinal (row index) of an id, or -1.
constexpr std::int32_t sdkOrdinal(std::int32_t id) {
  const std::uint16_t row = kSdkParameterIndex.find(id);
  return row == kSdkParameterIndex.kNone ? -1 : row;
}

// The row of a name, or null.
constexpr const SdkParameter* findSdkParameter(std::string_view name) {
  for (const SdkParameter& parameter : kSdkParameters) {
    if (parameter.name == name) return &parameter;
  }
  return nullptr;
}

// The row of a parameter named in code, found while compiling: a name that is not in the
// table does not compile.
consteval const SdkParameter& sdkParameter(std::string_view name) {
  for (const SdkParameter& parameter : kSdkParameters) {
    if (parameter.name == name) return parameter;
  }
  throw "not an SDK parameter of this applet";
}

// The id of a parameter named in code, found while compiling.
consteval std::int32_t sdkId(std::string_view name) { return sdkParameter(name).id; }

// A parameter named where a table of code is written (getters, setters, description rows,
// the default pass): the name converts to its row while compiling, so a misspelt name does
// not compile and the id is written nowhere but in the table above.
struct SdkName {
  consteval SdkName(const char* name) : row(&sdkParameter(name)) {}  // NOLINT: converts
  explicit constexpr SdkName(const SdkParameter& parameter) : row(&parameter) {}
  constexpr std::int32_t id() const { return row->id; }
  constexpr const char* name() const { return row->name.data(); }

  const SdkParameter* row;
};

}  // namespace brenvik::parameters
