// Trigger timing: the generator's frame rate, the input debounce and downscale, the pulse
// multiplication, the queue thresholds and the four pulse form generators, with the
// cross-check that keeps every generator's pulse inside one generator period.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "parameters/CurrentValues.h"
#include "parameters/HardwareBinding.h"
#include "parameters/SdkParameterTable.h"
#include "semantics/Conversion.h"
#include "semantics/SetterContract.h"
#include "semantics/TriggerActions.h"
#include "semantics/TriggerSetters.h"

namespace brenvik::semantics {

namespace {

using parameters::Hw;
using parameters::sdkId;
using parameters::TriggerValues;

constexpr double kTickNanoseconds = 8.0;  // one tick of the 125 MHz time base
constexpr double kDebounceStepNanoseconds = 24.0;
constexpr std::uint32_t kMinimumPeriodOffset = 9;  // ticks the generator adds to each period

// The longest time a 32-bit tick register holds, in microseconds (about 34.36 s).
constexpr double kLongestRegisterTime =
    std::numeric_limits<std::uint32_t>::max() * kTickNanoseconds / 1000;

// Microseconds to ticks of the time base, rounding half up. A time whose ticks do not fit the
// 32-bit register (a pulse width beyond 34.36 s) is held at the register's largest count, so
// the hardware holds the longest pulse it can, and gets and cross-checks read back that time.
std::uint32_t ticks(double microseconds) {
  return conversion::roundedHalfUp<std::uint32_t>(microseconds * 1000 * 0.125);
}

// The time the hardware will hold for `microseconds`: the value itself, or the longest time
// of the register when its ticks do not fit.
double heldTime(double microseconds) { return std::min(microseconds, kLongestRegisterTime); }

// A generator's hardware slots, its SDK ids and its description rows (the ranges).
struct PulseFormSlots {
  Hw downscale, selectedPulse, delay, width;
  std::int32_t downscaleId, phaseId;
  description::Described downscaleRow, delayRow, widthRow;
};

#define BRENVIK_PULSE_FORM(G)                                                              \
  PulseFormSlots {                                                                         \
    Hw::PulseForm##G##_Downscale_Downscale, Hw::PulseForm##G##_Downscale_SelectedPulse,    \
        Hw::PulseForm##G##_Delay_Delay_Width, Hw::PulseForm##G##_Width_Width,              \
        sdkId("FG_TRIGGER_PULSEFORMGEN" #G "_DOWNSCALE"),                                  \
        sdkId("FG_TRIGGER_PULSEFORMGEN" #G "_DOWNSCALE_PHASE"),                            \
        "FG_TRIGGER_PULSEFORMGEN" #G "_DOWNSCALE", "FG_TRIGGER_PULSEFORMGEN" #G "_DELAY",  \
        "FG_TRIGGER_PULSEFORMGEN" #G "_WIDTH"                                              \
  }
constexpr std::array<PulseFormSlots, 4> kPulseForms{
    {BRENVIK_PULSE_FORM(0), BRENVIK_PULSE_FORM(1), BRENVIK_PULSE_FORM(2), BRENVIK_PULSE_FORM(3)}};
#undef BRENVIK_PULSE_FORM

// A delay or width that is being set and not yet on the hardware; by default none (a
// generator past the last). Not an optional: GCC compares an empty optional's fields before
// its flag, which memcheck reports as a branch on uninitialised memory.
struct PendingTime {
  std::size_t generator = kPulseForms.size();
  bool isWidth = false;
  double microseconds = 0;
};

// True when one generator period (1e6 / rate µs) is longer than every generator's delay and
// width divided by its downscale. Times come back from the hardware, the pending one from
// the caller; rate and downscales from the stored values (already the new ones).
bool generatorsFit(const SetContext& context, const PendingTime& pending = {}) {
  const TriggerValues& trigger = context.values.trigger;
  double longest = 0;
  for (std::size_t g = 0; g < kPulseForms.size(); ++g) {
    const double n = trigger.pulseFormGenerators[g].downscale;
    for (const bool isWidth : {false, true}) {
      double time = 0;
      if (pending.generator == g && pending.isWidth == isWidth) {
        time = heldTime(pending.microseconds);
      } else {
        const Hw slot = isWidth ? kPulseForms[g].width : kPulseForms[g].delay;
        time = context.hardware.readUint32(slot) * kTickNanoseconds / 1000;
      }
      longest = std::max(longest, std::max(time / n, 0.0));
    }
  }
  return 1e6 / trigger.framesPerSecond > longest;
}

void phaseMaximumFromInputDownscale(SetContext& context) {
  setDescriptionMaximum(context, sdkId("FG_TRIGGERIN_DOWNSCALE_PHASE"),
                        static_cast<std::int32_t>(context.values.trigger.inputDownscale - 1));
}
void downscaleMinimumFromInputPhase(SetContext& context) {
  setDescriptionMinimum(context, sdkId("FG_TRIGGERIN_DOWNSCALE"),
                        static_cast<std::int32_t>(context.values.trigger.inputDownscalePhase + 1));
}
template <std::size_t G>
void phaseMaximumFromDownscale(SetContext& context) {
  setDescriptionMaximum(context, kPulseForms[G].phaseId,
                        static_cast<std::int32_t>(context.values.trigger.pulseFormGenerators[G].downscale - 1));
}
template <std::size_t G>
void downscaleMinimumFromPhase(SetContext& context) {
  setDescriptionMinimum(
      context, kPulseForms[G].downscaleId,
      static_cast<std::int32_t>(context.values.trigger.pulseFormGenerators[G].downscalePhase + 1));
}

}  // namespace

void trigger::rewriteFrameRate(SetContext& context) {
  setFramesPerSecond(context, context.values.trigger.framesPerSecond, true);
}

void setFramesPerSecond(SetContext& context, double rate, bool reportErrors) {
  runSetter(
      context, context.values.trigger.framesPerSecond, rate, reportErrors,
      [&] { requireInRange("FG_TRIGGER_FRAMESPERSECOND", rate); },
      [&] {
        require(generatorsFit(context), codes::kTriggerTimingCheck);
        // Nanoseconds over the tick length: 8 Hz gives exactly 15625000 ticks this way. The
        // slowest rate gives 2^32 ticks, which fits the register once the offset is taken off.
        const auto period = conversion::held<std::int64_t>(1e9 / (rate * kTickNanoseconds));
        context.hardware.writeUint32(
            Hw::Cam0_Generators_Generator_MinimumPeriod_Number,
            static_cast<std::uint32_t>(std::clamp<std::int64_t>(
                period - kMinimumPeriodOffset, 0, std::numeric_limits<std::uint32_t>::max())),
            true);
      });
}

void setInputDebounce(SetContext& context, double microseconds, bool reportErrors) {
  runSetter(
      context, context.values.trigger.inputDebounce, microseconds, reportErrors,
      [&] { requireInRange("FG_TRIGGERIN_DEBOUNCE", microseconds); },
      [&] {
        const auto steps =
            conversion::roundedHalfUp<std::uint32_t>(microseconds * 1000 / kDebounceStepNanoseconds);
        context.hardware.writeUint32(Hw::TriggerInput_Debounce8_Prescale_Period, steps, true);
      });
}

void setInputDownscale(SetContext& context, std::uint32_t downscale, bool reportErrors) {
  TriggerValues& trigger = context.values.trigger;
  runSetter(
      context, trigger.inputDownscale, downscale, reportErrors,
      [&] {
        requireInRange("FG_TRIGGERIN_DOWNSCALE", downscale);
        require(downscale > trigger.inputDownscalePhase);
      },
      [&] {
        context.hardware.writeUint32(Hw::Cam0_Downscale_Downscale_Downscale, downscale, true);
      },
      {phaseMaximumFromInputDownscale});
}

void setInputDownscalePhase(SetContext& context, std::uint32_t phase, bool reportErrors) {
  TriggerValues& trigger = context.values.trigger;
  runSetter(
      context, trigger.inputDownscalePhase, phase, reportErrors,
      [&] { require(phase < trigger.inputDownscale); },
      [&] {
        context.hardware.writeUint32(Hw::Cam0_Downscale_Downscale_SelectedPulse, phase + 1, true);
      },
      {downscaleMinimumFromInputPhase});
}

void setMultiplyPulses(SetContext& context, std::uint32_t pulses, bool reportErrors) {
  const std::uint32_t previous = context.values.trigger.multiplyPulses;
  runSetter(
      context, context.values.trigger.multiplyPulses, pulses, reportErrors,
      [&] { requireInRange("FG_TRIGGER_MULTIPLY_PULSES", pulses); },
      [&] {
        // The selected pulse must never lie beyond the sequence length, so the order depends
        // on whether the sequence grows.
        const parameters::HardwareBinding& hardware = context.hardware;
        if (pulses <= previous) {
          hardware.writeUint32(Hw::Cam0_Generators_Sequence_SelectedPulse, pulses, true);
          hardware.writeUint32(Hw::Cam0_Generators_Sequence_Downscale, pulses, true);
        } else {
          hardware.writeUint32(Hw::Cam0_Generators_Sequence_Downscale, pulses, true);
          hardware.writeUint32(Hw::Cam0_Generators_Sequence_SelectedPulse, pulses, true);
        }
        hardware.writeUint32(Hw::Cam0_Generators_ClearDownscale_Mode, 2, true);
      });
}

void setQueueOnThreshold(SetContext& context, std::uint32_t threshold, bool reportErrors) {
  runSetter(
      context, context.values.trigger.queueFillLevelOnThreshold, threshold, reportErrors,
      [&] { requireInRange("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD", threshold); },
      [&] { context.hardware.writeUint32(Hw::Cam0_Hysteresis_OnLevel_Number, threshold, true); });
}

void setQueueOffThreshold(SetContext& context, std::uint32_t threshold, bool reportErrors) {
  runSetter(
      context, context.values.trigger.queueFillLevelOffThreshold, threshold, reportErrors,
      [&] { requireInRange("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD", threshold); },
      [&] { context.hardware.writeUint32(Hw::Cam0_Hysteresis_OffLevel_Number, threshold, true); });
}

template <std::size_t G>
void setPulseFormDownscale(SetContext& context, std::uint32_t downscale, bool reportErrors) {
  parameters::PulseFormGeneratorValues& generator = context.values.trigger.pulseFormGenerators[G];
  runSetter(
      context, generator.downscale, downscale, reportErrors,
      [&] {
        requireInRange(kPulseForms[G].downscaleRow, downscale);
        require(downscale > generator.downscalePhase);
      },
      [&] {
        require(generatorsFit(context), codes::kTriggerDownscaleCheck);
        context.hardware.writeUint32(kPulseForms[G].downscale, downscale, true);
      },
      {phaseMaximumFromDownscale<G>});
}

template <std::size_t G>
void setPulseFormPhase(SetContext& context, std::uint32_t phase, bool reportErrors) {
  parameters::PulseFormGeneratorValues& generator = context.values.trigger.pulseFormGenerators[G];
  runSetter(
      context, generator.downscalePhase, phase, reportErrors,
      [&] { require(phase < generator.downscale); },
      [&] { context.hardware.writeUint32(kPulseForms[G].selectedPulse, phase + 1, true); },
      {downscaleMinimumFromPhase<G>});
}

template <std::size_t G>
void setPulseFormDelay(SetContext& context, double microseconds, bool reportErrors) {
  runSetter(
      context, context.values.trigger.pulseFormGenerators[G].delay, microseconds, reportErrors,
      [&] { requireInRange(kPulseForms[G].delayRow, microseconds); },
      [&] {
        require(generatorsFit(context, PendingTime{G, false, microseconds}),
                codes::kTriggerTimingCheck);
        // The delay line cannot count zero ticks; one tick is its shortest delay.
        context.hardware.writeUint32(kPulseForms[G].delay, std::max(ticks(microseconds), 1u),
                                     true);
      });
}

template <std::size_t G>
void setPulseFormWidth(SetContext& context, double microseconds, bool reportErrors) {
  runSetter(
      context, context.values.trigger.pulseFormGenerators[G].width, microseconds, reportErrors,
      [&] { requireInRange(kPulseForms[G].widthRow, microseconds); },
      [&] {
        require(generatorsFit(context, PendingTime{G, true, microseconds}),
                codes::kTriggerTimingCheck);
        context.hardware.writeUint32(kPulseForms[G].width, ticks(microseconds), true);
      });
}

#define BRENVIK_PULSE_FORM_SETTERS(G)                                                      \
  template void setPulseFormDownscale<G>(SetContext&, std::uint32_t, bool);                \
  template void setPulseFormPhase<G>(SetContext&, std::uint32_t, bool);                    \
  template void setPulseFormDelay<G>(SetContext&, double, bool);                           \
  template void setPulseFormWidth<G>(SetContext&, double, bool);
BRENVIK_PULSE_FORM_SETTERS(0)
BRENVIK_PULSE_FORM_SETTERS(1)
BRENVIK_PULSE_FORM_SETTERS(2)
BRENVIK_PULSE_FORM_SETTERS(3)
#undef BRENVIK_PULSE_FORM_SETTERS

}  // namespace brenvik::semantics
