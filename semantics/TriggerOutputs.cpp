// Trigger inputs and outputs: input source and polarity, the statistics selectors, the
// output selectors of the camera-control lines and the general-purpose outputs (from the
// output-source table), and the one-shot clears.
#include <array>

#include "parameters/CurrentValues.h"
#include "parameters/Enumerations.h"
#include "parameters/HardwareBinding.h"
#include "semantics/SetterContract.h"
#include "semantics/TriggerOutputs.h"
#include "semantics/TriggerSetters.h"

namespace brenvik::semantics {

namespace {

using parameters::enumUnsigned;
using parameters::Hw;
using parameters::TriggerValues;

constexpr std::uint32_t kPulse = 2;  // a one-shot pulse of a clear register

struct OutputSlots {
  Hw select, invert;
};

constexpr std::array<OutputSlots, 4> kCameraControls{{
    {Hw::CameraControl0_Select, Hw::CameraControl0_Invert},
    {Hw::CameraControl1_Select, Hw::CameraControl1_Invert},
    {Hw::CameraControl2_Select, Hw::CameraControl2_Invert},
    {Hw::CameraControl3_Select, Hw::CameraControl3_Invert},
}};
constexpr std::array<OutputSlots, 8> kGpos{{
    {Hw::Gpo0_Select, Hw::Gpo0_Invert},
    {Hw::Gpo1_Select, Hw::Gpo1_Invert},
    {Hw::Gpo2_Select, Hw::Gpo2_Invert},
    {Hw::Gpo3_Select, Hw::Gpo3_Invert},
    {Hw::Gpo4_Select, Hw::Gpo4_Invert},
    {Hw::Gpo5_Select, Hw::Gpo5_Invert},
    {Hw::Gpo6_Select, Hw::Gpo6_Invert},
    {Hw::Gpo7_Select, Hw::Gpo7_Invert},
}};
constexpr std::array<OutputSlots, 2> kFrontGpos{{
    {Hw::FrontGpo0_Select, Hw::FrontGpo0_Invert},
    {Hw::FrontGpo1_Select, Hw::FrontGpo1_Invert},
}};

// Input sources: the general-purpose inputs select themselves, the front inputs follow them.
constexpr std::uint32_t kFrontInputCode = enumUnsigned("TRGINSRC_FRONT_GPI_0");
constexpr std::uint32_t kFrontInputSelect = 8;

std::uint32_t inputSelect(std::uint32_t source) {
  return source >= kFrontInputCode ? source - kFrontInputCode + kFrontInputSelect : source;
}

void writeOutput(SetContext& context, const OutputSlots& slots, std::uint32_t code) {
  const trigger::OutputSource source = trigger::outputSource(code);
  context.hardware.writeUint32(slots.select, source.select, true);
  context.hardware.writeUint32(slots.invert, source.invert, true);
}

void setOutput(SetContext& context, std::uint32_t& stored, const OutputSlots& slots,
               std::uint32_t code, bool remap, bool reportErrors) {
  const std::uint32_t remembered = remap ? trigger::cameraSource(code) : code;
  // Every output selector lists the same sources; the first one's row stands for all.
  runSetter(
      context, stored, remembered, reportErrors, [&] { requireEntry("FG_TRIGGERCC_SELECT0", code); },
      [&] { writeOutput(context, slots, code); });
}

// A one-shot clear: only FG_APPLY is accepted, and it pulses the clear register.
void pulseClear(SetContext& context, std::uint32_t& stored, std::uint32_t apply, Hw slot,
                bool reportErrors) {
  runSetter(
      context, stored, apply, reportErrors,
      [&] { require(apply == enumUnsigned("FG_APPLY")); },
      [&] { context.hardware.writeUint32(slot, kPulse, true); });
}

}  // namespace

trigger::OutputSource trigger::outputSource(std::uint32_t code) {
  for (const OutputSourceRange& range : kOutputSources) {
    if (code >= range.firstCode && code < range.firstCode + range.count) {
      return {range.firstSelect + (code - range.firstCode), range.invert};
    }
  }
  codes::raise(codes::kValueOutOfRange);
}

std::uint32_t trigger::cameraSource(std::uint32_t code) {
  for (const SourceRemap& remap : kCameraSourceRemaps) {
    if (code >= remap.from && code < remap.from + remap.count) return code - remap.from + remap.to;
  }
  return code;
}

void setInputSource(SetContext& context, std::uint32_t source, bool reportErrors) {
  runSetter(
      context, context.values.trigger.inputSource, source, reportErrors,
      [&] { requireEntry("FG_TRIGGERIN_SRC", source); },
      [&] {
        context.hardware.writeUint32(Hw::Cam0_InputSelect_Select_Value, inputSelect(source), true);
      });
}

void setInputPolarity(SetContext& context, std::uint32_t polarity, bool reportErrors) {
  runSetter(
      context, context.values.trigger.inputPolarity, polarity, reportErrors,
      [&] { requireEntry("FG_TRIGGERIN_POLARITY", polarity); },
      [&] { context.hardware.writeUint32(Hw::Cam0_InputSelect_Polarity_Invert, polarity, true); });
}

void setInputStatisticsSource(SetContext& context, std::uint32_t source, bool reportErrors) {
  runSetter(
      context, context.values.trigger.inputStatisticsSource, source, reportErrors,
      [&] { requireEntry("FG_TRIGGERIN_STATS_SOURCE", source); },
      [&] {
        context.hardware.writeUint32(Hw::Cam0_StatisticsSelect_Select_Value, inputSelect(source),
                                     true);
      });
}

void setInputStatisticsPolarity(SetContext& context, std::uint32_t polarity, bool reportErrors) {
  runSetter(
      context, context.values.trigger.inputStatisticsPolarity, polarity, reportErrors,
      [&] { requireEntry("FG_TRIGGERIN_STATS_POLARITY", polarity); },
      [&] {
        context.hardware.writeUint32(Hw::Cam0_StatisticsSelect_Polarity_Invert, polarity, true);
      });
}

void setOutputStatisticsSource(SetContext& context, std::uint32_t generator, bool reportErrors) {
  runSetter(
      context, context.values.trigger.outputStatisticsSource, generator, reportErrors,
      [&] { requireEntry("FG_TRIGGEROUT_STATS_SOURCE", generator); },
      [&] {
        context.hardware.writeUint32(Hw::Cam0_OutputStatistics_Select_Select, generator, true);
      });
}

void setOutputEventSelect(SetContext& context, std::uint32_t generator, bool reportErrors) {
  runSetter(
      context, context.values.trigger.outputEventSelect, generator, reportErrors,
      [&] { requireEntry("FG_TRIGGER_OUTPUT_EVENT_SELECT", generator); },
      [&] { context.hardware.writeUint32(Hw::Cam0_OutputEvent_Select_Select, generator, true); });
}

template <std::size_t Line>
void setCameraControlSelect(SetContext& context, std::uint32_t source, bool reportErrors) {
  setOutput(context, context.values.trigger.cameraControlSelect[Line], kCameraControls[Line],
            source, false, reportErrors);
}
template <std::size_t Output>
void setGpoSelect(SetContext& context, std::uint32_t source, bool reportErrors) {
  setOutput(context, context.values.trigger.gpoSelect[Output], kGpos[Output], source, true,
            reportErrors);
}
template <std::size_t Output>
void setFrontGpoSelect(SetContext& context, std::uint32_t source, bool reportErrors) {
  setOutput(context, context.values.trigger.frontGpoSelect[Output], kFrontGpos[Output], source,
            true, reportErrors);
}

template void setCameraControlSelect<0>(SetContext&, std::uint32_t, bool);
template void setCameraControlSelect<1>(SetContext&, std::uint32_t, bool);
template void setCameraControlSelect<2>(SetContext&, std::uint32_t, bool);
template void setCameraControlSelect<3>(SetContext&, std::uint32_t, bool);
template void setGpoSelect<0>(SetContext&, std::uint32_t, bool);
template void setGpoSelect<1>(SetContext&, std::uint32_t, bool);
template void setGpoSelect<2>(SetContext&, std::uint32_t, bool);
template void setGpoSelect<3>(SetContext&, std::uint32_t, bool);
template void setGpoSelect<4>(SetContext&, std::uint32_t, bool);
template void setGpoSelect<5>(SetContext&, std::uint32_t, bool);
template void setGpoSelect<6>(SetContext&, std::uint32_t, bool);
template void setGpoSelect<7>(SetContext&, std::uint32_t, bool);
template void setFrontGpoSelect<0>(SetContext&, std::uint32_t, bool);
template void setFrontGpoSelect<1>(SetContext&, std::uint32_t, bool);

void clearInputPulseCount(SetContext& context, std::uint32_t apply, bool reportErrors) {
  pulseClear(context, context.values.trigger.inputStatisticsPulseCountClear, apply,
             Hw::Cam0_InputStatistics_ClearPulses_Mode, reportErrors);
}

void clearOutputPulseCount(SetContext& context, std::uint32_t apply, bool reportErrors) {
  pulseClear(context, context.values.trigger.outputStatisticsPulseCountClear, apply,
             Hw::Cam0_OutputStatistics_ClearPulses_Mode, reportErrors);
}

void clearExceededPeriodLimits(SetContext& context, std::uint32_t apply, bool reportErrors) {
  pulseClear(context, context.values.trigger.exceededPeriodLimitsClear, apply,
             Hw::Monitoring_ClearOverrideCam0_Mode, reportErrors);
}

void clearMissingFrameResponse(SetContext& context, std::uint32_t apply, bool reportErrors) {
  pulseClear(context, context.values.trigger.missingCameraFrameResponseClear, apply,
             Hw::Monitoring_ClearMissingFrame_Cam0_Mode, reportErrors);
}

// The minimum/maximum clear is level-triggered: each apply flips the line.
void clearInputMinMaxFrequency(SetContext& context, std::uint32_t apply, bool reportErrors) {
  runSetter(
      context, context.values.trigger.inputStatisticsMinMaxFrequencyClear, apply, reportErrors,
      [&] { require(apply == enumUnsigned("FG_APPLY")); },
      [&] {
        const std::uint32_t level =
            context.hardware.readUint32(Hw::Cam0_InputStatistics_ClearMinMax_Value);
        context.hardware.writeUint32(Hw::Cam0_InputStatistics_ClearMinMax_Value,
                                     level == 0 ? 1u : 0u, true);
      });
}

}  // namespace brenvik::semantics
