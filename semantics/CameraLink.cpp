// Camera Link mode, DVAL use and core reset, the time-out handed to the SDK runtime, and the
// image selector that passes one image out of every period.
#include "semantics/CameraLink.h"

#include "parameters/CurrentValues.h"
#include "parameters/HardwareBinding.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "semantics/ImageGeometry.h"
#include "semantics/SetterContract.h"

namespace brenvik::semantics {

namespace {

using parameters::enumValue;
using parameters::GeometryValues;
using parameters::Hw;
using parameters::sdkId;

// The receiver's full-mode setting for each Camera Link mode.
struct CamTypeMode {
  std::int32_t camType;
  std::uint32_t fullMode;
};

constexpr CamTypeMode kFullModes[] = {
    {enumValue("FG_CL_FULL_8_TAP_8_BIT"), 0},
    {enumValue("FG_CL_FULL_10_TAP_8_BIT"), 1},
    {enumValue("FG_CL_FULL_8_TAP_10_BIT"), 3},
};

std::uint32_t fullModeOf(std::int32_t camType) {
  for (const CamTypeMode& mode : kFullModes) {
    if (mode.camType == camType) return mode.fullMode;
  }
  codes::raise(codes::kValueOutOfRange);
}

// The SDK runtime keeps a time-out parameter of its own under the same id.
constexpr std::int32_t kRuntimeTimeoutId = sdkId("FG_TIMEOUT");

}  // namespace

void setCameraLinkCamType(SetContext& context, std::int32_t camType, bool reportErrors) {
  runSetter(
      context, context.values.geometry.cameraLinkCamType, camType, reportErrors,
      [&] { requireEntry("FG_CAMERA_LINK_CAMTYPE", camType); },
      [&] { context.hardware.writeUint32(Hw::Camera_FullMode, fullModeOf(camType), true); },
      {sensorWidthLimit});
}

void setUseDval(SetContext& context, std::int32_t useDval, bool reportErrors) {
  runSetter(
      context, context.values.geometry.useDval, useDval, reportErrors,
      [&] { requireEntry("FG_USEDVAL", useDval); },
      [&] {
        context.hardware.writeUint32(Hw::Camera_DvalMode, static_cast<std::uint32_t>(useDval),
                                     true);
      });
}

void setCameraLinkCoreReset(SetContext& context, std::uint32_t reset, bool reportErrors) {
  runSetter(
      context, context.values.geometry.cameraLinkCoreReset, reset, reportErrors,
      [&] { requireInRange("FG_CAMERA_LINK_CORE_RESET", reset); },
      [&] { context.hardware.writeUint32(Hw::Camera_CameraLinkCoreReset, reset, true); });
}

void setTimeout(SetContext& context, std::uint32_t timeout, bool reportErrors) {
  runSetter(
      context, context.values.geometry.timeout, timeout, reportErrors,
      [&] { requireInRange("FG_TIMEOUT", timeout); },
      [&] {
        const int result = context.services.setParameter(kRuntimeTimeoutId, &timeout, 0,
                                                               runtime::kTypeUint32);
        if (result != 0) codes::raise(result);
      });
}

void setImageSelectPeriod(SetContext& context, std::uint32_t period, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.imageSelectPeriod, period, reportErrors,
      [&] { requireInRange("FG_IMG_SELECT_PERIOD", period); },
      [&] {
        require(period > geometry.imageSelect);
        context.hardware.writeUint32(Hw::ImageSelector_FG_IMG_SELECT_PERIOD_Divisor, period, true);
      });
}

void setImageSelect(SetContext& context, std::uint32_t selected, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.imageSelect, selected, reportErrors,
      [&] { requireInRange("FG_IMG_SELECT", selected); },
      [&] {
        require(geometry.imageSelectPeriod > selected);
        context.hardware.writeUint32(Hw::ImageSelector_FG_IMG_SELECT_PHASE_Number, selected, true);
      });
}

}  // namespace brenvik::semantics
