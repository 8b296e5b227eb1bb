// Lookups over a parsed design and its lazily built parameter-information tree.
#include "Design.h"

#include "ParameterInfoTree.h"

namespace brenvik::simboard {

bool isInteger(ValueType type) {
  return type == ValueType::U32 || type == ValueType::I32 || type == ValueType::U64 ||
         type == ValueType::I64;
}

Design::Design() = default;
Design::~Design() = default;

void Design::finish() {
  parameterByName_.clear();
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    parameterByName_.emplace(parameters[i].name, static_cast<int>(i));
  }
  registerByName_.clear();
  registerById_.clear();
  for (std::size_t i = 0; i < registers.size(); ++i) {
    registers[i].journalName = "register:" + registers[i].name;
    registerByName_.emplace(registers[i].name, static_cast<int>(i));
    registerById_.emplace(registers[i].id, static_cast<int>(i));
  }
  // Descriptors point into the event texts, which never move once the design is finished.
  descriptors_.clear();
  for (const EventDefinition& event : events) {
    descriptors_.push_back({event.name.c_str(), event.kind, 0, event.description.c_str()});
  }
}

int Design::parameterIndex(std::string_view name) const {
  auto found = parameterByName_.find(name);
  return found == parameterByName_.end() ? -1 : found->second;
}

int Design::registerIndexByName(std::string_view name) const {
  auto found = registerByName_.find(name);
  return found == registerByName_.end() ? -1 : found->second;
}

int Design::registerIndexById(std::uint32_t id) const {
  auto found = registerById_.find(id);
  return found == registerById_.end() ? -1 : found->second;
}

const MolvrtEventDescriptor* Design::eventDescriptor(std::uint32_t number) const {
  return number < descriptors_.size() ? &descriptors_[number] : nullptr;
}

const ParameterInfoTree& Design::parameterInfo() const {
  std::call_once(treeOnce_, [this] { tree_ = std::make_unique<ParameterInfoTree>(*this); });
  return *tree_;
}

}  // namespace brenvik::simboard
