// The units every simulated board carries.
#include "Behaviour.h"

#include "simboard/control.h"

namespace brenvik::simboard {

std::int32_t Behaviour::control(std::string_view, std::string_view, ParameterStore&,
                                Clock::time_point) {
  return SIMBOARD_INVALID_PARAMETER;
}

std::int32_t Behaviour::setting(std::string_view, std::string&) const {
  return SIMBOARD_INVALID_PARAMETER;
}

std::unique_ptr<Behaviour> makeTriggerUnit();
std::unique_ptr<Behaviour> makeDebugPointBehaviour();
std::unique_ptr<Behaviour> makeImagePathUnit();
std::unique_ptr<Behaviour> makePacingUnit();
std::unique_ptr<Behaviour> makeDmaUnit();

Units::Units() {
  units_.push_back(makeTriggerUnit());
  units_.push_back(makeDebugPointBehaviour());
  units_.push_back(makeImagePathUnit());
  units_.push_back(makePacingUnit());
  units_.push_back(makeDmaUnit());
  for (const auto& unit : units_) {
    unit->connect(*this);
    if (unit->followsChanges()) followers_.push_back(unit.get());
  }
}

}  // namespace brenvik::simboard
