// The camera simulator's speeds, worked out from its derived state and its pixel-sequence
// registers. The get path reports them; the setters check and limit with the same numbers.
#pragma once

#include <cstdint>

#include "parameters/CurrentValues.h"
#include "parameters/Enumerations.h"

namespace brenvik::parameters {

class HardwareBinding;

namespace simulator {

inline constexpr double kTickSeconds = 8e-9;    // one tick of the 125 MHz base clock
inline constexpr double kClockMegahertz = 125;  // ticks per microsecond
inline constexpr std::uint32_t kPixelsPerTick = 8;
inline constexpr std::uint32_t kSequenceTicks = 2000;                // active plus passive pixels
inline constexpr double kLargestPixelFrequency = 999.9999999999999;  // MHz, below 1000

inline constexpr std::uint32_t kPixelFrequencyMode = enumUnsigned("FG_PIXEL_FREQUENCY");
inline constexpr std::uint32_t kLineRateMode = enumUnsigned("FG_LINERATE");
inline constexpr std::uint32_t kFrameRateMode = enumUnsigned("FG_FRAMERATE");

// The gaps that count in a select mode: the line gap only with a pixel frequency, the frame
// gap in every mode but the frame rate.
std::uint32_t countedLineGap(const SimulatorValues& simulator, std::uint32_t mode);
std::uint32_t countedFrameGap(const SimulatorValues& simulator, std::uint32_t mode);

// MHz: the active-pixel register read back in pixel-frequency mode (A / 2); the largest value below
// 1000 in the other modes.
double pixelFrequency(const HardwareBinding& hardware, const SimulatorValues& simulator);

// Lines and frames per second in `mode`. The registers are read when the mode needs them
// (a failed read raises its code); a mode outside the three raises -2075. A zero divisor
// gives an infinite rate.
double lineRate(const HardwareBinding& hardware, const SimulatorValues& simulator,
                std::uint32_t mode);
double frameRate(const HardwareBinding& hardware, const SimulatorValues& simulator,
                 std::uint32_t mode);

}  // namespace simulator
}  // namespace brenvik::parameters
