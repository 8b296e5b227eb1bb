// Computed values of the camera simulator: its gaps and speeds for the stored select mode,
// and the active and passive parts of its pixel clock.
#include "parameters/Getters.h"
#include "parameters/HardwareBinding.h"
#include "parameters/SimulatorRates.h"

namespace brenvik::parameters::getters {

namespace {

using namespace simulator;

std::uint32_t activePixels(GetContext& context) {
  return context.hardware.readUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number);
}

}  // namespace

void simulatorLineGap(const Getter&, GetContext& context, const GetRequest& request) {
  const SimulatorValues& simulator = context.values.simulator;
  put(request.value, countedLineGap(simulator, simulator.selectMode));
}

void simulatorFrameGap(const Getter&, GetContext& context, const GetRequest& request) {
  const SimulatorValues& simulator = context.values.simulator;
  put(request.value, countedFrameGap(simulator, simulator.selectMode));
}

void simulatorPixelFrequency(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, pixelFrequency(context.hardware, context.values.simulator));
}

void simulatorLineRate(const Getter&, GetContext& context, const GetRequest& request) {
  const SimulatorValues& simulator = context.values.simulator;
  put(request.value, lineRate(context.hardware, simulator, simulator.selectMode));
}

void simulatorFrameRate(const Getter&, GetContext& context, const GetRequest& request) {
  const SimulatorValues& simulator = context.values.simulator;
  put(request.value, frameRate(context.hardware, simulator, simulator.selectMode));
}

// Active and passive pixels exist only in pixel-frequency mode; other modes write nothing.
void simulatorActive(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.simulator.selectMode != kPixelFrequencyMode) return;
  put(request.value, activePixels(context));
}

void simulatorPassive(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.simulator.selectMode != kPixelFrequencyMode) return;
  put(request.value, kSequenceTicks - activePixels(context));
}

}  // namespace brenvik::parameters::getters
