// Trigger status that both the get path and the software trigger read from the hardware.
#pragma once

#include <cstdint>

namespace brenvik::parameters {

class HardwareBinding;
struct CurrentValues;

// 1 while the generator cannot take a software trigger, 0 otherwise; always 0 outside the
// software trigger mode. A failed read raises its code.
std::uint32_t softwareTriggerBusy(const HardwareBinding& hardware, const CurrentValues& values);

}  // namespace brenvik::parameters
