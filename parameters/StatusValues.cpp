// Computed values of the camera and buffer status, the board monitors, and the time and
// frequency conversions of hardware tick counts.
#include <cstring>

#include "parameters/Enumerations.h"
#include "parameters/Getters.h"
#include "parameters/HardwareBinding.h"
#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"

namespace brenvik::parameters::getters {

namespace {

constexpr std::uint32_t kOverflowFillLevel = 100;

std::uint32_t readFillLevel(GetContext& context) {
  if (context.hardware.readUint32(Hw::Overflow_OverflowOccurred) == 1) return kOverflowFillLevel;
  return context.hardware.readUint32(Hw::Dram_FillLevel);
}

std::uint32_t readCameraStatusExtended(GetContext& context) {
  const std::uint32_t fill = readFillLevel(context);
  const std::uint32_t overflow = context.hardware.readUint32(Hw::Overflow_OverflowOccurred);
  std::uint64_t status = 0;
  constexpr std::int32_t kRuntimeCameraStatus = sdkId("FG_CAMSTATUS_EXTENDED");
  if (const int result =
          context.services.getParameter(kRuntimeCameraStatus, &status, 0, runtime::kTypeUint32);
      result != 0) {
    codes::raise(result);
  }
  // The simulator always delivers a pixel clock.
  if (context.values.simulator.enable == enumValue("FG_CAMERASIMULATOR")) status |= 1u;
  const std::uint32_t level = fill < 25 ? 0 : fill < 50 ? 1 : fill < 75 ? 2 : 3;
  return (static_cast<std::uint32_t>(status) & ~0xE0u) | (overflow * 32u) | (level << 6);
}

}  // namespace

void microsecondsFromTicks(const Getter& getter, GetContext& context, const GetRequest& request) {
  const double ticks = context.hardware.readUint32(getter.slot);
  put(request.value, ticks * getter.number / 1000);
}

void frequencyFromPeriod(const Getter& getter, GetContext& context, const GetRequest& request) {
  // A period of 0 gives an infinite frequency, not an error.
  const double period = context.hardware.readUint32(getter.slot);
  put(request.value, 1 / (period * 8 * 1e-9));
}

void cameraStatus(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, readCameraStatusExtended(context) & 1u);
}

void cameraStatusExtended(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, readCameraStatusExtended(context));
}

void fillLevel(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, readFillLevel(context));
}

// The register says whether the grabber uses the standard detection; the parameter says the
// opposite.
void alternativeBoardDetection(const Getter&, GetContext& context, const GetRequest& request) {
  const std::uint32_t standard =
      context.hardware.readUint32(Hw::BoardStatus_AlternativeBoardDetection);
  if (standard > 1) codes::raise(codes::kRuntimeMissing);
  put(request.value, 1u - standard);
}

}  // namespace brenvik::parameters::getters
