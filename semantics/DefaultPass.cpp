// The default pass, derived from the stored values' rows (CurrentValues.h), and the pass
// itself. The values are those the applet object starts from, so the hardware ends up
// matching the stored state.
#include "semantics/DefaultPass.h"

#include <array>
#include <cstddef>

#include "parameters/CurrentValues.h"
#include "semantics/CameraSimulator.h"
#include "semantics/SetPath.h"
#include "semantics/Trigger.h"

namespace brenvik::semantics {

namespace {

using parameters::DefaultStep;

// One step of the default pass: a parameter and where its initial value lives in a
// freshly constructed CurrentValues (in the form `form`).
struct DefaultRow {
  std::int32_t id;
  parameters::ValueForm form;  // of the stored value
  const void* (*initial)(const parameters::CurrentValues& values);
};

// The rounds of the pass, in order.
constexpr DefaultStep kRounds[] = {
    DefaultStep::kSettings,    DefaultStep::kPulseDownscales, DefaultStep::kPulsePhases,
    DefaultStep::kPulseDelays, DefaultStep::kPulseWidths,     DefaultStep::kOutputs,
};

consteval std::size_t stepCount() {
  std::size_t count = 0;
  for (const parameters::StoredValue& value : parameters::stored_values::kAll) {
    if (value.defaultStep != DefaultStep::kNone) ++count;
  }
  return count;
}

// The steps: round by round, each round in the order of the SDK parameter table; the initial
// value of a step is the one a fresh CurrentValues keeps for its parameter.
constexpr auto kDefaults = [] {
  std::array<DefaultRow, stepCount()> steps{};
  std::size_t next = 0;
  for (const DefaultStep round : kRounds) {
    for (const parameters::SdkParameter& parameter : parameters::kSdkParameters) {
      const parameters::StoredValue* value = parameters::findStoredValue(parameter.id);
      if (value == nullptr || value->defaultStep != round) continue;
      steps[next++] = {value->id, value->form, value->address};
    }
  }
  return steps;
}();

}  // namespace

bool prepareFamilies(SetContext& context) {
  return prepareTrigger(context) && prepareCameraSimulator(context);
}

void applyDefaults(SetContext& context) {
  static const parameters::CurrentValues kInitialValues{};
  for (const DefaultRow& row : kDefaults) {
    const WritableParameter* parameter = findWritableParameter(row.id);
    // Every step names a writable parameter of its own form (SetPath.cpp holds the rows to it).
    if (parameter == nullptr || valueForm(parameter->form) != row.form) continue;
    const void* initial = row.initial(kInitialValues);
    // Texts are stored as std::string and set as zero-terminated texts.
    if (row.form == parameters::ValueForm::kText) initial = static_cast<const std::string*>(initial)->c_str();
    parameter->set(context, initial, 0, false);
  }
}

}  // namespace brenvik::semantics
