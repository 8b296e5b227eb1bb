// The applet's parameter description as data: one row per described SDK parameter, in the
// order the tree is built. A row names its parameter (the id comes from the SDK parameter
// table) and its enumeration (from the enumeration lists); the limits written here are the
// ones the setters check, so the description and the set path cannot drift apart.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

#include "parameters/Enumerations.h"
#include "parameters/LookupTableShape.h"
#include "parameters/SdkParameterTable.h"
#include "parameters/TriggerStatus.h"
#include "runtime/ParameterRecord.h"

namespace brenvik::description {

using parameters::EnumerationEntry;
using parameters::EnumerationList;
namespace enumerations = parameters::enumerations;

// Access of a record: bit 0 readable, bit 1 writable, bit 2 a further property that most
// writable parameters carry.
inline constexpr std::int32_t kReadOnly = runtime::kAccessReadOnly;    // 1
inline constexpr std::int32_t kReadWrite = runtime::kAccessReadWrite;  // 7
// The parameters that lay out the image (tap geometry, region of interest, output format) are
// read-write without the further property.
inline constexpr std::int32_t kReadWriteImageLayout = runtime::kAccessRead |  // 3
                                                      runtime::kAccessWrite;
// Visibility of a record.
inline constexpr std::int32_t kBeginner = 1;
inline constexpr std::int32_t kExpert = 2;

// The double step of most double parameters: 2^-52.
inline constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
// The unit "µs", with the Latin-1 micro sign (0xB5) that the SDK's tools expect.
inline constexpr const char* kMicroseconds = "\xB5s";
// One step below 125 MHz / 2^32: the slowest rate the trigger generator can produce.
inline constexpr double kSlowestFrameRate = std::bit_cast<double>(0x3F9DCD64FFFFFFFFull);

// Values of a row; which members count depends on the kind.
struct RowValues {
  std::int64_t minimum = 0;  // integer, integer field, unsigned 64-bit
  std::int64_t maximum = 0;
  std::int64_t step = 0;
  double realMinimum = 0;  // double
  double realMaximum = 0;
  double realStep = 0;
  std::int32_t elementCount = 0;          // integer field
  const EnumerationList* list = nullptr;  // enumeration
  const char* fileFilter = nullptr;       // string
};

struct DescriptionRow {
  const char* categoryPath;  // levels joined by " / ", e.g. "Trigger / Queue"
  const char* displayName;
  const char* name;
  std::int32_t id;
  std::int32_t kind;  // runtime::RecordKind
  RowValues values;
  const char* unit;  // "" for none
  std::int32_t access;
  std::int32_t visibility;
};

// --- Row builders: the shape of each kind, with the common case as its default ---

struct IntegerShape {
  std::int32_t elements = 0;  // integer fields only
  std::int64_t minimum = 0;
  std::int64_t maximum = 0;
  std::int64_t step = 1;
  const char* unit = "";
  std::int32_t access = kReadWrite;
  std::int32_t visibility = kBeginner;
};

struct RealShape {
  double minimum = 0;
  double maximum = 0;
  double step = kEpsilon;
  const char* unit = "";
  std::int32_t access = kReadWrite;
  std::int32_t visibility = kBeginner;
};

struct ChoiceShape {  // enumerations and strings
  const char* fileFilter = "";
  std::int32_t access = kReadWrite;
  std::int32_t visibility = kBeginner;
};

namespace rows {

constexpr DescriptionRow numeric(std::int32_t kind, const char* category, const char* display,
                                 parameters::SdkName parameter, const IntegerShape& shape) {
  RowValues values;
  values.minimum = shape.minimum;
  values.maximum = shape.maximum;
  values.step = shape.step;
  values.elementCount = shape.elements;
  return {category, display,    parameter.name(), parameter.id(),  kind,
          values,   shape.unit, shape.access,     shape.visibility};
}

}  // namespace rows

constexpr DescriptionRow integer(const char* category, const char* display,
                                 parameters::SdkName parameter, const IntegerShape& shape) {
  return rows::numeric(runtime::kKindInteger, category, display, parameter, shape);
}

constexpr DescriptionRow uint64(const char* category, const char* display,
                                parameters::SdkName parameter, const IntegerShape& shape) {
  return rows::numeric(runtime::kKindUint64, category, display, parameter, shape);
}

constexpr DescriptionRow field(const char* category, const char* display,
                               parameters::SdkName parameter, const IntegerShape& shape) {
  return rows::numeric(runtime::kKindIntegerField, category, display, parameter, shape);
}

constexpr DescriptionRow real(const char* category, const char* display,
                              parameters::SdkName parameter, const RealShape& shape) {
  RowValues values;
  values.realMinimum = shape.minimum;
  values.realMaximum = shape.maximum;
  values.realStep = shape.step;
  return {category, display,    parameter.name(), parameter.id(),  runtime::kKindDouble,
          values,   shape.unit, shape.access,     shape.visibility};
}

constexpr DescriptionRow enumeration(const char* category, const char* display,
                                     parameters::SdkName parameter, const EnumerationList& list,
                                     const ChoiceShape& shape = {}) {
  RowValues values;
  values.list = &list;
  return {category, display, parameter.name(), parameter.id(),  runtime::kKindEnumeration,
          values,   "",      shape.access,     shape.visibility};
}

constexpr DescriptionRow text(const char* category, const char* display,
                              parameters::SdkName parameter, const ChoiceShape& shape) {
  RowValues values;
  values.fileFilter = shape.fileFilter;
  return {category, display, parameter.name(), parameter.id(),  runtime::kKindString,
          values,   "",      shape.access,     shape.visibility};
}

// The root categories of port 0, in the order they are created.
inline constexpr const char* kRootCategories[] = {
    "Camera Link",   "Tap Geometry",     "ROI",           "Trigger",
    "Overflow",      "Image Selector",   "Lookup Table",  "Processing",
    "Output Format", "Camera Simulator", "Miscellaneous",
};

// Every described SDK parameter, in the order its record is created.
// clang-format off
inline constexpr DescriptionRow kDescriptionRows[] = {
    enumeration("Camera Link", "Input Format", "FG_CAMERA_LINK_CAMTYPE", enumerations::kCameraLinkModes),
    enumeration("Camera Link", "Use DVAL", "FG_USEDVAL", enumerations::kYesNo),
    integer("Camera Link", "Camera Link Core Reset", "FG_CAMERA_LINK_CORE_RESET", {.maximum = 1}),
    integer("Camera Link", "Pixel Clock X", "FG_CAMERA_LINK_PIXEL_CLOCK_X", {.maximum = 85, .unit = "MHz", .access = kReadOnly}),
    integer("Camera Link", "Pixel Clock Y", "FG_CAMERA_LINK_PIXEL_CLOCK_Y", {.maximum = 85, .unit = "MHz", .access = kReadOnly}),
    integer("Camera Link", "Pixel Clock Z", "FG_CAMERA_LINK_PIXEL_CLOCK_Z", {.maximum = 85, .unit = "MHz", .access = kReadOnly}),
    enumeration("Tap Geometry", "Tap Geometry", "FG_TAPGEOMETRY", enumerations::kTapGeometries, {.access = kReadWriteImageLayout}),
    integer("Tap Geometry", "Sensor Width", "FG_SENSORWIDTH", {.minimum = 8, .maximum = 16384, .unit = "pixel", .access = kReadWriteImageLayout, .visibility = kExpert}),
    enumeration("Tap Geometry", "Vantage Point", "FG_VANTAGEPOINT", enumerations::kVantagePoints, {.access = kReadWriteImageLayout}),
    integer("ROI", "Width", "FG_WIDTH", {.minimum = 8, .maximum = 16384, .step = 8, .unit = "pixel", .access = kReadWriteImageLayout, .visibility = kExpert}),
    integer("ROI", "Height", "FG_HEIGHT", {.minimum = 1, .maximum = 65535, .unit = "pixel", .access = kReadWriteImageLayout, .visibility = kExpert}),
    integer("ROI", "XOffset", "FG_XOFFSET", {.maximum = 16376, .step = 8, .unit = "pixel", .access = kReadWriteImageLayout, .visibility = kExpert}),
    integer("ROI", "YOffset", "FG_YOFFSET", {.maximum = 65534, .unit = "pixel", .access = kReadWriteImageLayout, .visibility = kExpert}),
    real("Trigger / Trigger Input / External", "Input Debounce", "FG_TRIGGERIN_DEBOUNCE", {.minimum = 0.048, .maximum = 1.512, .step = 0.024, .unit = kMicroseconds}),
    integer("Trigger / Trigger Input / External", "Digital Input at GPI", "FG_GPI", {.maximum = 255, .access = kReadOnly}),
    integer("Trigger / Trigger Input / External", "Digital Input at Front GPI", "FG_FRONT_GPI", {.maximum = 15, .access = kReadOnly}),
    enumeration("Trigger / Trigger Input / External", "Source", "FG_TRIGGERIN_SRC", enumerations::kTriggerInputSources),
    enumeration("Trigger / Trigger Input / External", "Polarity", "FG_TRIGGERIN_POLARITY", enumerations::kPolarities),
    integer("Trigger / Trigger Input / External", "Input Downscale", "FG_TRIGGERIN_DOWNSCALE", {.minimum = 1, .maximum = 2147483647, .visibility = kExpert}),
    integer("Trigger / Trigger Input / External", "Downscale Phase", "FG_TRIGGERIN_DOWNSCALE_PHASE", {.maximum = 4294967294, .visibility = kExpert}),
    integer("Trigger / Trigger Input / Software Trigger", "Send Pulses", "FG_SENDSOFTWARETRIGGER", {.minimum = 1, .maximum = 1, .unit = "pulses", .visibility = kExpert}),
    enumeration("Trigger / Trigger Input / Software Trigger", "Software Trigger Busy", "FG_SOFTWARETRIGGER_IS_BUSY", enumerations::kBusyFlags, {.access = kReadOnly}),
    integer("Trigger / Trigger Input / Software Trigger", "Software Trigger Queue Filllevel", "FG_SOFTWARETRIGGER_QUEUE_FILLLEVEL", {.maximum = parameters::kTriggerQueueCapacity, .unit = "pulses", .access = kReadOnly, .visibility = kExpert}),
    enumeration("Trigger / Trigger Input / Statistics", "Statistics Source", "FG_TRIGGERIN_STATS_SOURCE", enumerations::kTriggerInputSources),
    enumeration("Trigger / Trigger Input / Statistics", "Statistics Polarity", "FG_TRIGGERIN_STATS_POLARITY", enumerations::kPolarities),
    integer("Trigger / Trigger Input / Statistics", "Input Pulses", "FG_TRIGGERIN_STATS_PULSECOUNT", {.maximum = 65535, .unit = "pulses", .access = kReadOnly}),
    enumeration("Trigger / Trigger Input / Statistics", "Clear Pulse Count", "FG_TRIGGERIN_STATS_PULSECOUNT_CLEAR", enumerations::kApply),
    real("Trigger / Trigger Input / Statistics", "Current Frequency", "FG_TRIGGERIN_STATS_FREQUENCY", {.maximum = 125000000.0, .unit = "Hz", .access = kReadOnly}),
    real("Trigger / Trigger Input / Statistics", "Minimum Frequency", "FG_TRIGGERIN_STATS_MINFREQUENCY", {.maximum = 125000000.0, .unit = "Hz", .access = kReadOnly}),
    real("Trigger / Trigger Input / Statistics", "Maximum Frequency", "FG_TRIGGERIN_STATS_MAXFREQUENCY", {.maximum = 125000000.0, .unit = "Hz", .access = kReadOnly}),
    enumeration("Trigger / Trigger Input / Statistics", "Clear MinMax Frequency", "FG_TRIGGERIN_STATS_MINMAXFREQUENCY_CLEAR", enumerations::kApply),
    integer("Trigger / Sequencer", "Upscale Trigger Pulses", "FG_TRIGGER_MULTIPLY_PULSES", {.minimum = 1, .maximum = 65535}),
    enumeration("Trigger / Queue", "Queue Mode", "FG_TRIGGERQUEUE_MODE", enumerations::kOnOff),
    integer("Trigger / Queue", "Filllevel", "FG_TRIGGERQUEUE_FILLLEVEL", {.maximum = parameters::kTriggerQueueCapacity, .unit = "pulses", .access = kReadOnly}),
    integer("Trigger / Queue", "Queue Fill Level Event On Threshold", "FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD", {.minimum = 2, .maximum = 2047, .unit = "pulses"}),
    integer("Trigger / Queue", "Queue Fill Level Event Off Threshold", "FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD", {.minimum = 2, .maximum = 2047, .unit = "pulses"}),
    integer("Trigger / Pulse Form Generator 0", "Downscale", "FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE", {.minimum = 1, .maximum = 7, .visibility = kExpert}),
    integer("Trigger / Pulse Form Generator 0", "Phase", "FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE", {.maximum = 6, .visibility = kExpert}),
    real("Trigger / Pulse Form Generator 0", "Delay", "FG_TRIGGER_PULSEFORMGEN0_DELAY", {.maximum = 34000000.0, .step = 0.008, .unit = kMicroseconds}),
    real("Trigger / Pulse Form Generator 0", "Signal Width", "FG_TRIGGER_PULSEFORMGEN0_WIDTH", {.minimum = 1.0, .maximum = 68000000.0, .step = 0.008, .unit = kMicroseconds}),
    integer("Trigger / Pulse Form Generator 1", "Downscale", "FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE", {.minimum = 1, .maximum = 7, .visibility = kExpert}),
    integer("Trigger / Pulse Form Generator 1", "Phase", "FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE", {.maximum = 6, .visibility = kExpert}),
    real("Trigger / Pulse Form Generator 1", "Delay", "FG_TRIGGER_PULSEFORMGEN1_DELAY", {.maximum = 34000000.0, .step = 0.008, .unit = kMicroseconds}),
    real("Trigger / Pulse Form Generator 1", "Signal Width", "FG_TRIGGER_PULSEFORMGEN1_WIDTH", {.minimum = 1.0, .maximum = 68000000.0, .step = 0.008, .unit = kMicroseconds}),
    integer("Trigger / Pulse Form Generator 2", "Downscale", "FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE", {.minimum = 1, .maximum = 7, .visibility = kExpert}),
    integer("Trigger / Pulse Form Generator 2", "Phase", "FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE", {.maximum = 6, .visibility = kExpert}),
    real("Trigger / Pulse Form Generator 2", "Delay", "FG_TRIGGER_PULSEFORMGEN2_DELAY", {.maximum = 34000000.0, .step = 0.008, .unit = kMicroseconds}),
    real("Trigger / Pulse Form Generator 2", "Signal Width", "FG_TRIGGER_PULSEFORMGEN2_WIDTH", {.minimum = 1.0, .maximum = 68000000.0, .step = 0.008, .unit = kMicroseconds}),
    integer("Trigger / Pulse Form Generator 3", "Downscale", "FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE", {.minimum = 1, .maximum = 7, .visibility = kExpert}),
    integer("Trigger / Pulse Form Generator 3", "Phase", "FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE", {.maximum = 6, .visibility = kExpert}),
    real("Trigger / Pulse Form Generator 3", "Delay", "FG_TRIGGER_PULSEFORMGEN3_DELAY", {.maximum = 34000000.0, .step = 0.008, .unit = kMicroseconds}),
    real("Trigger / Pulse Form Generator 3", "Signal Width", "FG_TRIGGER_PULSEFORMGEN3_WIDTH", {.minimum = 1.0, .maximum = 68000000.0, .step = 0.008, .unit = kMicroseconds}),
    enumeration("Trigger / CC Signal Mapping", "CC0", "FG_TRIGGERCC_SELECT0", enumerations::kTriggerOutputSources),
    enumeration("Trigger / CC Signal Mapping", "CC1", "FG_TRIGGERCC_SELECT1", enumerations::kTriggerOutputSources),
    enumeration("Trigger / CC Signal Mapping", "CC2", "FG_TRIGGERCC_SELECT2", enumerations::kTriggerOutputSources),
    enumeration("Trigger / CC Signal Mapping", "CC3", "FG_TRIGGERCC_SELECT3", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Digital Output / Statistics", "Trigger Exceeded Period Limits", "FG_TRIGGER_EXCEEDED_PERIOD_LIMITS", enumerations::kYesNo, {.access = kReadOnly}),
    enumeration("Trigger / Digital Output / Statistics", "Clear Exceeded Period Limits Register", "FG_TRIGGER_EXCEEDED_PERIOD_LIMITS_CLEAR", enumerations::kApply),
    enumeration("Trigger / Digital Output / Statistics", "Source", "FG_TRIGGEROUT_STATS_SOURCE", enumerations::kPulseGenerators),
    integer("Trigger / Digital Output / Statistics", "Pulse Count", "FG_TRIGGEROUT_STATS_PULSECOUNT", {.maximum = 65535, .unit = "pulses", .access = kReadOnly}),
    enumeration("Trigger / Digital Output / Statistics", "Clear pulse counter", "FG_TRIGGEROUT_STATS_PULSECOUNT_CLEAR", enumerations::kApply),
    enumeration("Trigger / Digital Output / Statistics", "Missing Camera Frame Response", "FG_MISSING_CAMERA_FRAME_RESPONSE", enumerations::kYesNo, {.access = kReadOnly}),
    enumeration("Trigger / Digital Output / Statistics", "Clear Frame Response Register", "FG_MISSING_CAMERA_FRAME_RESPONSE_CLEAR", enumerations::kApply),
    enumeration("Trigger / Digital Output", "Output GPO 0", "FG_TRIGGEROUT_SELECT_GPO_0", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Digital Output", "Output GPO 1", "FG_TRIGGEROUT_SELECT_GPO_1", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Digital Output", "Output GPO 2", "FG_TRIGGEROUT_SELECT_GPO_2", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Digital Output", "Output GPO 3", "FG_TRIGGEROUT_SELECT_GPO_3", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Digital Output", "Output GPO 4 (not available on Pelloran)", "FG_TRIGGEROUT_SELECT_GPO_4", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Digital Output", "Output GPO 5 (not available on Pelloran)", "FG_TRIGGEROUT_SELECT_GPO_5", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Digital Output", "Output GPO 6 (not available on Pelloran)", "FG_TRIGGEROUT_SELECT_GPO_6", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Digital Output", "Output GPO 7 (not available on Pelloran)", "FG_TRIGGEROUT_SELECT_GPO_7", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Digital Output", "Output Front GPO 0", "FG_TRIGGEROUT_SELECT_FRONT_GPO_0", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Digital Output", "Output Front GPO 1", "FG_TRIGGEROUT_SELECT_FRONT_GPO_1", enumerations::kTriggerOutputSources),
    enumeration("Trigger / Output Event", "Output Event Select", "FG_TRIGGER_OUTPUT_EVENT_SELECT", enumerations::kPulseGenerators),
    enumeration("Trigger", "Area Trigger Mode", "FG_AREATRIGGERMODE", enumerations::kAreaTriggerModes),
    enumeration("Trigger", "Trigger State", "FG_TRIGGERSTATE", enumerations::kTriggerStates),
    real("Trigger", "Frames/Sec", "FG_TRIGGER_FRAMESPERSECOND", {.minimum = kSlowestFrameRate, .maximum = 12500000.0, .unit = "Hz", .visibility = kExpert}),
    integer("Overflow", "Buffer fill level", "FG_FILLLEVEL", {.maximum = 100, .unit = "%", .access = kReadOnly}),
    integer("Overflow", "Buffer overflow", "FG_OVERFLOW", {.maximum = 1, .access = kReadOnly}),
    integer("Image Selector", "Image select period", "FG_IMG_SELECT_PERIOD", {.minimum = 1, .maximum = 256, .unit = "image"}),
    integer("Image Selector", "Image select", "FG_IMG_SELECT", {.maximum = 255, .unit = "image"}),
    enumeration("Lookup Table / Applet Properties", "LUT Implementation Type", "FG_LUT_IMPLEMENTATION_TYPE", enumerations::kLutImplementations, {.access = kReadOnly}),
    integer("Lookup Table / Applet Properties", "LUT In Bits", "FG_LUT_IN_BITS", {.step = 0, .unit = "bit", .access = kReadOnly}),
    integer("Lookup Table / Applet Properties", "LUT Out Bits", "FG_LUT_OUT_BITS", {.step = 0, .unit = "bit", .access = kReadOnly}),
    enumeration("Lookup Table", "Type", "FG_LUT_TYPE", enumerations::kLutTypes),
    field("Lookup Table", "LUT Values", "FG_LUT_VALUE", {.elements = parameters::kLutSize, .maximum = parameters::kLutEntryMaximum}),
    text("Lookup Table", "Load File", "FG_LUT_CUSTOM_FILE", {.fileFilter = "*.lut"}),
    text("Lookup Table", "Save File", "FG_LUT_SAVE_FILE", {.fileFilter = "*.lut"}),
    real("Processing", "Offset", "FG_PROCESSING_OFFSET", {.minimum = -1.0, .maximum = 1.0}),
    real("Processing", "Gain", "FG_PROCESSING_GAIN", {.maximum = 1024.0}),
    real("Processing", "Gamma", "FG_PROCESSING_GAMMA", {.minimum = -1000.0, .maximum = 1000.0}),
    enumeration("Processing", "Invert", "FG_PROCESSING_INVERT", enumerations::kOnOff),
    enumeration("Output Format", "Output Format", "FG_FORMAT", enumerations::kOutputFormats, {.access = kReadWriteImageLayout}),
    enumeration("Output Format", "Alignment", "FG_BITALIGNMENT", enumerations::kBitAlignments),
    integer("Output Format", "Pixel Depth", "FG_PIXELDEPTH", {.maximum = 128, .unit = "bit", .access = kReadOnly}),
    integer("Output Format", "Bit Shift Right", "FG_CUSTOM_BIT_SHIFT_RIGHT", {.maximum = 15, .unit = "bit", .visibility = kExpert}),
    enumeration("Camera Simulator", "Image Source", "FG_CAMERASIMULATOR_ENABLE", enumerations::kImageSources),
    integer("Camera Simulator", "Width", "FG_CAMERASIMULATOR_WIDTH", {.minimum = 1, .maximum = 65536, .unit = "pixel", .visibility = kExpert}),
    integer("Camera Simulator", "Line Gap", "FG_CAMERASIMULATOR_LINE_GAP", {.maximum = 65536, .unit = "pixel", .visibility = kExpert}),
    integer("Camera Simulator", "Height", "FG_CAMERASIMULATOR_HEIGHT", {.minimum = 1, .maximum = 65536, .unit = "pixel", .visibility = kExpert}),
    integer("Camera Simulator", "Frame Gap", "FG_CAMERASIMULATOR_FRAME_GAP", {.maximum = 65536, .unit = "pixel", .visibility = kExpert}),
    enumeration("Camera Simulator", "Pattern", "FG_CAMERASIMULATOR_PATTERN", enumerations::kSimulatorPatterns),
    integer("Camera Simulator", "Pattern Offset", "FG_CAMERASIMULATOR_PATTERN_OFFSET", {.maximum = 255, .unit = "pixel value", .visibility = kExpert}),
    enumeration("Camera Simulator", "Roll", "FG_CAMERASIMULATOR_ROLL", enumerations::kOnOff),
    enumeration("Camera Simulator", "Speed Mode", "FG_CAMERASIMULATOR_SELECT_MODE", enumerations::kSimulatorSpeedModes),
    real("Camera Simulator", "Pixel Frequency", "FG_CAMERASIMULATOR_PIXEL_FREQUENCY", {.maximum = 4000.0, .unit = "MHz", .visibility = kExpert}),
    real("Camera Simulator", "Line Rate", "FG_CAMERASIMULATOR_LINERATE", {.minimum = 0.1, .maximum = 10000000.0, .unit = "Hz", .visibility = kExpert}),
    real("Camera Simulator", "Framerate", "FG_CAMERASIMULATOR_FRAMERATE", {.minimum = 0.1, .maximum = 10000000.0, .unit = "Hz", .visibility = kExpert}),
    enumeration("Camera Simulator", "Trigger Mode", "FG_CAMERASIMULATOR_TRIGGER_MODE", enumerations::kSimulatorTriggerModes),
    integer("Camera Simulator", "Active Parts", "FG_CAMERASIMULATOR_ACTIVE", {.minimum = 1, .maximum = 2000, .unit = "pixel", .access = kReadOnly}),
    integer("Camera Simulator", "Passive Parts", "FG_CAMERASIMULATOR_PASSIVE", {.minimum = 1, .maximum = 2000, .unit = "pixel", .access = kReadOnly}),
    enumeration("Miscellaneous / Debug / Input", "Debug Input Mode", "FG_DEBUGINENABLE", enumerations::kOnOff),
    text("Miscellaneous / Debug / Input", "Debug File", "FG_DEBUGFILE", {}),
    enumeration("Miscellaneous / Debug / Input", "Debug Insert Image", "FG_DEBUGINSERT", enumerations::kApply),
    uint64("Miscellaneous / Debug / Input", "Debug Write Pixel", "FG_DEBUGWRITEPIXEL", {.maximum = 144115188075855871, .visibility = kExpert}),
    enumeration("Miscellaneous / Debug / Input", "Debug Write Flag", "FG_DEBUGWRITEFLAG", enumerations::kDebugWriteFlags),
    enumeration("Miscellaneous / Debug / Input", "Debug Write Ready", "FG_DEBUGREADY", enumerations::kYesNo, {.access = kReadOnly}),
    enumeration("Miscellaneous / Debug / Output", "Debug Output Mode", "FG_DEBUGOUTENABLE", enumerations::kOnOff),
    integer("Miscellaneous / Debug / Output", "Debug Output XPosition", "FG_DEBUGOUTXPOS", {.minimum = 8, .maximum = 16384, .unit = "pixel", .access = kReadOnly}),
    integer("Miscellaneous / Debug / Output", "Debug Output YPosition", "FG_DEBUGOUTYPOS", {.minimum = 1, .maximum = 65535, .unit = "pixel", .access = kReadOnly}),
    integer("Miscellaneous / Debug / Output", "Debug Output Pixel", "FG_DEBUGOUTPIXEL", {.maximum = 4294967295, .unit = "pixel", .access = kReadOnly, .visibility = kExpert}),
    integer("Miscellaneous / Debug", "Debug Source", "FG_DEBUGSOURCE", {.maximum = 10, .visibility = kExpert}),
    text("Miscellaneous / Debug", "Debug Source Name", "FG_DEBUGSOURCENAME", {.access = kReadOnly}),
    text("Miscellaneous / Debug", "Debug Save Config", "FG_DEBUGSAVECONFIG", {.fileFilter = "*.mcf"}),
    integer("Miscellaneous", "Timeout", "FG_TIMEOUT", {.minimum = 2, .maximum = 2147483646, .unit = "seconds"}),
    integer("Miscellaneous", "Applet version", "FG_APPLET_VERSION", {.step = 0, .access = kReadOnly}),
    integer("Miscellaneous", "Applet revision", "FG_APPLET_REVISION", {.step = 0, .access = kReadOnly}),
    text("Miscellaneous", "Applet Id", "FG_APPLET_ID", {.access = kReadOnly}),
    text("Miscellaneous", "Build Time", "FG_APPLET_BUILD_TIME", {.access = kReadOnly}),
    text("Miscellaneous", "HAP file", "FG_HAP_FILE", {.fileFilter = "*.hap", .access = kReadOnly}),
    integer("Miscellaneous", "DMA Status", "FG_DMASTATUS", {.step = 0, .access = kReadOnly}),
    integer("Miscellaneous", "Camera Status", "FG_CAMSTATUS", {.maximum = 1, .access = kReadOnly}),
    integer("Miscellaneous", "Camera Status Extended", "FG_CAMSTATUS_EXTENDED", {.maximum = 255, .access = kReadOnly}),
    real("Miscellaneous", "FGPA Temperature", "FG_SYSTEMMONITOR_FPGA_TEMPERATURE", {.maximum = 1000.0, .step = 0.0, .unit = "Celsius", .access = kReadOnly}),
    real("Miscellaneous", "FGPA Vcc Int", "FG_SYSTEMMONITOR_FPGA_VCC_INT", {.minimum = -1000.0, .maximum = 1000.0, .step = 0.0, .unit = "V", .access = kReadOnly}),
    real("Miscellaneous", "FGPA Vcc Aux", "FG_SYSTEMMONITOR_FPGA_VCC_AUX", {.minimum = -1000.0, .maximum = 1000.0, .step = 0.0, .unit = "V", .access = kReadOnly}),
    real("Miscellaneous", "FGPA Vcc BRAM", "FG_SYSTEMMONITOR_FPGA_VCC_BRAM", {.minimum = -1000.0, .maximum = 1000.0, .step = 0.0, .unit = "V", .access = kReadOnly}),
    integer("Miscellaneous", "Current Link Width", "FG_SYSTEMMONITOR_CURRENT_LINK_WIDTH", {.maximum = 15, .step = 0, .unit = "lanes", .access = kReadOnly}),
    real("Miscellaneous", "Current Link Speed", "FG_SYSTEMMONITOR_CURRENT_LINK_SPEED", {.maximum = 1000.0, .step = 0.0, .unit = "GB/s", .access = kReadOnly}),
    enumeration("Miscellaneous", "PCIe Link Gen 2 Capable", "FG_SYSTEMMONITOR_PCIE_LINK_GEN2_CAPABLE", enumerations::kYesNo, {.access = kReadOnly}),
    enumeration("Miscellaneous", "PCIe Link Partner Gen 2 Capable", "FG_SYSTEMMONITOR_PCIE_LINK_PARTNER_GEN2_CAPABLE", enumerations::kYesNo, {.access = kReadOnly}),
    integer("Miscellaneous", "PCIe Trained Payload Size", "FG_SYSTEMMONITOR_PCIE_TRAINED_PAYLOAD_SIZE", {.maximum = 15, .step = 0, .unit = "byte", .access = kReadOnly}),
    enumeration("Miscellaneous", "Extension Connector Present", "FG_SYSTEMMONITOR_EXTENSION_CONNECTOR_PRESENT", enumerations::kYesNo, {.access = kReadOnly}),
    enumeration("Miscellaneous", "Alternative Board Detection", "FG_ALTERNATIVE_BOARD_DETECTION", enumerations::kYesNo, {.access = kReadOnly}),
    enumeration("Miscellaneous", "PoCL State Port A", "FG_SYSTEMMONITOR_POCL_STATE_PORT_A", enumerations::kPoclStates, {.access = kReadOnly}),
    enumeration("Miscellaneous", "PoCL State Port B", "FG_SYSTEMMONITOR_POCL_STATE_PORT_B", enumerations::kPoclStates, {.access = kReadOnly}),
    uint64("Miscellaneous", "FPGA DNA", "FG_SYSTEMMONITOR_FPGA_DNA", {.maximum = 144115188075855871, .step = 0, .access = kReadOnly}),
};
// clang-format on

inline std::span<const char* const> rootCategories() { return kRootCategories; }
inline std::span<const DescriptionRow> descriptionRows() { return kDescriptionRows; }
inline std::span<const EnumerationList* const> enumerationLists() { return enumerations::kAll; }

// The row of a parameter named in code, found while compiling; a parameter without a row
// does not compile. Setters take their limits from it.
consteval const DescriptionRow& describedRow(std::string_view name) {
  for (const DescriptionRow& row : kDescriptionRows) {
    if (name == row.name) return row;
  }
  throw "no description row for this parameter";
}

// A described parameter named in code: the name converts to its row while compiling.
struct Described {
  consteval Described(const char* name) : row(&describedRow(name)) {}  // NOLINT: converts
  const DescriptionRow* row;
};

// The row of a parameter id, or null.
constexpr const DescriptionRow* findDescribedRow(std::int32_t id) {
  for (const DescriptionRow& row : kDescriptionRows) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

// Separator between the levels of a category path.
inline constexpr std::string_view kPathSeparator = " / ";

// Entry display names are copied through a buffer of this size, terminator included.
inline constexpr std::size_t kEntryDisplayNameBuffer = 256;

}  // namespace brenvik::description
