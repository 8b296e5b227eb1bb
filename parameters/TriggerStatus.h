// Trigger status that both the get path and the software trigger read from the hardware, and
// the capacity of the trigger queue.
#pragma once

#include <cstdint>

namespace brenvik::parameters {

// The pulses the trigger queue holds: the fill levels' maximum, the most software pulses one
// set may send while the queue is on, and the queue's full value in the hardware.
inline constexpr std::uint32_t kTriggerQueueCapacity = 2040;

class HardwareBinding;
struct CurrentValues;

// 1 while the generator cannot take a software trigger, 0 otherwise; always 0 outside the
// software trigger mode. A failed read raises its code.
std::uint32_t softwareTriggerBusy(const HardwareBinding& hardware, const CurrentValues& values);

}  // namespace brenvik::parameters
