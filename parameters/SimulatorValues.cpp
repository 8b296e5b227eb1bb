// Computed values of the camera simulator: its gaps and speeds for the stored select mode,
// and the active and passive parts of its pixel clock.
#include "parameters/Enumerations.h"
#include "parameters/Getters.h"
#include "parameters/HardwareBinding.h"
#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"

namespace brenvik::parameters::getters {

namespace {

constexpr double kTickSeconds = 8e-9;  // one tick of the hardware applet's 125 MHz clock
constexpr std::uint32_t kSimulatorSequence = 2000;            // active plus passive pixels
constexpr double kLargestPixelFrequency = 999.9999999999999;  // MHz; the largest double below 1000

constexpr std::uint32_t kPixelFrequencyMode = enumUnsigned("FG_PIXEL_FREQUENCY");
constexpr std::uint32_t kLineRateMode = enumUnsigned("FG_LINERATE");
constexpr std::uint32_t kFrameRateMode = enumUnsigned("FG_FRAMERATE");

// The stored rounded line gap counts only in pixel-frequency mode, the frame gap in every
// mode but frame-rate mode.
std::uint32_t countedLineGap(const SimulatorValues& simulator) {
  return simulator.selectMode == kPixelFrequencyMode ? simulator.effectiveLineGap : 0;
}
std::uint32_t countedFrameGap(const SimulatorValues& simulator) {
  return simulator.selectMode == kFrameRateMode ? 0 : simulator.effectiveFrameGap;
}

double pixelFrequency(GetContext& context) {
  if (context.values.simulator.selectMode != kPixelFrequencyMode) return kLargestPixelFrequency;
  const double active =
      context.hardware.readUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number);
  return active * 8 / kSimulatorSequence / kTickSeconds / 1e6;
}

double sequenceLength(GetContext& context) {
  return context.hardware.readUint32(Hw::CameraSimulator_PixelFrequency_SequenceLength_ImageWidth);
}

double lineRate(GetContext& context) {
  const SimulatorValues& simulator = context.values.simulator;
  const double width = simulator.effectiveWidth;
  switch (simulator.selectMode) {
    case kPixelFrequencyMode:
      return pixelFrequency(context) * 1e6 / (width + countedLineGap(simulator));
    case kLineRateMode:
      return 1 / (sequenceLength(context) * kTickSeconds);
    case kFrameRateMode:
      return 8 / (width * kTickSeconds);
    default:
      codes::raise(codes::kNoDescription);
  }
}

double frameRate(GetContext& context) {
  const SimulatorValues& simulator = context.values.simulator;
  const double lines = static_cast<double>(simulator.height) + countedFrameGap(simulator);
  switch (simulator.selectMode) {
    case kPixelFrequencyMode:
      return pixelFrequency(context) * 1e6 /
             ((static_cast<double>(simulator.effectiveWidth) + countedLineGap(simulator)) * lines);
    case kLineRateMode:
      return lineRate(context) / lines;
    case kFrameRateMode:
      return 1 / (sequenceLength(context) * simulator.height * kTickSeconds);
    default:
      codes::raise(codes::kNoDescription);
  }
}

}  // namespace

void simulatorLineGap(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, countedLineGap(context.values.simulator));
}

void simulatorFrameGap(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, countedFrameGap(context.values.simulator));
}

void simulatorPixelFrequency(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, pixelFrequency(context));
}

void simulatorLineRate(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, lineRate(context));
}

void simulatorFrameRate(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, frameRate(context));
}

// Active and passive pixels exist only in pixel-frequency mode; other modes write nothing.
void simulatorActive(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.simulator.selectMode != kPixelFrequencyMode) return;
  put(request.value,
      context.hardware.readUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number));
}

void simulatorPassive(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.simulator.selectMode != kPixelFrequencyMode) return;
  put(request.value,
      kSimulatorSequence -
          context.hardware.readUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number));
}

}  // namespace brenvik::parameters::getters
