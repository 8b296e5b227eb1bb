// The trigger system: generator, inputs, queue, pulse form generators, outputs, statistics and the
// software trigger.
#pragma once

#include <array>

#include "semantics/SetContext.h"
#include "semantics/TriggerSetters.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

// The family's writable parameters.
inline constexpr std::array kTriggerParameters{
    writable<&setAreaTriggerMode>("FG_AREATRIGGERMODE"),
    writable<&setTriggerState>("FG_TRIGGERSTATE"),
    writable<&setFramesPerSecond>("FG_TRIGGER_FRAMESPERSECOND"),
    writable<&clearExceededPeriodLimits>("FG_TRIGGER_EXCEEDED_PERIOD_LIMITS_CLEAR"),
    writable<&setInputDebounce>("FG_TRIGGERIN_DEBOUNCE"),
    writable<&setInputSource>("FG_TRIGGERIN_SRC"),
    writable<&setInputPolarity>("FG_TRIGGERIN_POLARITY"),
    writable<&setInputDownscale>("FG_TRIGGERIN_DOWNSCALE"),
    writable<&setInputDownscalePhase>("FG_TRIGGERIN_DOWNSCALE_PHASE"),
    writable<&setInputStatisticsSource>("FG_TRIGGERIN_STATS_SOURCE"),
    writable<&setInputStatisticsPolarity>("FG_TRIGGERIN_STATS_POLARITY"),
    writable<&clearInputPulseCount>("FG_TRIGGERIN_STATS_PULSECOUNT_CLEAR"),
    writable<&clearInputMinMaxFrequency>("FG_TRIGGERIN_STATS_MINMAXFREQUENCY_CLEAR"),
    writable<&setMultiplyPulses>("FG_TRIGGER_MULTIPLY_PULSES"),
    writable<&setQueueMode>("FG_TRIGGERQUEUE_MODE"),
    writable<&setQueueOnThreshold>("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD"),
    writable<&setQueueOffThreshold>("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD"),
    writable<&sendSoftwareTrigger>("FG_SENDSOFTWARETRIGGER"),
    writable<&setPulseFormDownscale<0>>("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE"),
    writable<&setPulseFormPhase<0>>("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE"),
    writable<&setPulseFormDelay<0>>("FG_TRIGGER_PULSEFORMGEN0_DELAY"),
    writable<&setPulseFormWidth<0>>("FG_TRIGGER_PULSEFORMGEN0_WIDTH"),
    writable<&setPulseFormDownscale<1>>("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE"),
    writable<&setPulseFormPhase<1>>("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE"),
    writable<&setPulseFormDelay<1>>("FG_TRIGGER_PULSEFORMGEN1_DELAY"),
    writable<&setPulseFormWidth<1>>("FG_TRIGGER_PULSEFORMGEN1_WIDTH"),
    writable<&setPulseFormDownscale<2>>("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE"),
    writable<&setPulseFormPhase<2>>("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE"),
    writable<&setPulseFormDelay<2>>("FG_TRIGGER_PULSEFORMGEN2_DELAY"),
    writable<&setPulseFormWidth<2>>("FG_TRIGGER_PULSEFORMGEN2_WIDTH"),
    writable<&setPulseFormDownscale<3>>("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE"),
    writable<&setPulseFormPhase<3>>("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE"),
    writable<&setPulseFormDelay<3>>("FG_TRIGGER_PULSEFORMGEN3_DELAY"),
    writable<&setPulseFormWidth<3>>("FG_TRIGGER_PULSEFORMGEN3_WIDTH"),
    writable<&setCameraControlSelect<0>>("FG_TRIGGERCC_SELECT0"),
    writable<&setCameraControlSelect<1>>("FG_TRIGGERCC_SELECT1"),
    writable<&setCameraControlSelect<2>>("FG_TRIGGERCC_SELECT2"),
    writable<&setCameraControlSelect<3>>("FG_TRIGGERCC_SELECT3"),
    writable<&setGpoSelect<0>>("FG_TRIGGEROUT_SELECT_GPO_0"),
    writable<&setGpoSelect<1>>("FG_TRIGGEROUT_SELECT_GPO_1"),
    writable<&setGpoSelect<2>>("FG_TRIGGEROUT_SELECT_GPO_2"),
    writable<&setGpoSelect<3>>("FG_TRIGGEROUT_SELECT_GPO_3"),
    writable<&setGpoSelect<4>>("FG_TRIGGEROUT_SELECT_GPO_4"),
    writable<&setGpoSelect<5>>("FG_TRIGGEROUT_SELECT_GPO_5"),
    writable<&setGpoSelect<6>>("FG_TRIGGEROUT_SELECT_GPO_6"),
    writable<&setGpoSelect<7>>("FG_TRIGGEROUT_SELECT_GPO_7"),
    writable<&setFrontGpoSelect<0>>("FG_TRIGGEROUT_SELECT_FRONT_GPO_0"),
    writable<&setFrontGpoSelect<1>>("FG_TRIGGEROUT_SELECT_FRONT_GPO_1"),
    writable<&setOutputStatisticsSource>("FG_TRIGGEROUT_STATS_SOURCE"),
    writable<&clearOutputPulseCount>("FG_TRIGGEROUT_STATS_PULSECOUNT_CLEAR"),
    writable<&setOutputEventSelect>("FG_TRIGGER_OUTPUT_EVENT_SELECT"),
    writable<&clearMissingFrameResponse>("FG_MISSING_CAMERA_FRAME_RESPONSE_CLEAR"),
};

// The creation-time preparation: puts the generators into their creation state. False ends the
// preparation of the remaining families (creation goes on).
bool prepareTrigger(SetContext& context);

}  // namespace brenvik::semantics
