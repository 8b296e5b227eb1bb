// The hardware parameters that the applet binds by name: one slot per name, in binding order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace brenvik::parameters {

// Slots of the bound hardware parameters, named after the design path without the common
// "Device1_Process0_" and "Device1_Process1_Trigger_" prefixes (Dram_ is the frame buffer's
// "Buffer_0_DRAM_A_0_", TapSorter_ the "Buffer_0_TapGeometrySorter_", Cam0_ the "TriggerCam0_",
// PulseFormN_ the "TriggerCam0_PulseFormGenerators_PulseFormGeneratorN_").
enum class Hw : std::uint8_t {
  // Image process: frame-buffer memory, tap geometry sorter, output shift, simulator size
  // and timing, lookup table.
  Dram_RamAddressWidth,
  Dram_RamDataWidth,
  TapSorter_SensorWidth,
  TapSorter_TranslateVantagePoint_Value,
  TapSorter_TapWidth,
  TapSorter_TapCount,
  TapSorter_DummyTaps,
  TapSorter_ParallelResort_4X2E_Enable_Value,
  TapSorter_TapOrder,
  TapSorter_ReferenceTapMirror_Field,
  OutputFormat_DynamicShift_Shift_Value,
  CameraSimulator_Size_ImageWidth,
  CameraSimulator_LineGap_Number,
  CameraSimulator_Size_ImageHeight,
  CameraSimulator_FrameGap_Number,
  CameraSimulator_PixelFrequency_ActivePixel_Number,
  CameraSimulator_PixelFrequency_SequenceLength_ImageWidth,
  LookupTable_LookupTable_LUTcontent,

  // Trigger process: generator clear and enable switches.
  Cam0_PulseFormGenerators_Clear_Mode,
  Cam0_TriggerMode_SelectExternal_Select,
  Cam0_PulseFormGenerators_Enable_Select,
  Monitoring_CheckForMissingFrame_Cam0_ResetMissing_Mode,
  Cam0_Generators_ClearQueuePulse_Mode,
  Cam0_Generators_EnableQueue_Select,
  Cam0_Downscale_Clear_Mode,
  Cam0_Generators_ClearDownscale_Mode,

  // Image process: identity, board monitors, camera receiver, region of interest, overflow and
  // fill level, output format, camera simulator, image selector.
  AppletProperties_AppletUid,
  AppletProperties_BuildTime,
  BoardStatus_FpgaTemperature,
  BoardStatus_FpgaVccInt,
  BoardStatus_FpgaVccAux,
  BoardStatus_FpgaVccBram,
  BoardStatus_PcieCurrentLinkWidth,
  BoardStatus_PcieCurrentLinkSpeed,
  BoardStatus_PcieLinkGen2Capable,
  BoardStatus_PcieLinkPartnerGen2Capable,
  BoardStatus_PcieTrainedPayloadSize,
  BoardStatus_ExtensionConnectorPresent,
  BoardStatus_AlternativeBoardDetection,
  BoardStatus_PoCLStatePortA,
  BoardStatus_PoCLStatePortB,
  BoardStatus_FpgaDNA,
  Camera_FullMode,
  Camera_DvalMode,
  Camera_CameraLinkCoreReset,
  Camera_PixelClockX,
  Camera_PixelClockY,
  Camera_PixelClockZ,
  Dram_XLength,
  Dram_YLength,
  Dram_XOffset,
  Dram_YOffset,
  Overflow_OverflowOccurred,
  Dram_FillLevel,
  OutputFormat_FG_FORMAT_SelectSource,
  CameraSimulator_Enable_SelectSource,
  CameraSimulator_EnableX_Enable_Value,
  CameraSimulator_Y_Divisor,
  CameraSimulator_Offset_Value,
  CameraSimulator_Frame_Divisor,
  CameraSimulator_ControlPixelClock_Mode,
  CameraSimulator_PixelFrequency_RepeatPat_Divisor,
  CameraSimulator_TriggerValve_FreeRun_Select,
  CameraSimulator_TriggerValve_TriggerValve_Mode,
  ImageSelector_FG_IMG_SELECT_PERIOD_Divisor,
  ImageSelector_FG_IMG_SELECT_PHASE_Number,

