// The order of the default pass as data, and the pass itself. The values are those the
// applet object starts from, so the hardware ends up matching the stored state.
#include "semantics/DefaultPass.h"

#include "parameters/CurrentValues.h"
#include "parameters/StoredValues.h"

namespace brenvik::semantics {

namespace {

// A step: the parameter, whose initial value is the one a fresh CurrentValues keeps for it.
consteval DefaultRow initial(parameters::SdkName parameter) {
  for (const parameters::StoredValue& value : parameters::stored_values::kAll) {
    if (value.id == parameter.id()) return {value.id, value.form, value.address};
  }
  throw "the parameter keeps no value of its own";
}

// Families whose setters are still missing have no steps yet: the debug file name comes
// after FG_USEDVAL, the camera simulator before FG_IMG_SELECT_PERIOD, and the lookup table
// and the trigger system at the end.
constexpr DefaultRow kDefaults[] = {
    initial("FG_TIMEOUT"),
    initial("FG_CAMERA_LINK_CAMTYPE"),
    initial("FG_USEDVAL"),
    initial("FG_TAPGEOMETRY"),
    initial("FG_SENSORWIDTH"),
    initial("FG_VANTAGEPOINT"),
    initial("FG_WIDTH"),
    initial("FG_HEIGHT"),
    initial("FG_XOFFSET"),
    initial("FG_YOFFSET"),
    initial("FG_FORMAT"),
    initial("FG_BITALIGNMENT"),
    initial("FG_CUSTOM_BIT_SHIFT_RIGHT"),
    initial("FG_IMG_SELECT_PERIOD"),
    initial("FG_IMG_SELECT"),
};

}  // namespace

std::span<const DefaultRow> defaultRows() { return kDefaults; }

void applyDefaults(SetContext& context) {
  static const parameters::CurrentValues kInitialValues{};
  for (const DefaultRow& row : kDefaults) {
    const WritableParameter* parameter = findWritableParameter(row.id);
    // Every step names a writable parameter of its own form (the tests hold the table to it).
    if (parameter == nullptr || valueForm(parameter->form) != row.form) continue;
    const void* initial = row.initial(kInitialValues);
    // Texts are stored as std::string and set as zero-terminated texts.
    if (row.form == parameters::ValueForm::kText) initial = static_cast<const std::string*>(initial)->c_str();
    parameter->set(context, initial, 0, false);
  }
}

}  // namespace brenvik::semantics
