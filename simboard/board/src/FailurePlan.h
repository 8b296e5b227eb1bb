// The failure plan: named parameters and registers whose next reads or writes fail with a
// chosen code. Rules are kept by name and resolved to slots whenever a design is loaded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik::simboard {

class Design;

enum class Target : std::uint8_t { Parameter, Register, Runtime };

class FailurePlan {
 public:
  // Arms a rule (see simboard_fail); count 0 disarms the given operations.
  std::int32_t arm(std::string_view name, std::uint32_t operations, std::int32_t code,
                   std::int32_t count);
  void clear();
  // Maps the rules onto the slots of a design (null: none) and the runtime's own table.
  void resolve(const Design* design);

  // The code with which this access fails (one failure is counted), or 0.
  std::int32_t consume(Target target, std::size_t slot, std::uint32_t operation) {
    if (rules_.empty()) return 0;  // the usual case costs one test
    return consumeArmed(target, slot, operation);
  }

 private:
  struct Rule {
    std::string name;
    std::int32_t code = 0;
    std::int32_t reads = 0;  // failures left; negative: until cleared
    std::int32_t writes = 0;
  };

  std::int32_t consumeArmed(Target target, std::size_t slot, std::uint32_t operation);

  std::vector<Rule> rules_;
  std::vector<int> parameterRules_;  // rule index per slot, -1 for none
  std::vector<int> registerRules_;
  std::vector<int> runtimeRules_;
};

}  // namespace brenvik::simboard