  // Trigger process: generator, monitoring, input, queue, statistics, hysteresis.
  Cam0_Generators_Generator_MinimumPeriod_Number,
  Monitoring_ReadQueueStatus_Status,
  Monitoring_ClearOverrideCam0_Mode,
  TriggerInput_Debounce8_Prescale_Period,
  TriggerInput_InputStatus_Status,
  TriggerInput_InputStatusFrontGPI_Status,
  Cam0_InputSelect_Select_Value,
  Cam0_InputSelect_Polarity_Invert,
  Cam0_Downscale_Downscale_Downscale,
  Cam0_Downscale_Downscale_SelectedPulse,
  Cam0_TriggerMode_SoftwareTrigger_Mode,
  Cam0_Generators_Generator_MaximumReached_Status,
  Cam0_Generators_QueueValue_Status,
  Cam0_StatisticsSelect_Select_Value,
  Cam0_StatisticsSelect_Polarity_Invert,
  Cam0_InputStatistics_ReadPulses_Status,
  Cam0_InputStatistics_ClearPulses_Mode,
  Cam0_InputStatistics_ReadPeriod_Status,
  Cam0_InputStatistics_ReadMax_Status,
  Cam0_InputStatistics_ReadMin_Status,
  Cam0_InputStatistics_ClearMinMax_Value,
  Cam0_Generators_Sequence_Downscale,
  Cam0_Generators_Sequence_SelectedPulse,
  Cam0_Generators_Queue_QueueFullValue_Number,
  Cam0_Generators_Queue_QueueEnabled_Select,
  Cam0_Hysteresis_OnLevel_Number,
  Cam0_Hysteresis_OffLevel_Number,

  // Trigger process: the four pulse form generators.
  PulseForm0_Downscale_Downscale,
  PulseForm0_Downscale_SelectedPulse,
  PulseForm0_Delay_Delay_Width,
  PulseForm0_Width_Width,
  PulseForm1_Downscale_Downscale,
  PulseForm1_Downscale_SelectedPulse,
  PulseForm1_Delay_Delay_Width,
  PulseForm1_Width_Width,
  PulseForm2_Downscale_Downscale,
  PulseForm2_Downscale_SelectedPulse,
  PulseForm2_Delay_Delay_Width,
  PulseForm2_Width_Width,
  PulseForm3_Downscale_Downscale,
  PulseForm3_Downscale_SelectedPulse,
  PulseForm3_Delay_Delay_Width,
  PulseForm3_Width_Width,

  // Trigger process: camera-control outputs, GPOs and front GPOs (select value, invert).
  CameraControl0_Select,
  CameraControl0_Invert,
  CameraControl1_Select,
  CameraControl1_Invert,
  CameraControl2_Select,
  CameraControl2_Invert,
  CameraControl3_Select,
  CameraControl3_Invert,
  Gpo0_Select,
  Gpo0_Invert,
  Gpo1_Select,
  Gpo1_Invert,
  Gpo2_Select,
  Gpo2_Invert,
  Gpo3_Select,
  Gpo3_Invert,
  Gpo4_Select,
  Gpo4_Invert,
  Gpo5_Select,
  Gpo5_Invert,
  Gpo6_Select,
  Gpo6_Invert,
  Gpo7_Select,
  Gpo7_Invert,
  FrontGpo0_Select,
  FrontGpo0_Invert,
  FrontGpo1_Select,
  FrontGpo1_Invert,

  // Trigger process: output statistics, missing-frame monitor, output event.
  Cam0_OutputStatistics_Select_Select,
  Cam0_OutputStatistics_ReadPulses_Status,
  Cam0_OutputStatistics_ClearPulses_Mode,
  Monitoring_ClearMissingFrame_Cam0_Mode,
  Cam0_OutputEvent_Select_Select,
};

inline constexpr std::size_t kHardwareParameterCount = 142;
static_assert(static_cast<std::size_t>(Hw::Cam0_OutputEvent_Select_Select) + 1 ==
              kHardwareParameterCount);

constexpr std::size_t slotIndex(Hw slot) { return static_cast<std::size_t>(slot); }

// The full hardware parameter name of a slot (a zero-terminated literal).
const char* hardwareParameterName(Hw slot);

// Every name in binding order.
const std::array<const char*, kHardwareParameterCount>& hardwareParameterNames();

}  // namespace brenvik::parameters
