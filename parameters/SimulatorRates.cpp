// The camera simulator's speeds in each select mode.
#include "parameters/SimulatorRates.h"

#include "parameters/HardwareBinding.h"
#include "runtime/ResultCodes.h"

namespace brenvik::parameters::simulator {

namespace {

double sequenceLength(const HardwareBinding& hardware) {
  return hardware.readUint32(Hw::CameraSimulator_PixelFrequency_SequenceLength_ImageWidth);
}

double pixelFrequencyInItsMode(const HardwareBinding& hardware) {
  const double active = hardware.readUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number);
  // A of 2000 ticks carry 8 pixels each, at 125 ticks per microsecond: A × 8 × 125 / 2000
  // MHz, multiplied out first so that the result is exactly A / 2.
  return active * kPixelsPerTick * kClockMegahertz / kSequenceTicks;
}

}  // namespace

std::uint32_t countedLineGap(const SimulatorValues& simulator, std::uint32_t mode) {
  return mode == kPixelFrequencyMode ? simulator.effectiveLineGap : 0;
}

std::uint32_t countedFrameGap(const SimulatorValues& simulator, std::uint32_t mode) {
  return mode == kFrameRateMode ? 0 : simulator.effectiveFrameGap;
}

double pixelFrequency(const HardwareBinding& hardware, const SimulatorValues& simulator) {
  if (simulator.selectMode != kPixelFrequencyMode) return kLargestPixelFrequency;
  return pixelFrequencyInItsMode(hardware);
}

double lineRate(const HardwareBinding& hardware, const SimulatorValues& simulator,
                std::uint32_t mode) {
  const double width = simulator.effectiveWidth;
  switch (mode) {
    case kPixelFrequencyMode:
      return pixelFrequencyInItsMode(hardware) * 1e6 / (width + countedLineGap(simulator, mode));
    case kLineRateMode:
      return 1 / (sequenceLength(hardware) * kTickSeconds);
    case kFrameRateMode:
      return 8 / (width * kTickSeconds);
    default:
      codes::raise(codes::kNoDescription);
  }
}

double frameRate(const HardwareBinding& hardware, const SimulatorValues& simulator,
                 std::uint32_t mode) {
  // The stored height; the derived height H equals it after every accepted set.
  const double height = simulator.height;
  const double lines = height + countedFrameGap(simulator, mode);
  switch (mode) {
    case kPixelFrequencyMode:
      return pixelFrequencyInItsMode(hardware) * 1e6 /
             ((static_cast<double>(simulator.effectiveWidth) + countedLineGap(simulator, mode)) *
              lines);
    case kLineRateMode:
      return lineRate(hardware, simulator, mode) / lines;
    case kFrameRateMode:
      return 1 / (sequenceLength(hardware) * height * kTickSeconds);
    default:
      codes::raise(codes::kNoDescription);
  }
}

}  // namespace brenvik::parameters::simulator
