// The setters of the trigger system, one per writable parameter; the generator-numbered and
// output-numbered ones take their number as a template argument.
#pragma once

#include <cstddef>
#include <cstdint>

#include "semantics/SetContext.h"

namespace brenvik::semantics {

// Timing: frame rate, debounce, input downscale, pulse multiplication, queue thresholds.
void setFramesPerSecond(SetContext& context, double rate, bool reportErrors);
void setInputDebounce(SetContext& context, double microseconds, bool reportErrors);
void setInputDownscale(SetContext& context, std::uint32_t downscale, bool reportErrors);
void setInputDownscalePhase(SetContext& context, std::uint32_t phase, bool reportErrors);
void setMultiplyPulses(SetContext& context, std::uint32_t pulses, bool reportErrors);
void setQueueOnThreshold(SetContext& context, std::uint32_t threshold, bool reportErrors);
void setQueueOffThreshold(SetContext& context, std::uint32_t threshold, bool reportErrors);

// The four pulse form generators.
template <std::size_t Generator>
void setPulseFormDownscale(SetContext& context, std::uint32_t downscale, bool reportErrors);
template <std::size_t Generator>
void setPulseFormPhase(SetContext& context, std::uint32_t phase, bool reportErrors);
template <std::size_t Generator>
void setPulseFormDelay(SetContext& context, double microseconds, bool reportErrors);
template <std::size_t Generator>
void setPulseFormWidth(SetContext& context, double microseconds, bool reportErrors);

// Mode, state and queue.
void setAreaTriggerMode(SetContext& context, std::uint32_t mode, bool reportErrors);
void setTriggerState(SetContext& context, std::uint32_t state, bool reportErrors);
void setQueueMode(SetContext& context, std::uint32_t mode, bool reportErrors);

// Input selection and statistics selectors.
void setInputSource(SetContext& context, std::uint32_t source, bool reportErrors);
void setInputPolarity(SetContext& context, std::uint32_t polarity, bool reportErrors);
void setInputStatisticsSource(SetContext& context, std::uint32_t source, bool reportErrors);
void setInputStatisticsPolarity(SetContext& context, std::uint32_t polarity, bool reportErrors);
void setOutputStatisticsSource(SetContext& context, std::uint32_t generator, bool reportErrors);
void setOutputEventSelect(SetContext& context, std::uint32_t generator, bool reportErrors);

// Outputs: camera-control lines, general-purpose and front general-purpose outputs.
template <std::size_t Line>
void setCameraControlSelect(SetContext& context, std::uint32_t source, bool reportErrors);
template <std::size_t Output>
void setGpoSelect(SetContext& context, std::uint32_t source, bool reportErrors);
template <std::size_t Output>
void setFrontGpoSelect(SetContext& context, std::uint32_t source, bool reportErrors);

// One-shot clears that accept only FG_APPLY.
void clearInputPulseCount(SetContext& context, std::uint32_t apply, bool reportErrors);
void clearInputMinMaxFrequency(SetContext& context, std::uint32_t apply, bool reportErrors);
void clearOutputPulseCount(SetContext& context, std::uint32_t apply, bool reportErrors);
void clearExceededPeriodLimits(SetContext& context, std::uint32_t apply, bool reportErrors);
void clearMissingFrameResponse(SetContext& context, std::uint32_t apply, bool reportErrors);

// The software trigger.
void sendSoftwareTrigger(SetContext& context, std::uint32_t pulses, bool reportErrors);

}  // namespace brenvik::semantics
