// The behaviours every simulated board carries.
#include "Behaviour.h"

#include "TriggerUnit.h"
#include "simboard/control.h"

namespace brenvik::simboard {

std::int32_t Behaviour::control(std::string_view, std::string_view, ParameterStore&,
                                Clock::time_point) {
  return SIMBOARD_INVALID_PARAMETER;
}

std::unique_ptr<Behaviour> makeDebugPointBehaviour();

std::vector<std::unique_ptr<Behaviour>> makeBehaviours(TriggerPulses*& trigger) {
  std::vector<std::unique_ptr<Behaviour>> behaviours;
  std::unique_ptr<TriggerPulses> unit = makeTriggerUnit();
  trigger = unit.get();
  behaviours.push_back(std::move(unit));
  behaviours.push_back(makeDebugPointBehaviour());
  return behaviours;
}

}  // namespace brenvik::simboard
