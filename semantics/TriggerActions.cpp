// The trigger actions: the hardware write sequences that stop, release, reset and run the
// generators.
#include "semantics/TriggerActions.h"

#include "parameters/HardwareBinding.h"

namespace brenvik::semantics::trigger {

namespace {

using parameters::Hw;

// Values of the clear and switch registers.
constexpr std::uint32_t kClearHeld = 1;
constexpr std::uint32_t kClearReleased = 0;
constexpr std::uint32_t kPulse = 2;  // a one-shot pulse of a clear or reset register

void write(SetContext& context, Hw slot, std::uint32_t value) {
  context.hardware.writeUint32(slot, value, true);
}

void missingFrameReset(SetContext& context) {
  write(context, Hw::Monitoring_CheckForMissingFrame_Cam0_ResetMissing_Mode, kPulse);
  write(context, Hw::Cam0_PulseFormGenerators_Clear_Mode, kPulse);
}

// Restarts the generator path with the queue enabled (from an external or software source)
// or disabled (the generator itself), rewriting the rate in between.
void restartGenerator(SetContext& context, std::uint32_t enableQueue) {
  write(context, Hw::Cam0_Generators_ClearQueuePulse_Mode, kClearHeld);
  write(context, Hw::Cam0_Generators_EnableQueue_Select, enableQueue);
  rewriteFrameRate(context);
  write(context, Hw::Cam0_PulseFormGenerators_Enable_Select, 1);
  write(context, Hw::Cam0_Generators_ClearQueuePulse_Mode, kClearReleased);
}

}  // namespace

void run(SetContext& context, Action action) {
  switch (action) {
    case Action::kNone:
      return;
    case Action::kStopGenerators:
      write(context, Hw::Cam0_PulseFormGenerators_Clear_Mode, kClearHeld);
      return;
    case Action::kReleaseGenerators:
      write(context, Hw::Cam0_PulseFormGenerators_Clear_Mode, kClearReleased);
      return;
    case Action::kSelectExternalOff:
      write(context, Hw::Cam0_TriggerMode_SelectExternal_Select, 0);
      return;
    case Action::kSelectExternalOn:
      write(context, Hw::Cam0_TriggerMode_SelectExternal_Select, 1);
      return;
    case Action::kMissingFrameReset:
      missingFrameReset(context);
      return;
    case Action::kGeneratorRunOn:
      restartGenerator(context, 0);
      return;
    case Action::kGeneratorRunOff:
      write(context, Hw::Cam0_Generators_ClearQueuePulse_Mode, kClearHeld);
      return;
    case Action::kFullTriggerReset:
      write(context, Hw::Cam0_Downscale_Clear_Mode, kPulse);
      restartGenerator(context, 1);
      write(context, Hw::Cam0_Generators_ClearDownscale_Mode, kPulse);
      missingFrameReset(context);
      return;
  }
}

}  // namespace brenvik::semantics::trigger
