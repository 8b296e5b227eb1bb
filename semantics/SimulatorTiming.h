// The camera simulator's register arithmetic: 8-pixel rounding of sizes and the conversion of
// the three timing modes into pixel-sequence registers on the 125 MHz base clock.
#pragma once

#include <cstdint>

#include "parameters/SimulatorRates.h"
#include "semantics/Conversion.h"

namespace brenvik::semantics::simulator_timing {

using parameters::simulator::kPixelsPerTick;
using parameters::simulator::kSequenceTicks;
using parameters::simulator::kTickSeconds;

// A width or gap rounded up to whole ticks; wide, so that no value wraps.
constexpr std::uint64_t roundedToTicks(std::uint64_t pixels) {
  return (pixels + kPixelsPerTick - 1) / kPixelsPerTick * kPixelsPerTick;
}

// Active pixels of a 2000-tick sequence for a pixel frequency in MHz: f × 1e6 × 2000 ticks ×
// 8 ns / 8 pixels is f × 2, rounded; computed as f × 2 so that halves round exactly.
constexpr std::uint32_t activePixels(double megahertz) {
  return conversion::roundedHalfUp<std::uint32_t>(megahertz * 2);
}

// Ticks per line for a line rate in lines per second, rounded. The setters' limits keep the
// count within 32 bits; a line that did not fit would be held at the longest the register
// counts.
constexpr std::uint32_t lineTicks(double linesPerSecond) {
  return conversion::roundedHalfUp<std::uint32_t>(1 / (linesPerSecond * kTickSeconds));
}

// Ticks per line for a frame rate in frames per second with `height` lines, rounded and held
// likewise (a height of 0, which no set leaves behind, would give the longest line).
constexpr std::uint32_t lineTicksForFrameRate(double framesPerSecond, std::uint32_t height) {
  return conversion::roundedHalfUp<std::uint32_t>(1 / (framesPerSecond * kTickSeconds) / height);
}

}  // namespace brenvik::semantics::simulator_timing
