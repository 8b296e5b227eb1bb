// The table of described SDK parameters and the enumeration lists, as data.
#include "description/DescriptionRows.h"

#include <bit>
#include <limits>

#include "runtime/ParameterRecord.h"

namespace brenvik::description {

namespace {

// Enumeration lists: entry display name, value and entry name, in entry order.
// clang-format off
constexpr EnumerationEntry kT1Entries[] = {
    {"8 Tap 8bit", 308, "FG_CL_FULL_8_TAP_8_BIT"},
    {"10 Tap 8bit", 310, "FG_CL_FULL_10_TAP_8_BIT"},
    {"8 Tap 10bit", 311, "FG_CL_FULL_8_TAP_10_BIT"},
};
constexpr EnumerationEntry kYNEntries[] = {
    {"Yes", 1, "FG_YES"},
    {"No", 0, "FG_NO"},
};
constexpr EnumerationEntry kOOEntries[] = {
    {"On", 1, "FG_ON"},
    {"Off", 0, "FG_OFF"},
};
constexpr EnumerationEntry kT3Entries[] = {
    {"1X8", 25165824, "FG_GEOMETRY_1X8"},
    {"1X10", 27262976, "FG_GEOMETRY_1X10"},
    {"4X2", 69206016, "FG_GEOMETRY_4X2"},
    {"4X2E", 69271552, "FG_GEOMETRY_4X2E"},
    {"5X2", 85983232, "FG_GEOMETRY_5X2"},
    {"8X", 135266304, "FG_GEOMETRY_8X"},
    {"10X", 168820736, "FG_GEOMETRY_10X"},
};
constexpr EnumerationEntry kT4Entries[] = {
    {"Top-Left", 0, "FG_VANTAGEPOINT_TOP_LEFT"},
    {"Top-Right", 1, "FG_VANTAGEPOINT_TOP_RIGHT"},
};
constexpr EnumerationEntry kT5Entries[] = {
    {"GPI Trigger Source 0", 0, "TRGINSRC_GPI_0"},
    {"GPI Trigger Source 1", 1, "TRGINSRC_GPI_1"},
    {"GPI Trigger Source 2", 2, "TRGINSRC_GPI_2"},
    {"GPI Trigger Source 3", 3, "TRGINSRC_GPI_3"},
    {"GPI Trigger Source 4 (not available on Pelloran)", 4, "TRGINSRC_GPI_4"},
    {"GPI Trigger Source 5 (not available on Pelloran)", 5, "TRGINSRC_GPI_5"},
    {"GPI Trigger Source 6 (not available on Pelloran)", 6, "TRGINSRC_GPI_6"},
    {"GPI Trigger Source 7 (not available on Pelloran)", 7, "TRGINSRC_GPI_7"},
    {"Front GPI Trigger Source 0", 16, "TRGINSRC_FRONT_GPI_0"},
    {"Front GPI Trigger Source 1", 17, "TRGINSRC_FRONT_GPI_1"},
    {"Front GPI Trigger Source 2", 18, "TRGINSRC_FRONT_GPI_2"},
    {"Front GPI Trigger Source 3", 19, "TRGINSRC_FRONT_GPI_3"},
};
constexpr EnumerationEntry kT6Entries[] = {
    {"Low Active", 1, "LOW_ACTIVE"},
    {"High Active", 0, "HIGH_ACTIVE"},
};
constexpr EnumerationEntry kT7Entries[] = {
    {"Busy Flag is set", 1, "IS_BUSY"},
    {"Busy Flag is not set", 0, "IS_NOT_BUSY"},
};
constexpr EnumerationEntry kT9Entries[] = {
    {"Vcc", 5, "VCC"},
    {"Gnd", 4, "GND"},
    {"Cam A Pulse Generator 0", 50, "CAM_A_PULSEGEN0"},
    {"Cam A Pulse Generator 1", 51, "CAM_A_PULSEGEN1"},
    {"Cam A Pulse Generator 2", 52, "CAM_A_PULSEGEN2"},
    {"Cam A Pulse Generator 3", 53, "CAM_A_PULSEGEN3"},
    {"Not Cam A Pulse Generator 0", 60, "CAM_A_NOT_PULSEGEN0"},
    {"Not Cam A Pulse Generator 1", 61, "CAM_A_NOT_PULSEGEN1"},
    {"Not Cam A Pulse Generator 2", 62, "CAM_A_NOT_PULSEGEN2"},
    {"Not Cam A Pulse Generator 3", 63, "CAM_A_NOT_PULSEGEN3"},
    {"Bypass GPI 0", 10, "BYPASS_GPI_0"},
    {"Not Bypass GPI 0", 20, "NOT_BYPASS_GPI_0"},
    {"Bypass GPI 1", 11, "BYPASS_GPI_1"},
    {"Not Bypass GPI 1", 21, "NOT_BYPASS_GPI_1"},
    {"Bypass GPI 2", 12, "BYPASS_GPI_2"},
    {"Not Bypass GPI 2", 22, "NOT_BYPASS_GPI_2"},
    {"Bypass GPI 3", 13, "BYPASS_GPI_3"},
    {"Not Bypass GPI 3", 23, "NOT_BYPASS_GPI_3"},
    {"Bypass GPI 4 (not available on Pelloran)", 14, "BYPASS_GPI_4"},
    {"Not Bypass GPI 4 (not available on Pelloran)", 24, "NOT_BYPASS_GPI_4"},
    {"Bypass GPI 5 (not available on Pelloran)", 15, "BYPASS_GPI_5"},
    {"Not Bypass GPI 5 (not available on Pelloran)", 25, "NOT_BYPASS_GPI_5"},
    {"Bypass GPI 6 (not available on Pelloran)", 16, "BYPASS_GPI_6"},
    {"Not Bypass GPI 6 (not available on Pelloran)", 26, "NOT_BYPASS_GPI_6"},
    {"Bypass GPI 7 (not available on Pelloran)", 17, "BYPASS_GPI_7"},
    {"Not Bypass GPI 7 (not available on Pelloran)", 27, "NOT_BYPASS_GPI_7"},
    {"Bypass Front-GPI 0", 30, "BYPASS_FRONT_GPI_0"},
    {"Not Bypass Front-GPI 0", 40, "NOT_BYPASS_FRONT_GPI_0"},
    {"Bypass Front-GPI 1", 31, "BYPASS_FRONT_GPI_1"},
    {"Not Bypass Front-GPI 1", 41, "NOT_BYPASS_FRONT_GPI_1"},
    {"Bypass Front-GPI 2", 32, "BYPASS_FRONT_GPI_2"},
    {"Not Bypass Front-GPI 2", 42, "NOT_BYPASS_FRONT_GPI_2"},
    {"Bypass Front-GPI 3", 33, "BYPASS_FRONT_GPI_3"},
    {"Not Bypass Front-GPI 3", 43, "NOT_BYPASS_FRONT_GPI_3"},
    {"Pulse Generator 0", 0, "PULSEGEN0"},
    {"Pulse Generator 1", 1, "PULSEGEN1"},
    {"Pulse Generator 2", 2, "PULSEGEN2"},
    {"Pulse Generator 3", 3, "PULSEGEN3"},
    {"Not Pulse Generator 0", 6, "NOT_PULSEGEN0"},
    {"Not Pulse Generator 1", 7, "NOT_PULSEGEN1"},
    {"Not Pulse Generator 2", 8, "NOT_PULSEGEN2"},
    {"Not Pulse Generator 3", 9, "NOT_PULSEGEN3"},
};
constexpr EnumerationEntry kT10Entries[] = {
    {"Pulse Generator 0", 0, "PULSEGEN0"},
    {"Pulse Generator 1", 1, "PULSEGEN1"},
    {"Pulse Generator 2", 2, "PULSEGEN2"},
    {"Pulse Generator 3", 3, "PULSEGEN3"},
};
constexpr EnumerationEntry kT11Entries[] = {
    {"Generator", 1, "ATM_GENERATOR"},
    {"External", 2, "ATM_EXTERNAL"},
    {"Software", 4, "ATM_SOFTWARE"},
};
constexpr EnumerationEntry kT12Entries[] = {
    {"Active", 0, "TS_ACTIVE"},
    {"Async Stop", 1, "TS_ASYNC_STOP"},
    {"Sync Stop", 2, "TS_SYNC_STOP"},
};
constexpr EnumerationEntry kT13Entries[] = {
    {"Full LUT", 0, "LUT_IMPLEMENTATION_FULL_LUT"},
    {"KneeLUT", 1, "LUT_IMPLEMENTATION_KNEELUT"},
};
constexpr EnumerationEntry kT14Entries[] = {
    {"Processor", 3, "LUT_TYPE_PROCESSING"},
    {"User file", 0, "LUT_TYPE_CUSTOM"},
};
constexpr EnumerationEntry kT15Entries[] = {
    {"Gray 8bit", 3, "FG_GRAY"},
    {"Gray 10bit", 21, "FG_GRAY10"},
    {"Gray 16bit", 1, "FG_GRAY16"},
};
constexpr EnumerationEntry kT16Entries[] = {
    {"Left Aligned", 1, "FG_LEFT_ALIGNED"},
    {"Right Aligned", 0, "FG_RIGHT_ALIGNED"},
    {"Custom Bit Shift", 2, "FG_CUSTOM_BIT_SHIFT_MODE"},
};
constexpr EnumerationEntry kT17Entries[] = {
    {"Camera", 0, "FG_CAMPORT"},
    {"Simulator", 1, "FG_CAMERASIMULATOR"},
};
constexpr EnumerationEntry kT18Entries[] = {
    {"Horizontal", 1, "FG_HORIZONTAL"},
    {"Vertical", 2, "FG_VERTICAL"},
    {"Diagonal", 3, "FG_DIAGONAL"},
};
constexpr EnumerationEntry kT19Entries[] = {
    {"Pixel Frequency", 0, "FG_PIXEL_FREQUENCY"},
    {"Line Rate", 1, "FG_LINERATE"},
    {"Frame Rate", 2, "FG_FRAMERATE"},
};
constexpr EnumerationEntry kT20Entries[] = {
    {"Free Run", 0, "SIMULATION_FREE_RUN"},
    {"Rising Edge Triggers Line", 8, "RISING_EDGE_TRIGGERS_LINE"},
    {"Rising Edge Triggers Frame", 9, "RISING_EDGE_TRIGGERS_FRAME"},
};
constexpr EnumerationEntry kT21Entries[] = {
    {"EndOfLine", 0, "FG_ENDOFLINE"},
    {"EndOfFrame", 1, "FG_ENDOFFRAME"},
};
constexpr EnumerationEntry kT22Entries[] = {
    {"Initialize", 0, "FG_INITIALIZE"},
    {"PoCL Connection Sense", 1, "FG_POCL_CONNECTION_SENSE"},
    {"PoCL wait for Connection", 6, "FG_POCL_WAIT_FOR_CONNECTION"},
    {"PoCL Camera and Cable Detected", 2, "FG_POCL_CAMERA_DETECTED"},
    {"PoCL Camera Clock Detected", 3, "FG_POCL_CAMERA_CLOCK_DETECTED"},
    {"CL wait for Connection", 7, "FG_CL_WAIT_FOR_CONNECTION"},
    {"CL Camera Detected", 4, "FG_CL_CAMERA_DETECTED"},
    {"CL Camera Clock Detected", 5, "FG_CL_CAMERA_CLOCK_DETECTED"},
    {"PoCL Disabled", 8, "FG_POCL_DISABLED"},
};
constexpr EnumerationEntry kAPEntries[] = {
    {"Apply", 1, "FG_APPLY"},
};
// clang-format on
constexpr EnumerationList kT1{"T1", kT1Entries};
constexpr EnumerationList kYN{"YN", kYNEntries};
constexpr EnumerationList kOO{"OO", kOOEntries};
constexpr EnumerationList kT3{"T3", kT3Entries};
constexpr EnumerationList kT4{"T4", kT4Entries};
constexpr EnumerationList kT5{"T5", kT5Entries};
constexpr EnumerationList kT6{"T6", kT6Entries};
constexpr EnumerationList kT7{"T7", kT7Entries};
constexpr EnumerationList kT9{"T9", kT9Entries};
constexpr EnumerationList kT10{"T10", kT10Entries};
constexpr EnumerationList kT11{"T11", kT11Entries};
constexpr EnumerationList kT12{"T12", kT12Entries};
constexpr EnumerationList kT13{"T13", kT13Entries};
constexpr EnumerationList kT14{"T14", kT14Entries};
constexpr EnumerationList kT15{"T15", kT15Entries};
constexpr EnumerationList kT16{"T16", kT16Entries};
constexpr EnumerationList kT17{"T17", kT17Entries};
constexpr EnumerationList kT18{"T18", kT18Entries};
constexpr EnumerationList kT19{"T19", kT19Entries};
constexpr EnumerationList kT20{"T20", kT20Entries};
constexpr EnumerationList kT21{"T21", kT21Entries};
constexpr EnumerationList kT22{"T22", kT22Entries};
constexpr EnumerationList kAP{"AP", kAPEntries};

constexpr const EnumerationList* kLists[] = {
    &kT1,  &kYN,  &kOO,  &kT3,  &kT4,  &kT5,  &kT6,  &kT7,  &kT9,  &kT10, &kT11, &kT12,
    &kT13, &kT14, &kT15, &kT16, &kT17, &kT18, &kT19, &kT20, &kT21, &kT22, &kAP,
};

// The micro sign is the Latin-1 byte 0xB5, as the SDK's tools expect.
constexpr const char* kMicroseconds = "\xB5s";
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
// One step below 125 MHz / 2^32: the slowest rate the trigger generator can produce.
constexpr double kSlowestFrameRate = std::bit_cast<double>(0x3F9DCD64FFFFFFFFull);

constexpr DescriptionRow row(const char* path, const char* display, const char* name,
                             std::int32_t kind, RowValues values, const char* unit,
                             std::int32_t access, std::int32_t visibility, std::int32_t id) {
  return {path, display, name, kind, values, unit, access, visibility, id};
}

constexpr DescriptionRow integer(const char* path, const char* display, const char* name,
                                 std::int64_t minimum, std::int64_t maximum, std::int64_t step,
                                 const char* unit, std::int32_t access, std::int32_t visibility,
                                 std::int32_t id) {
  RowValues values;
  values.minimum = minimum;
  values.maximum = maximum;
  values.step = step;
  return row(path, display, name, runtime::kKindInteger, values, unit, access, visibility, id);
}

constexpr DescriptionRow uint64(const char* path, const char* display, const char* name,
                                std::int64_t minimum, std::int64_t maximum, std::int64_t step,
                                const char* unit, std::int32_t access, std::int32_t visibility,
                                std::int32_t id) {
  RowValues values;
  values.minimum = minimum;
  values.maximum = maximum;
  values.step = step;
  return row(path, display, name, runtime::kKindUint64, values, unit, access, visibility, id);
}

constexpr DescriptionRow field(const char* path, const char* display, const char* name,
                               std::int32_t elements, std::int64_t minimum, std::int64_t maximum,
                               std::int64_t step, const char* unit, std::int32_t access,
                               std::int32_t visibility, std::int32_t id) {
  RowValues values;
  values.elementCount = elements;
  values.minimum = minimum;
  values.maximum = maximum;
  values.step = step;
  return row(path, display, name, runtime::kKindIntegerField, values, unit, access, visibility, id);
}

constexpr DescriptionRow real(const char* path, const char* display, const char* name,
                              double minimum, double maximum, double step, const char* unit,
                              std::int32_t access, std::int32_t visibility, std::int32_t id) {
  RowValues values;
  values.realMinimum = minimum;
  values.realMaximum = maximum;
  values.realStep = step;
  return row(path, display, name, runtime::kKindDouble, values, unit, access, visibility, id);
}

constexpr DescriptionRow enumeration(const char* path, const char* display, const char* name,
                                     const EnumerationList& list, const char* unit,
                                     std::int32_t access, std::int32_t visibility,
                                     std::int32_t id) {
  RowValues values;
  values.list = &list;
  return row(path, display, name, runtime::kKindEnumeration, values, unit, access, visibility, id);
}

constexpr DescriptionRow text(const char* path, const char* display, const char* name,
                              const char* filter, const char* unit, std::int32_t access,
                              std::int32_t visibility, std::int32_t id) {
  RowValues values;
  values.fileFilter = filter;
  return row(path, display, name, runtime::kKindString, values, unit, access, visibility, id);
}

constexpr const char* kRoots[] = {
    "Camera Link",   "Tap Geometry",     "ROI",           "Trigger",
    "Overflow",      "Image Selector",   "Lookup Table",  "Processing",
    "Output Format", "Camera Simulator", "Miscellaneous",
};

// clang-format off
constexpr DescriptionRow kRows[] = {
    enumeration("Camera Link", "Input Format", "FG_CAMERA_LINK_CAMTYPE", kT1, "", 7, 1, 11011),
    enumeration("Camera Link", "Use DVAL", "FG_USEDVAL", kYN, "", 7, 1, 5025),
    integer("Camera Link", "Camera Link Core Reset", "FG_CAMERA_LINK_CORE_RESET", 0, 1, 1, "", 7, 1, 11012),
    integer("Camera Link", "Pixel Clock X", "FG_CAMERA_LINK_PIXEL_CLOCK_X", 0, 85, 1, "MHz", 1, 1, 11014),
    integer("Camera Link", "Pixel Clock Y", "FG_CAMERA_LINK_PIXEL_CLOCK_Y", 0, 85, 1, "MHz", 1, 1, 11015),
    integer("Camera Link", "Pixel Clock Z", "FG_CAMERA_LINK_PIXEL_CLOCK_Z", 0, 85, 1, "MHz", 1, 1, 11016),
    enumeration("Tap Geometry", "Tap Geometry", "FG_TAPGEOMETRY", kT3, "", 3, 1, 300111),
    integer("Tap Geometry", "Sensor Width", "FG_SENSORWIDTH", 8, 16384, 1, "pixel", 3, 2, 200220),
    enumeration("Tap Geometry", "Vantage Point", "FG_VANTAGEPOINT", kT4, "", 3, 1, 300112),
    integer("ROI", "Width", "FG_WIDTH", 8, 16384, 8, "pixel", 3, 2, 100),
    integer("ROI", "Height", "FG_HEIGHT", 1, 65535, 1, "pixel", 3, 2, 200),
    integer("ROI", "XOffset", "FG_XOFFSET", 0, 16376, 8, "pixel", 3, 2, 300),
    integer("ROI", "YOffset", "FG_YOFFSET", 0, 65534, 1, "pixel", 3, 2, 400),
    real("Trigger / Trigger Input / External", "Input Debounce", "FG_TRIGGERIN_DEBOUNCE", 0.048, 1.512, 0.024, kMicroseconds, 7, 1, 300204),
    integer("Trigger / Trigger Input / External", "Digital Input at GPI", "FG_GPI", 0, 255, 1, "", 1, 1, 140100),
    integer("Trigger / Trigger Input / External", "Digital Input at Front GPI", "FG_FRONT_GPI", 0, 15, 1, "", 1, 1, 200382),
    enumeration("Trigger / Trigger Input / External", "Source", "FG_TRIGGERIN_SRC", kT5, "", 7, 1, 8110),
    enumeration("Trigger / Trigger Input / External", "Polarity", "FG_TRIGGERIN_POLARITY", kT6, "", 7, 1, 8116),
    integer("Trigger / Trigger Input / External", "Input Downscale", "FG_TRIGGERIN_DOWNSCALE", 1, 2147483647, 1, "", 7, 2, 300205),
    integer("Trigger / Trigger Input / External", "Downscale Phase", "FG_TRIGGERIN_DOWNSCALE_PHASE", 0, 4294967294, 1, "", 7, 2, 300206),
    integer("Trigger / Trigger Input / Software Trigger", "Send Pulses", "FG_SENDSOFTWARETRIGGER", 1, 1, 1, "pulses", 7, 2, 8800),
    enumeration("Trigger / Trigger Input / Software Trigger", "Software Trigger Busy", "FG_SOFTWARETRIGGER_IS_BUSY", kT7, "", 1, 1, 110075),
    integer("Trigger / Trigger Input / Software Trigger", "Software Trigger Queue Filllevel", "FG_SOFTWARETRIGGER_QUEUE_FILLLEVEL", 0, 2040, 1, "pulses", 1, 2, 8802),
    enumeration("Trigger / Trigger Input / Statistics", "Statistics Source", "FG_TRIGGERIN_STATS_SOURCE", kT5, "", 7, 1, 200398),
    enumeration("Trigger / Trigger Input / Statistics", "Statistics Polarity", "FG_TRIGGERIN_STATS_POLARITY", kT6, "", 7, 1, 200399),
    integer("Trigger / Trigger Input / Statistics", "Input Pulses", "FG_TRIGGERIN_STATS_PULSECOUNT", 0, 65535, 1, "pulses", 1, 1, 300207),
    enumeration("Trigger / Trigger Input / Statistics", "Clear Pulse Count", "FG_TRIGGERIN_STATS_PULSECOUNT_CLEAR", kAP, "", 7, 1, 300208),
    real("Trigger / Trigger Input / Statistics", "Current Frequency", "FG_TRIGGERIN_STATS_FREQUENCY", 0.0, 125000000.0, kEpsilon, "Hz", 1, 1, 300209),
    real("Trigger / Trigger Input / Statistics", "Minimum Frequency", "FG_TRIGGERIN_STATS_MINFREQUENCY", 0.0, 125000000.0, kEpsilon, "Hz", 1, 1, 300210),
    real("Trigger / Trigger Input / Statistics", "Maximum Frequency", "FG_TRIGGERIN_STATS_MAXFREQUENCY", 0.0, 125000000.0, kEpsilon, "Hz", 1, 1, 300211),
    enumeration("Trigger / Trigger Input / Statistics", "Clear MinMax Frequency", "FG_TRIGGERIN_STATS_MINMAXFREQUENCY_CLEAR", kAP, "", 7, 1, 300212),
    integer("Trigger / Sequencer", "Upscale Trigger Pulses", "FG_TRIGGER_MULTIPLY_PULSES", 1, 65535, 1, "", 7, 1, 300213),
    enumeration("Trigger / Queue", "Queue Mode", "FG_TRIGGERQUEUE_MODE", kOO, "", 7, 1, 300214),
    integer("Trigger / Queue", "Filllevel", "FG_TRIGGERQUEUE_FILLLEVEL", 0, 2040, 1, "pulses", 1, 1, 300215),
    integer("Trigger / Queue", "Queue Fill Level Event On Threshold", "FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD", 2, 2047, 1, "pulses", 7, 1, 300240),
    integer("Trigger / Queue", "Queue Fill Level Event Off Threshold", "FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD", 2, 2047, 1, "pulses", 7, 1, 300241),
    integer("Trigger / Pulse Form Generator 0", "Downscale", "FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE", 1, 7, 1, "", 7, 2, 300216),
    integer("Trigger / Pulse Form Generator 0", "Phase", "FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE", 0, 6, 1, "", 7, 2, 300217),
    real("Trigger / Pulse Form Generator 0", "Delay", "FG_TRIGGER_PULSEFORMGEN0_DELAY", 0.0, 34000000.0, 0.008, kMicroseconds, 7, 1, 300218),
    real("Trigger / Pulse Form Generator 0", "Signal Width", "FG_TRIGGER_PULSEFORMGEN0_WIDTH", 1.0, 68000000.0, 0.008, kMicroseconds, 7, 1, 300219),
    integer("Trigger / Pulse Form Generator 1", "Downscale", "FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE", 1, 7, 1, "", 7, 2, 300220),
    integer("Trigger / Pulse Form Generator 1", "Phase", "FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE", 0, 6, 1, "", 7, 2, 300221),
    real("Trigger / Pulse Form Generator 1", "Delay", "FG_TRIGGER_PULSEFORMGEN1_DELAY", 0.0, 34000000.0, 0.008, kMicroseconds, 7, 1, 300222),
    real("Trigger / Pulse Form Generator 1", "Signal Width", "FG_TRIGGER_PULSEFORMGEN1_WIDTH", 1.0, 68000000.0, 0.008, kMicroseconds, 7, 1, 300223),
    integer("Trigger / Pulse Form Generator 2", "Downscale", "FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE", 1, 7, 1, "", 7, 2, 300224),
    integer("Trigger / Pulse Form Generator 2", "Phase", "FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE", 0, 6, 1, "", 7, 2, 300225),
    real("Trigger / Pulse Form Generator 2", "Delay", "FG_TRIGGER_PULSEFORMGEN2_DELAY", 0.0, 34000000.0, 0.008, kMicroseconds, 7, 1, 300226),
    real("Trigger / Pulse Form Generator 2", "Signal Width", "FG_TRIGGER_PULSEFORMGEN2_WIDTH", 1.0, 68000000.0, 0.008, kMicroseconds, 7, 1, 300227),
    integer("Trigger / Pulse Form Generator 3", "Downscale", "FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE", 1, 7, 1, "", 7, 2, 300228),
    integer("Trigger / Pulse Form Generator 3", "Phase", "FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE", 0, 6, 1, "", 7, 2, 300229),
    real("Trigger / Pulse Form Generator 3", "Delay", "FG_TRIGGER_PULSEFORMGEN3_DELAY", 0.0, 34000000.0, 0.008, kMicroseconds, 7, 1, 300230),
    real("Trigger / Pulse Form Generator 3", "Signal Width", "FG_TRIGGER_PULSEFORMGEN3_WIDTH", 1.0, 68000000.0, 0.008, kMicroseconds, 7, 1, 300231),
    enumeration("Trigger / CC Signal Mapping", "CC0", "FG_TRIGGERCC_SELECT0", kT9, "", 7, 1, 300250),
    enumeration("Trigger / CC Signal Mapping", "CC1", "FG_TRIGGERCC_SELECT1", kT9, "", 7, 1, 300251),
    enumeration("Trigger / CC Signal Mapping", "CC2", "FG_TRIGGERCC_SELECT2", kT9, "", 7, 1, 300252),
    enumeration("Trigger / CC Signal Mapping", "CC3", "FG_TRIGGERCC_SELECT3", kT9, "", 7, 1, 300253),
    enumeration("Trigger / Digital Output / Statistics", "Trigger Exceeded Period Limits", "FG_TRIGGER_EXCEEDED_PERIOD_LIMITS", kYN, "", 1, 1, 300202),
    enumeration("Trigger / Digital Output / Statistics", "Clear Exceeded Period Limits Register", "FG_TRIGGER_EXCEEDED_PERIOD_LIMITS_CLEAR", kAP, "", 7, 1, 300203),
    enumeration("Trigger / Digital Output / Statistics", "Source", "FG_TRIGGEROUT_STATS_SOURCE", kT10, "", 7, 1, 300236),
    integer("Trigger / Digital Output / Statistics", "Pulse Count", "FG_TRIGGEROUT_STATS_PULSECOUNT", 0, 65535, 1, "pulses", 1, 1, 300237),
    enumeration("Trigger / Digital Output / Statistics", "Clear pulse counter", "FG_TRIGGEROUT_STATS_PULSECOUNT_CLEAR", kAP, "", 7, 1, 300238),
    enumeration("Trigger / Digital Output / Statistics", "Missing Camera Frame Response", "FG_MISSING_CAMERA_FRAME_RESPONSE", kYN, "", 1, 1, 300248),
    enumeration("Trigger / Digital Output / Statistics", "Clear Frame Response Register", "FG_MISSING_CAMERA_FRAME_RESPONSE_CLEAR", kAP, "", 7, 1, 300249),
    enumeration("Trigger / Digital Output", "Output GPO 0", "FG_TRIGGEROUT_SELECT_GPO_0", kT9, "", 7, 1, 200384),
    enumeration("Trigger / Digital Output", "Output GPO 1", "FG_TRIGGEROUT_SELECT_GPO_1", kT9, "", 7, 1, 200385),
    enumeration("Trigger / Digital Output", "Output GPO 2", "FG_TRIGGEROUT_SELECT_GPO_2", kT9, "", 7, 1, 200386),
    enumeration("Trigger / Digital Output", "Output GPO 3", "FG_TRIGGEROUT_SELECT_GPO_3", kT9, "", 7, 1, 200387),
    enumeration("Trigger / Digital Output", "Output GPO 4 (not available on Pelloran)", "FG_TRIGGEROUT_SELECT_GPO_4", kT9, "", 7, 1, 200388),
    enumeration("Trigger / Digital Output", "Output GPO 5 (not available on Pelloran)", "FG_TRIGGEROUT_SELECT_GPO_5", kT9, "", 7, 1, 200389),
    enumeration("Trigger / Digital Output", "Output GPO 6 (not available on Pelloran)", "FG_TRIGGEROUT_SELECT_GPO_6", kT9, "", 7, 1, 200390),
    enumeration("Trigger / Digital Output", "Output GPO 7 (not available on Pelloran)", "FG_TRIGGEROUT_SELECT_GPO_7", kT9, "", 7, 1, 200391),
    enumeration("Trigger / Digital Output", "Output Front GPO 0", "FG_TRIGGEROUT_SELECT_FRONT_GPO_0", kT9, "", 7, 1, 200392),
    enumeration("Trigger / Digital Output", "Output Front GPO 1", "FG_TRIGGEROUT_SELECT_FRONT_GPO_1", kT9, "", 7, 1, 200393),
    enumeration("Trigger / Output Event", "Output Event Select", "FG_TRIGGER_OUTPUT_EVENT_SELECT", kT10, "", 7, 1, 300242),
    enumeration("Trigger", "Area Trigger Mode", "FG_AREATRIGGERMODE", kT11, "", 7, 1, 300200),
    enumeration("Trigger", "Trigger State", "FG_TRIGGERSTATE", kT12, "", 7, 1, 300201),
    real("Trigger", "Frames/Sec", "FG_TRIGGER_FRAMESPERSECOND", kSlowestFrameRate, 12500000.0, kEpsilon, "Hz", 7, 2, 90),
    integer("Overflow", "Buffer fill level", "FG_FILLLEVEL", 0, 100, 1, "%", 1, 1, 110086),
    integer("Overflow", "Buffer overflow", "FG_OVERFLOW", 0, 1, 1, "", 1, 1, 110087),
    integer("Image Selector", "Image select period", "FG_IMG_SELECT_PERIOD", 1, 256, 1, "image", 7, 1, 25110),
    integer("Image Selector", "Image select", "FG_IMG_SELECT", 0, 255, 1, "image", 7, 1, 25111),
    enumeration("Lookup Table / Applet Properties", "LUT Implementation Type", "FG_LUT_IMPLEMENTATION_TYPE", kT13, "", 1, 1, 300006),
    integer("Lookup Table / Applet Properties", "LUT In Bits", "FG_LUT_IN_BITS", 0, 0, 0, "bit", 1, 1, 300007),
    integer("Lookup Table / Applet Properties", "LUT Out Bits", "FG_LUT_OUT_BITS", 0, 0, 0, "bit", 1, 1, 300008),
    enumeration("Lookup Table", "Type", "FG_LUT_TYPE", kT14, "", 7, 1, 110017),
    field("Lookup Table", "LUT Values", "FG_LUT_VALUE", 1024, 0, 1023, 1, "", 7, 1, 300001),
    text("Lookup Table", "Load File", "FG_LUT_CUSTOM_FILE", "*.lut", "", 7, 1, 300000),
    text("Lookup Table", "Save File", "FG_LUT_SAVE_FILE", "*.lut", "", 7, 1, 110021),
    real("Processing", "Offset", "FG_PROCESSING_OFFSET", -1.0, 1.0, kEpsilon, "", 7, 1, 300004),
    real("Processing", "Gain", "FG_PROCESSING_GAIN", 0.0, 1024.0, kEpsilon, "", 7, 1, 300002),
    real("Processing", "Gamma", "FG_PROCESSING_GAMMA", -1000.0, 1000.0, kEpsilon, "", 7, 1, 300003),
    enumeration("Processing", "Invert", "FG_PROCESSING_INVERT", kOO, "", 7, 1, 300005),
    enumeration("Output Format", "Output Format", "FG_FORMAT", kT15, "", 3, 1, 700),
    enumeration("Output Format", "Alignment", "FG_BITALIGNMENT", kT16, "", 7, 1, 4010),
    integer("Output Format", "Pixel Depth", "FG_PIXELDEPTH", 0, 128, 1, "bit", 1, 1, 4000),
    integer("Output Format", "Bit Shift Right", "FG_CUSTOM_BIT_SHIFT_RIGHT", 0, 15, 1, "bit", 7, 2, 200396),
    enumeration("Camera Simulator", "Image Source", "FG_CAMERASIMULATOR_ENABLE", kT17, "", 7, 1, 30099),
    integer("Camera Simulator", "Width", "FG_CAMERASIMULATOR_WIDTH", 1, 65536, 1, "pixel", 7, 2, 30102),
    integer("Camera Simulator", "Line Gap", "FG_CAMERASIMULATOR_LINE_GAP", 0, 65536, 1, "pixel", 7, 2, 30105),
    integer("Camera Simulator", "Height", "FG_CAMERASIMULATOR_HEIGHT", 1, 65536, 1, "pixel", 7, 2, 200322),
    integer("Camera Simulator", "Frame Gap", "FG_CAMERASIMULATOR_FRAME_GAP", 0, 65536, 1, "pixel", 7, 2, 200325),
    enumeration("Camera Simulator", "Pattern", "FG_CAMERASIMULATOR_PATTERN", kT18, "", 7, 1, 200326),
    integer("Camera Simulator", "Pattern Offset", "FG_CAMERASIMULATOR_PATTERN_OFFSET", 0, 255, 1, "pixel value", 7, 2, 200356),
    enumeration("Camera Simulator", "Roll", "FG_CAMERASIMULATOR_ROLL", kOO, "", 7, 1, 200327),
    enumeration("Camera Simulator", "Speed Mode", "FG_CAMERASIMULATOR_SELECT_MODE", kT19, "", 7, 1, 200328),
    real("Camera Simulator", "Pixel Frequency", "FG_CAMERASIMULATOR_PIXEL_FREQUENCY", 0.0, 4000.0, kEpsilon, "MHz", 7, 2, 30106),
    real("Camera Simulator", "Line Rate", "FG_CAMERASIMULATOR_LINERATE", 0.1, 10000000.0, kEpsilon, "Hz", 7, 2, 200329),
    real("Camera Simulator", "Framerate", "FG_CAMERASIMULATOR_FRAMERATE", 0.1, 10000000.0, kEpsilon, "Hz", 7, 2, 200352),
    enumeration("Camera Simulator", "Trigger Mode", "FG_CAMERASIMULATOR_TRIGGER_MODE", kT20, "", 7, 1, 200355),
    integer("Camera Simulator", "Active Parts", "FG_CAMERASIMULATOR_ACTIVE", 1, 2000, 1, "pixel", 1, 1, 30101),
    integer("Camera Simulator", "Passive Parts", "FG_CAMERASIMULATOR_PASSIVE", 1, 2000, 1, "pixel", 1, 1, 30100),
    enumeration("Miscellaneous / Debug / Input", "Debug Input Mode", "FG_DEBUGINENABLE", kOO, "", 7, 1, 900002),
    text("Miscellaneous / Debug / Input", "Debug File", "FG_DEBUGFILE", "", "", 7, 1, 900000),
    enumeration("Miscellaneous / Debug / Input", "Debug Insert Image", "FG_DEBUGINSERT", kAP, "", 7, 1, 900003),
    uint64("Miscellaneous / Debug / Input", "Debug Write Pixel", "FG_DEBUGWRITEPIXEL", 0, 144115188075855871, 1, "", 7, 2, 900010),
    enumeration("Miscellaneous / Debug / Input", "Debug Write Flag", "FG_DEBUGWRITEFLAG", kT21, "", 7, 1, 900011),
    enumeration("Miscellaneous / Debug / Input", "Debug Write Ready", "FG_DEBUGREADY", kYN, "", 1, 1, 900012),
    enumeration("Miscellaneous / Debug / Output", "Debug Output Mode", "FG_DEBUGOUTENABLE", kOO, "", 7, 1, 900004),
    integer("Miscellaneous / Debug / Output", "Debug Output XPosition", "FG_DEBUGOUTXPOS", 8, 16384, 1, "pixel", 1, 1, 900007),
    integer("Miscellaneous / Debug / Output", "Debug Output YPosition", "FG_DEBUGOUTYPOS", 1, 65535, 1, "pixel", 1, 1, 900008),
    integer("Miscellaneous / Debug / Output", "Debug Output Pixel", "FG_DEBUGOUTPIXEL", 0, 4294967295, 1, "pixel", 1, 2, 900009),
    integer("Miscellaneous / Debug", "Debug Source", "FG_DEBUGSOURCE", 0, 10, 1, "", 7, 2, 900001),
    text("Miscellaneous / Debug", "Debug Source Name", "FG_DEBUGSOURCENAME", "", "", 1, 1, 900006),
    text("Miscellaneous / Debug", "Debug Save Config", "FG_DEBUGSAVECONFIG", "*.mcf", "", 7, 1, 900013),
    integer("Miscellaneous", "Timeout", "FG_TIMEOUT", 2, 2147483646, 1, "seconds", 7, 1, 600),
    integer("Miscellaneous", "Applet version", "FG_APPLET_VERSION", 0, 0, 0, "", 1, 1, 24020),
    integer("Miscellaneous", "Applet revision", "FG_APPLET_REVISION", 0, 0, 0, "", 1, 1, 24030),
    text("Miscellaneous", "Applet Id", "FG_APPLET_ID", "", "", 1, 1, 24010),
    text("Miscellaneous", "Build Time", "FG_APPLET_BUILD_TIME", "", "", 1, 1, 24011),
    text("Miscellaneous", "HAP file", "FG_HAP_FILE", "*.hap", "", 1, 1, 24108),
    integer("Miscellaneous", "DMA Status", "FG_DMASTATUS", 0, 0, 0, "", 1, 1, 24092),
    integer("Miscellaneous", "Camera Status", "FG_CAMSTATUS", 0, 1, 1, "", 1, 1, 2000),
    integer("Miscellaneous", "Camera Status Extended", "FG_CAMSTATUS_EXTENDED", 0, 255, 1, "", 1, 1, 2050),
    real("Miscellaneous", "FGPA Temperature", "FG_SYSTEMMONITOR_FPGA_TEMPERATURE", 0.0, 1000.0, 0.0, "Celsius", 1, 1, 200341),
    real("Miscellaneous", "FGPA Vcc Int", "FG_SYSTEMMONITOR_FPGA_VCC_INT", -1000.0, 1000.0, 0.0, "V", 1, 1, 200342),
    real("Miscellaneous", "FGPA Vcc Aux", "FG_SYSTEMMONITOR_FPGA_VCC_AUX", -1000.0, 1000.0, 0.0, "V", 1, 1, 200343),
    real("Miscellaneous", "FGPA Vcc BRAM", "FG_SYSTEMMONITOR_FPGA_VCC_BRAM", -1000.0, 1000.0, 0.0, "V", 1, 1, 200372),
    integer("Miscellaneous", "Current Link Width", "FG_SYSTEMMONITOR_CURRENT_LINK_WIDTH", 0, 15, 0, "lanes", 1, 1, 200373),
    real("Miscellaneous", "Current Link Speed", "FG_SYSTEMMONITOR_CURRENT_LINK_SPEED", 0.0, 1000.0, 0.0, "GB/s", 1, 1, 200374),
    enumeration("Miscellaneous", "PCIe Link Gen 2 Capable", "FG_SYSTEMMONITOR_PCIE_LINK_GEN2_CAPABLE", kYN, "", 1, 1, 200375),
    enumeration("Miscellaneous", "PCIe Link Partner Gen 2 Capable", "FG_SYSTEMMONITOR_PCIE_LINK_PARTNER_GEN2_CAPABLE", kYN, "", 1, 1, 200376),
    integer("Miscellaneous", "PCIe Trained Payload Size", "FG_SYSTEMMONITOR_PCIE_TRAINED_PAYLOAD_SIZE", 0, 15, 0, "byte", 1, 1, 200377),
    enumeration("Miscellaneous", "Extension Connector Present", "FG_SYSTEMMONITOR_EXTENSION_CONNECTOR_PRESENT", kYN, "", 1, 1, 200378),
    enumeration("Miscellaneous", "Alternative Board Detection", "FG_ALTERNATIVE_BOARD_DETECTION", kYN, "", 1, 1, 200381),
    enumeration("Miscellaneous", "PoCL State Port A", "FG_SYSTEMMONITOR_POCL_STATE_PORT_A", kT22, "", 1, 1, 200379),
    enumeration("Miscellaneous", "PoCL State Port B", "FG_SYSTEMMONITOR_POCL_STATE_PORT_B", kT22, "", 1, 1, 200380),
    uint64("Miscellaneous", "FPGA DNA", "FG_SYSTEMMONITOR_FPGA_DNA", 0, 144115188075855871, 0, "", 1, 1, 200349),
};
// clang-format on

}  // namespace

std::span<const char* const> rootCategories() { return kRoots; }
std::span<const DescriptionRow> descriptionRows() { return kRows; }
std::span<const EnumerationList* const> enumerationLists() { return kLists; }

}  // namespace brenvik::description
