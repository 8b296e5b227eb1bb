// The order of the default pass as data, and the pass itself. The values are those the
// applet object starts from, so the hardware ends up matching the stored state.
#include "semantics/DefaultPass.h"

#include "parameters/CurrentValues.h"
#include "parameters/StoredValues.h"
#include "semantics/CameraSimulator.h"
#include "semantics/Trigger.h"

namespace brenvik::semantics {

namespace {

// A step: the parameter, whose initial value is the one a fresh CurrentValues keeps for it.
consteval DefaultRow initial(parameters::SdkName parameter) {
  for (const parameters::StoredValue& value : parameters::stored_values::kAll) {
    if (value.id == parameter.id()) return {value.id, value.form, value.address};
  }
  throw "the parameter keeps no value of its own";
}

// The parameters in the order the defaults are written. A step whose parameter has no
// setter is passed over.
constexpr DefaultRow kDefaults[] = {
    // Camera Link, the debug file, tap geometry, region of interest and output format.
    initial("FG_TIMEOUT"),
    initial("FG_CAMERA_LINK_CAMTYPE"),
    initial("FG_USEDVAL"),
    initial("FG_DEBUGFILE"),
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
    // The camera simulator.
    initial("FG_CAMERASIMULATOR_ENABLE"),
    initial("FG_CAMERASIMULATOR_PATTERN"),
    initial("FG_CAMERASIMULATOR_PATTERN_OFFSET"),
    initial("FG_CAMERASIMULATOR_ROLL"),
    initial("FG_CAMERASIMULATOR_SELECT_MODE"),
    initial("FG_CAMERASIMULATOR_TRIGGER_MODE"),
    // The image selector.
    initial("FG_IMG_SELECT_PERIOD"),
    initial("FG_IMG_SELECT"),
    // The lookup table: the processing type computes the table.
    initial("FG_LUT_TYPE"),
    // The trigger system.
    initial("FG_AREATRIGGERMODE"),
    initial("FG_TRIGGERSTATE"),
    initial("FG_TRIGGER_FRAMESPERSECOND"),
    initial("FG_TRIGGERIN_DEBOUNCE"),
    initial("FG_TRIGGERIN_SRC"),
    initial("FG_TRIGGERIN_POLARITY"),
    initial("FG_TRIGGERIN_DOWNSCALE"),
    initial("FG_TRIGGERIN_DOWNSCALE_PHASE"),
    initial("FG_TRIGGERIN_STATS_SOURCE"),
    initial("FG_TRIGGERIN_STATS_POLARITY"),
    initial("FG_TRIGGERIN_STATS_PULSECOUNT_CLEAR"),
    initial("FG_TRIGGER_MULTIPLY_PULSES"),
    initial("FG_TRIGGERQUEUE_MODE"),
    initial("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD"),
    initial("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_OFF_THRESHOLD"),
    initial("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE"),
    initial("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE"),
    initial("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE"),
    initial("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE"),
    initial("FG_TRIGGER_PULSEFORMGEN0_DOWNSCALE_PHASE"),
    initial("FG_TRIGGER_PULSEFORMGEN1_DOWNSCALE_PHASE"),
    initial("FG_TRIGGER_PULSEFORMGEN2_DOWNSCALE_PHASE"),
    initial("FG_TRIGGER_PULSEFORMGEN3_DOWNSCALE_PHASE"),
    initial("FG_TRIGGER_PULSEFORMGEN0_DELAY"),
    initial("FG_TRIGGER_PULSEFORMGEN1_DELAY"),
    initial("FG_TRIGGER_PULSEFORMGEN2_DELAY"),
    initial("FG_TRIGGER_PULSEFORMGEN3_DELAY"),
    initial("FG_TRIGGER_PULSEFORMGEN0_WIDTH"),
    initial("FG_TRIGGER_PULSEFORMGEN1_WIDTH"),
    initial("FG_TRIGGER_PULSEFORMGEN2_WIDTH"),
    initial("FG_TRIGGER_PULSEFORMGEN3_WIDTH"),
    initial("FG_TRIGGERCC_SELECT0"),
    initial("FG_TRIGGERCC_SELECT1"),
    initial("FG_TRIGGERCC_SELECT2"),
    initial("FG_TRIGGERCC_SELECT3"),
    initial("FG_TRIGGEROUT_SELECT_GPO_0"),
    initial("FG_TRIGGEROUT_SELECT_GPO_1"),
    initial("FG_TRIGGEROUT_SELECT_GPO_2"),
    initial("FG_TRIGGEROUT_SELECT_GPO_3"),
    initial("FG_TRIGGEROUT_SELECT_GPO_4"),
    initial("FG_TRIGGEROUT_SELECT_GPO_5"),
    initial("FG_TRIGGEROUT_SELECT_GPO_6"),
    initial("FG_TRIGGEROUT_SELECT_GPO_7"),
    initial("FG_TRIGGEROUT_SELECT_FRONT_GPO_0"),
    initial("FG_TRIGGEROUT_SELECT_FRONT_GPO_1"),
    initial("FG_TRIGGEROUT_STATS_SOURCE"),
    initial("FG_TRIGGER_OUTPUT_EVENT_SELECT"),
};

}  // namespace

std::span<const DefaultRow> defaultRows() { return kDefaults; }

bool prepareFamilies(SetContext& context) {
  return prepareTrigger(context) && prepareCameraSimulator(context);
}

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
