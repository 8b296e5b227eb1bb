// Register reads and writes on one board: values masked to the register's width.
#include "Board.h"

namespace brenvik::simboard {

std::int32_t Board::registerIndexLocked(std::uint32_t id) const {
  return design_ ? design_->registerIndexById(id) : -1;
}

std::int32_t Board::writeRegister(std::uint32_t id, std::uint64_t value) {
  Lock lock(mutex_);
  const char* name = nullptr;
  std::int32_t result = SIMBOARD_OK;
  // Without a design or with an unknown id there is no register to write.
  if (int index = registerIndexLocked(id); index < 0) {
    result = SIMBOARD_NO_DESIGN;
  } else {
    const auto slot = static_cast<std::size_t>(index);
    const RegisterDefinition& definition = design_->registers[slot];
    name = definition.journalName.c_str();
    if (!definition.writable) {
      result = SIMBOARD_READ_ONLY;
    } else if (std::int32_t code = failures_.consume(Target::Register, slot, SIMBOARD_WRITES)) {
      result = code;
    } else {
      registers_[slot] = value & registerMask(definition.width);
    }
  }
  // The journal keeps the value as the caller wrote it, before masking.
  journal_.addRegister(name, id, value, result);
  return result;
}

std::int32_t Board::readRegister(std::uint32_t id, std::uint64_t* value) {
  if (value == nullptr) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  int index = registerIndexLocked(id);
  if (index < 0) return SIMBOARD_NO_DESIGN;
  const auto slot = static_cast<std::size_t>(index);
  if (std::int32_t code = failures_.consume(Target::Register, slot, SIMBOARD_READS)) return code;
  *value = registers_[slot];
  return SIMBOARD_OK;
}

}  // namespace brenvik::simboard
