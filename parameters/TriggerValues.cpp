// Computed values of the trigger system: the queue's fill levels, the software trigger's
// busy flag and the monitors read from the queue status.
#include "parameters/Enumerations.h"
#include "parameters/Getters.h"
#include "parameters/HardwareBinding.h"
#include "parameters/TriggerStatus.h"
#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"

namespace brenvik::parameters::getters {

namespace {

// Area trigger modes and trigger states that the values depend on.
constexpr std::uint32_t kGeneratorMode = enumUnsigned("ATM_GENERATOR");
constexpr std::uint32_t kUnqueuedMode = 3;  // outside the enumeration; it reads no queue either
constexpr std::uint32_t kSoftwareMode = enumUnsigned("ATM_SOFTWARE");
constexpr std::uint32_t kAsyncStop = enumUnsigned("TS_ASYNC_STOP");

// Queue status bits.
constexpr std::uint32_t kExceededPeriodLimitsBit = 1u << 0;
constexpr std::uint32_t kQueueFullBit = 1u << 1;
constexpr std::uint32_t kMissingFrameBit = 1u << 2;

std::uint32_t queueStatus(GetContext& context) {
  return context.hardware.readUint32(Hw::Monitoring_ReadQueueStatus_Status);
}

std::uint32_t readTriggerQueueFillLevel(GetContext& context) {
  const TriggerValues& trigger = context.values.trigger;
  if (trigger.areaTriggerMode == kGeneratorMode || trigger.areaTriggerMode == kUnqueuedMode ||
      trigger.triggerState == kAsyncStop) {
    return 0;
  }
  if ((queueStatus(context) & kQueueFullBit) != 0) return kTriggerQueueCapacity;
  const std::uint32_t queued = context.hardware.readUint32(Hw::Cam0_Generators_QueueValue_Status);
  if (queued != 0) return queued;
  return context.hardware.readUint32(Hw::Cam0_Generators_Generator_MaximumReached_Status) != 0 ? 0
                                                                                               : 1;
}

}  // namespace

}  // namespace brenvik::parameters::getters

namespace brenvik::parameters {

std::uint32_t softwareTriggerBusy(const HardwareBinding& hardware, const CurrentValues& values) {
  if (values.trigger.areaTriggerMode != getters::kSoftwareMode) return 0;
  const std::uint32_t maximumReached =
      hardware.readUint32(Hw::Cam0_Generators_Generator_MaximumReached_Status);
  const std::uint32_t queued = hardware.readUint32(Hw::Cam0_Generators_QueueValue_Status);
  return maximumReached != 0 && queued == 0 ? 0u : 1u;
}

}  // namespace brenvik::parameters

namespace brenvik::parameters::getters {

void exceededPeriodLimits(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.trigger.areaTriggerMode == kGeneratorMode) {
    put(request.value, 0u);
    return;
  }
  put(request.value, (queueStatus(context) & kExceededPeriodLimitsBit) != 0 ? 1u : 0u);
}

void softwareTriggerIsBusy(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, softwareTriggerBusy(context.hardware, context.values));
}

void softwareTriggerQueueFillLevel(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.trigger.areaTriggerMode != kSoftwareMode) {
    put(request.value, 0u);
    return;
  }
  put(request.value, readTriggerQueueFillLevel(context) * context.values.trigger.multiplyPulses);
}

void triggerQueueFillLevel(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, readTriggerQueueFillLevel(context));
}

void missingCameraFrameResponse(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, (queueStatus(context) & kMissingFrameBit) != 0 ? 1u : 0u);
}

}  // namespace brenvik::parameters::getters
