// The software trigger: a number of pulses sent to the generator, accepted only in software
// trigger mode while the trigger is active, and one at a time while the queue is off.
#include <chrono>

#include "parameters/CurrentValues.h"
#include "parameters/Enumerations.h"
#include "parameters/HardwareBinding.h"
#include "parameters/TriggerStatus.h"
#include "semantics/SetterContract.h"
#include "semantics/TriggerSetters.h"

namespace brenvik::semantics {

namespace {

using parameters::enumUnsigned;
using parameters::Hw;

constexpr std::uint32_t kFire = 2;  // the one-shot value of the trigger register
constexpr std::chrono::nanoseconds kPulseSpacing{80};

// Spaces two pulses on the steady clock; the hardware needs no more than that.
void pause() {
  const auto until = std::chrono::steady_clock::now() + kPulseSpacing;
  while (std::chrono::steady_clock::now() < until) {
  }
}

}  // namespace

void sendSoftwareTrigger(SetContext& context, std::uint32_t pulses, bool reportErrors) {
  const parameters::TriggerValues& trigger = context.values.trigger;
  const bool queued = trigger.queueMode == enumUnsigned("FG_ON");
  runSetter(
      context, context.values.trigger.sendSoftwareTrigger, pulses, reportErrors,
      [&] { require(pulses >= 1 && pulses <= (queued ? parameters::kTriggerQueueCapacity : 1u)); },
      [&] {
        require(trigger.areaTriggerMode == enumUnsigned("ATM_SOFTWARE"),
                codes::kSoftwareTriggerMode);
        require(trigger.triggerState == enumUnsigned("TS_ACTIVE"), codes::kSoftwareTriggerState);
        if (!queued) {
          require(parameters::softwareTriggerBusy(context.hardware, context.values) == 0,
                  codes::kSoftwareTriggerBusy);
        }
        for (std::uint32_t pulse = 0; pulse < pulses; ++pulse) {
          context.hardware.writeUint32(Hw::Cam0_TriggerMode_SoftwareTrigger_Mode, kFire, true);
          pause();
        }
      });
}

}  // namespace brenvik::semantics
