// Arming, resolving and counting planned failures.
#include "FailurePlan.h"

#include "Design.h"
#include "RuntimeParameters.h"
#include "simboard/control.h"

namespace brenvik::simboard {

std::int32_t FailurePlan::arm(std::string_view name, std::uint32_t operations, std::int32_t code,
                              std::int32_t count) {
  constexpr std::uint32_t kAll = SIMBOARD_READS | SIMBOARD_WRITES;
  if (name.empty() || operations == 0 || (operations & ~kAll) != 0 || code >= 0) {
    return SIMBOARD_INVALID_PARAMETER;
  }
  Rule* rule = nullptr;
  for (Rule& existing : rules_) {
    if (existing.name == name) rule = &existing;
  }
  if (rule == nullptr) {
    if (count == 0) return SIMBOARD_OK;  // nothing to disarm
    rule = &rules_.emplace_back();
    rule->name = std::string(name);
  }
  // One code per name: arming again replaces it for both operations.
  rule->code = code;
  if ((operations & SIMBOARD_READS) != 0) rule->reads = count;
  if ((operations & SIMBOARD_WRITES) != 0) rule->writes = count;
  return SIMBOARD_OK;
}

void FailurePlan::clear() {
  rules_.clear();
  parameterRules_.clear();
  registerRules_.clear();
  runtimeRules_.clear();
}

void FailurePlan::resolve(const Design* design) {
  parameterRules_.assign(design != nullptr ? design->parameters.size() : 0, -1);
  registerRules_.assign(design != nullptr ? design->registers.size() : 0, -1);
  runtimeRules_.assign(runtimeParameterCount(), -1);
  constexpr std::string_view kRegisterPrefix = "register:";
  for (std::size_t i = 0; i < rules_.size(); ++i) {
    std::string_view name = rules_[i].name;
    int rule = static_cast<int>(i);
    if (name.substr(0, kRegisterPrefix.size()) == kRegisterPrefix) {
      int index =
          design != nullptr ? design->registerIndexByName(name.substr(kRegisterPrefix.size())) : -1;
      if (index >= 0) registerRules_[static_cast<std::size_t>(index)] = rule;
    } else if (int index = runtimeParameterIndexByName(name); index >= 0) {
      runtimeRules_[static_cast<std::size_t>(index)] = rule;
    } else if (design != nullptr) {
      index = design->parameterIndex(name);
      if (index >= 0) parameterRules_[static_cast<std::size_t>(index)] = rule;
    }
  }
}

std::int32_t FailurePlan::consumeArmed(Target target, std::size_t slot, std::uint32_t operation) {
  const std::vector<int>& slots = target == Target::Parameter  ? parameterRules_
                                  : target == Target::Register ? registerRules_
                                                               : runtimeRules_;
  if (slot >= slots.size() || slots[slot] < 0) return 0;
  Rule& rule = rules_[static_cast<std::size_t>(slots[slot])];
  std::int32_t& left = operation == SIMBOARD_READS ? rule.reads : rule.writes;
  if (left == 0) return 0;
  if (left > 0) --left;
  return rule.code;
}

}  // namespace brenvik::simboard
