// The area trigger mode and trigger state machine, driven by its two transition tables; the
// access flags that follow each transition; the pulse queue; the creation-time preparation.
#include <array>

#include "parameters/CurrentValues.h"
#include "parameters/Enumerations.h"
#include "parameters/HardwareBinding.h"
#include "parameters/SdkParameterTable.h"
#include "parameters/TriggerStatus.h"
#include "runtime/ParameterRecord.h"
#include "semantics/SetterContract.h"
#include "semantics/Trigger.h"
#include "semantics/TriggerActions.h"
#include "semantics/TriggerSetters.h"
#include "semantics/TriggerTransitions.h"

namespace brenvik::semantics {

namespace {

using parameters::enumUnsigned;
using parameters::Hw;
using parameters::sdkId;
using trigger::Action;

using trigger::symbols::kExternal;
using trigger::symbols::kGenerator;
constexpr std::uint32_t kQueueOn = enumUnsigned("FG_ON");
using parameters::kTriggerQueueCapacity;
constexpr std::uint32_t kUnqueuedMinimumPeriod = 10;

// The parameters that every transition makes readable and writable again.
constexpr std::int32_t kAccessFollowsTransition[] = {
    sdkId("FG_AREATRIGGERMODE"),
    sdkId("FG_TRIGGERSTATE"),
    sdkId("FG_TRIGGER_FRAMESPERSECOND"),
    sdkId("FG_TRIGGER_EXCEEDED_PERIOD_LIMITS_CLEAR"),
    sdkId("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD"),
    sdkId("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD"),
    sdkId("FG_TRIGGER_OUTPUT_EVENT_SELECT"),
    sdkId("FG_TRIGGERIN_DEBOUNCE"),
    sdkId("FG_TRIGGERIN_SRC"),
    sdkId("FG_TRIGGERIN_POLARITY"),
    sdkId("FG_SENDSOFTWARETRIGGER"),
    sdkId("FG_TRIGGERIN_DOWNSCALE"),
    sdkId("FG_TRIGGERIN_DOWNSCALE_PHASE"),
    sdkId("FG_TRIGGER_MULTIPLY_PULSES"),
    sdkId("FG_TRIGGERQUEUE_MODE"),
    sdkId("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE"),
    sdkId("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE"),
    sdkId("FG_TRIGGER_PULSEFORMGEN0_DELAY"),
    sdkId("FG_TRIGGER_PULSEFORMGEN0_WIDTH"),
    sdkId("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE"),
    sdkId("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE"),
    sdkId("FG_TRIGGER_PULSEFORMGEN1_DELAY"),
    sdkId("FG_TRIGGER_PULSEFORMGEN1_WIDTH"),
    sdkId("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE"),
    sdkId("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE"),
    sdkId("FG_TRIGGER_PULSEFORMGEN2_DELAY"),
    sdkId("FG_TRIGGER_PULSEFORMGEN2_WIDTH"),
    sdkId("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE"),
    sdkId("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE"),
    sdkId("FG_TRIGGER_PULSEFORMGEN3_DELAY"),
    sdkId("FG_TRIGGER_PULSEFORMGEN3_WIDTH"),
    sdkId("FG_MISSING_CAMERA_FRAME_RESPONSE_CLEAR"),
};

void followAccess(SetContext& context, std::uint32_t mode) {
  for (const std::int32_t id : kAccessFollowsTransition) {
    setDescriptionAccess(context, id, runtime::kAccessReadWrite);
  }
  // An external trigger leaves no room for software pulses.
  if (mode == kExternal) {
    setDescriptionAccess(context, sdkId("FG_SENDSOFTWARETRIGGER"), runtime::kAccessReadOnly);
  }
}

// Runs the listed transition's actions, then lets the access flags follow the new mode.
void transition(SetContext& context, const trigger::Transition* row, std::uint32_t mode) {
  if (row != nullptr) {
    for (const Action action : row->actions) trigger::run(context, action);
  }
  followAccess(context, mode);
}

void softwareTriggerLimit(SetContext& context) {
  setDescriptionMaximum(context, sdkId("FG_SENDSOFTWARETRIGGER"),
                        static_cast<std::int32_t>(
                            context.values.trigger.queueMode == kQueueOn ? kTriggerQueueCapacity : 1));
}

}  // namespace

void setAreaTriggerMode(SetContext& context, std::uint32_t mode, bool reportErrors) {
  parameters::TriggerValues& values = context.values.trigger;
  const std::uint32_t previous = values.areaTriggerMode;
  runSetter(
      context, values.areaTriggerMode, mode, reportErrors,
      [&] { requireEntry("FG_AREATRIGGERMODE", mode); },
      [&] {
        transition(context, trigger::modeTransition(values.triggerState, previous, mode), mode);
      });
}

void setTriggerState(SetContext& context, std::uint32_t state, bool reportErrors) {
  parameters::TriggerValues& values = context.values.trigger;
  const std::uint32_t previous = values.triggerState;
  runSetter(
      context, values.triggerState, state, reportErrors,
      [&] { requireEntry("FG_TRIGGERSTATE", state); },
      [&] {
        transition(context, trigger::stateTransition(values.areaTriggerMode, previous, state),
                   values.areaTriggerMode);
      });
}

void setQueueMode(SetContext& context, std::uint32_t queue, bool reportErrors) {
  parameters::TriggerValues& values = context.values.trigger;
  runSetter(
      context, values.queueMode, queue, reportErrors,
      [&] { requireEntry("FG_TRIGGERQUEUE_MODE", queue); },
      [&] {
        // The generator runs without the queue; its own rate is what counts there.
        if (values.areaTriggerMode == kGenerator) return;
        const parameters::HardwareBinding& hardware = context.hardware;
        if (queue == kQueueOn) {
          trigger::rewriteFrameRate(context);
          hardware.writeUint32(Hw::Cam0_Generators_Queue_QueueFullValue_Number, kTriggerQueueCapacity,
                               true);
          hardware.writeUint32(Hw::Cam0_Generators_Queue_QueueEnabled_Select, 1, true);
        } else {
          hardware.writeUint32(Hw::Cam0_Generators_Generator_MinimumPeriod_Number,
                               kUnqueuedMinimumPeriod, true);
          hardware.writeUint32(Hw::Cam0_Generators_Queue_QueueFullValue_Number, 1, true);
          hardware.writeUint32(Hw::Cam0_Generators_Queue_QueueEnabled_Select, 0, true);
        }
      },
      {softwareTriggerLimit});
}

bool prepareTrigger(SetContext& context) {
  try {
    for (const Action action : trigger::kCreationActions) trigger::run(context, action);
  } catch (const codes::RaisedCode&) {
    return false;
  }
  return true;
}

}  // namespace brenvik::semantics
