// The order of the default pass as data, and the pass itself. The values are those the
// applet object starts from, so the hardware ends up matching the stored state.
#include "semantics/DefaultPass.h"

#include <array>
#include <string>
#include <string_view>
#include <type_traits>

#include "parameters/CurrentValues.h"
#include "parameters/SdkParameterTable.h"

namespace brenvik::semantics {

namespace {

using parameters::CurrentValues;
using V = const CurrentValues&;

template <typename Access>
using InitialType = std::remove_cvref_t<std::invoke_result_t<Access, const CurrentValues&>>;

template <typename Access>
const void* initialValue(const CurrentValues& values) {
  if constexpr (std::is_same_v<InitialType<Access>, std::string>) {
    return Access{}(values).c_str();
  } else {
    return &Access{}(values);
  }
}

// A step: the parameter and the member of CurrentValues that holds its initial value.
template <typename Access>
constexpr DefaultRow initial(parameters::SdkName parameter, Access) {
  return {parameter.id(), formOf<InitialType<Access>>(), &initialValue<Access>};
}

// Families whose setters are still missing have no steps yet: the debug file name comes
// after FG_USEDVAL, the camera simulator before FG_IMG_SELECT_PERIOD, and the lookup table
// and the trigger system at the end.
constexpr auto kDefaults = std::to_array<DefaultRow>({
    initial("FG_TIMEOUT", [](V v) -> auto& { return v.geometry.timeout; }),
    initial("FG_CAMERA_LINK_CAMTYPE", [](V v) -> auto& { return v.geometry.cameraLinkCamType; }),
    initial("FG_USEDVAL", [](V v) -> auto& { return v.geometry.useDval; }),
    initial("FG_TAPGEOMETRY", [](V v) -> auto& { return v.geometry.tapGeometry; }),
    initial("FG_SENSORWIDTH", [](V v) -> auto& { return v.geometry.sensorWidth; }),
    initial("FG_VANTAGEPOINT", [](V v) -> auto& { return v.geometry.vantagePoint; }),
    initial("FG_WIDTH", [](V v) -> auto& { return v.geometry.width; }),
    initial("FG_HEIGHT", [](V v) -> auto& { return v.geometry.height; }),
    initial("FG_XOFFSET", [](V v) -> auto& { return v.geometry.xOffset; }),
    initial("FG_YOFFSET", [](V v) -> auto& { return v.geometry.yOffset; }),
    initial("FG_FORMAT", [](V v) -> auto& { return v.geometry.format; }),
    initial("FG_BITALIGNMENT", [](V v) -> auto& { return v.geometry.bitAlignment; }),
    initial("FG_CUSTOM_BIT_SHIFT_RIGHT",
            [](V v) -> auto& { return v.geometry.customBitShiftRight; }),
    initial("FG_IMG_SELECT_PERIOD", [](V v) -> auto& { return v.geometry.imageSelectPeriod; }),
    initial("FG_IMG_SELECT", [](V v) -> auto& { return v.geometry.imageSelect; }),
});

}  // namespace

std::span<const DefaultRow> defaultRows() { return kDefaults; }

void applyDefaults(SetContext& context) {
  static const CurrentValues kInitialValues{};
  for (const DefaultRow& row : kDefaults) {
    const WritableParameter* parameter = findWritableParameter(row.id);
    // Every step names a writable parameter of its own form (the tests hold the table to it).
    if (parameter == nullptr || parameter->form != row.form) continue;
    parameter->set(context, row.initial(kInitialValues), 0, false);
  }
}

}  // namespace brenvik::semantics
