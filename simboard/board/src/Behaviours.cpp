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

std::vector<std::unique_ptr<Behaviour>> makeBehaviours() {
  std::vector<std::unique_ptr<Behaviour>> behaviours;
  behaviours.push_back(makeTriggerUnit());
  behaviours.push_back(makeDebugPointBehaviour());
  return behaviours;
}

}  // namespace brenvik::simboard
