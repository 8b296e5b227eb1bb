// CurrentValues: the last accepted value of every writable SDK parameter, grouped by family,
// with the values the applet object starts from (enumeration values by their symbols).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "parameters/Enumerations.h"
#include "parameters/LookupTableShape.h"

namespace brenvik::parameters {

// Region of interest, tap geometry, output format, Camera Link receiver, image selector.
struct GeometryValues {
  std::uint32_t tapGeometry = enumValue("FG_GEOMETRY_1X8");
  std::uint32_t sensorWidth = 1024;
  std::uint32_t vantagePoint = enumValue("FG_VANTAGEPOINT_TOP_LEFT");
  std::uint32_t width = 1024;
  std::uint32_t height = 1024;
  std::uint32_t xOffset = 0;
  std::uint32_t yOffset = 0;
  std::uint32_t format = enumValue("FG_GRAY");
  std::int32_t bitAlignment = enumValue("FG_LEFT_ALIGNED");
  std::uint32_t customBitShiftRight = 0;
  std::int32_t cameraLinkCamType = enumValue("FG_CL_FULL_8_TAP_8_BIT");
  std::int32_t useDval = enumValue("FG_YES");
  std::uint32_t cameraLinkCoreReset = 0;
  std::uint32_t timeout = 1000000;
  std::uint32_t imageSelectPeriod = 1;
  std::uint32_t imageSelect = 0;
};

// The lookup table and the processing that computes it.
struct LutValues {
  std::array<std::uint32_t, kLutSize> table{};  // what was last written to the hardware
  std::int32_t lutType = enumValue("LUT_TYPE_PROCESSING");
  double processingOffset = 0.0;
  double processingGain = 1.0;
  double processingGamma = 1.0;
  std::int32_t processingInvert = enumValue("FG_OFF");
  std::string customFile;
  std::string saveFile;
};

// One pulse form generator; delay and width in microseconds.
struct PulseFormGeneratorValues {
  std::uint32_t downscale = 1;
  std::uint32_t downscalePhase = 0;
  double delay = 0.0;
  double width = 4.0;
};

// The trigger system. The output selectors remember the code as the setter mapped it.
struct TriggerValues {
  std::uint32_t areaTriggerMode = enumValue("ATM_GENERATOR");
  std::uint32_t triggerState = enumValue("TS_SYNC_STOP");
  double framesPerSecond = 8.0;
  double inputDebounce = 1.0;  // microseconds
  std::uint32_t inputSource = enumValue("TRGINSRC_GPI_0");
  std::uint32_t inputPolarity = enumValue("HIGH_ACTIVE");
  std::uint32_t inputDownscale = 1;
  std::uint32_t inputDownscalePhase = 0;
  std::uint32_t inputStatisticsSource = 0;
  std::uint32_t inputStatisticsPolarity = 0;
  std::uint32_t inputStatisticsPulseCountClear = enumValue("FG_APPLY");
  std::uint32_t inputStatisticsMinMaxFrequencyClear = enumValue("FG_APPLY");
  std::uint32_t exceededPeriodLimitsClear = enumValue("FG_APPLY");
  std::uint32_t outputStatisticsPulseCountClear = enumValue("FG_APPLY");
  std::uint32_t missingCameraFrameResponseClear = enumValue("FG_APPLY");
  std::uint32_t multiplyPulses = 1;
  std::uint32_t queueMode = enumValue("FG_OFF");
  std::uint32_t queueFillLevelOnThreshold = 2047;
  std::uint32_t queueFillLevelOffThreshold = 2;
  std::array<PulseFormGeneratorValues, 4> pulseFormGenerators{};
  std::array<std::uint32_t, 4> cameraControlSelect{enumValue("NOT_PULSEGEN0"), enumValue("VCC"),
                                                   enumValue("VCC"), enumValue("VCC")};
  std::array<std::uint32_t, 8> gpoSelect{enumValue("CAM_A_NOT_PULSEGEN0"),
                                         enumValue("CAM_A_NOT_PULSEGEN1"),
                                         enumValue("VCC"),
                                         enumValue("VCC"),
                                         enumValue("VCC"),
                                         enumValue("VCC"),
                                         enumValue("VCC"),
                                         enumValue("VCC")};
  std::array<std::uint32_t, 2> frontGpoSelect{enumValue("CAM_A_NOT_PULSEGEN0"),
                                              enumValue("CAM_A_NOT_PULSEGEN1")};
  std::uint32_t outputStatisticsSource = enumValue("PULSEGEN0");
  std::uint32_t outputEventSelect = enumValue("PULSEGEN0");
  std::uint32_t sendSoftwareTrigger = 1;
};

// The camera simulator: the requested values, then the state derived from them.
struct SimulatorValues {
  std::int32_t enable = enumValue("FG_CAMPORT");
  std::uint32_t width = 1024;
  std::uint32_t height = 1024;
  std::uint32_t lineGap = 0;
  std::uint32_t frameGap = 0;
  std::uint32_t pattern = enumValue("FG_DIAGONAL");
  std::uint32_t patternOffset = 0;
  std::int32_t roll = enumValue("FG_ON");
  std::uint32_t selectMode = enumValue("FG_FRAMERATE");
  std::uint32_t triggerMode = enumValue("SIMULATION_FREE_RUN");
  double pixelFrequency = 40.0;  // MHz
  double lineRate = 10240.0;     // lines per second
  double frameRate = 10.0;       // frames per second

  std::uint32_t effectiveWidth = 1024;          // W8: the width rounded up to a multiple of 8
  std::uint32_t effectiveLineGap = 0;           // G8: the line gap rounded up likewise
  std::uint32_t effectiveHeight = 1024;         // H
  std::uint32_t effectiveFrameGap = 0;          // F
  double maximumPixelRate = 999999999.9999999;  // P, pixels per second
  double actualFrameRate = 10.0;
};

// The selected debug point and the debug parameters that the applet keeps itself.
struct DebugValues {
  std::uint32_t selectedPoint = 0;
  std::uint32_t inputEnable = 0;
  std::string file;
  std::uint32_t insert = 1;
  std::uint64_t writePixel = 0;
  std::uint32_t writeFlag = 0;
  std::uint32_t outputEnable = 0;
  std::string saveConfigFile;
};

// One member per family; each family's setters keep their own part and read the others'.
struct CurrentValues {
  GeometryValues geometry;
  LutValues lut;
  TriggerValues trigger;
  SimulatorValues simulator;
  DebugValues debug;
};

}  // namespace brenvik::parameters
