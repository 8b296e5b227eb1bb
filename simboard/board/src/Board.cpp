// Loading a design and the runtime's typed parameter access on one board.
#include "Board.h"

#include "TypedAccess.h"

namespace brenvik::simboard {

std::uint64_t registerMask(std::uint32_t width) {
  return width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
}

Board::Board() = default;

void Board::load(DesignPtr design) {
  Lock lock(mutex_);
  // The journal refers to the old design's names, so it goes before the design does.
  journal_.clear();
  design_ = std::move(design);
  values_.reset(design_.get());
  registers_.clear();
  if (design_) {
    for (const RegisterDefinition& definition : design_->registers)
      registers_.push_back(definition.initial);
  }
  runtime_.reset();
  failures_.resolve(design_.get());
  watchers_.assign(values_.size(), {});
  for (const auto& unit : units_) unit->reset();
  if (design_) {
    const auto now = Clock::now();
    for (const auto& unit : units_) {
      for (const std::size_t index : unit->attach(*design_, values_, now)) {
        if (index < watchers_.size()) watchers_[index].push_back(unit.get());
      }
    }
  }
  pictureDelivered_.notify_all();
}

void Board::tellWritten(std::size_t index, Moment& now) {
  for (Behaviour* behaviour : watchers_[index]) behaviour->written(index, values_, now);
}

void Board::tellReading(std::size_t index) const {
  const auto now = Behaviour::Clock::now();
  for (Behaviour* behaviour : watchers_[index]) behaviour->reading(index, *watchedValues_, now);
}

void Board::changedLocked(Moment& now) {
  values_.touch();
  for (Behaviour* unit : units_.followers()) unit->changed(values_, now);
}

DesignPtr Board::design() const {
  Lock lock(mutex_);
  return design_;
}

std::int32_t Board::parameterId(std::string_view name) const {
  if (int index = runtimeParameterIndexByName(name); index >= 0) {
    return kRuntimeParameters[static_cast<std::size_t>(index)].id;
  }
  Lock lock(mutex_);
  int index = design_ ? design_->parameterIndex(name) : -1;
  return index >= 0 ? index + 1 : 0;  // unknown names have id 0
}

const ParameterDefinition* Board::designParameter(std::int32_t id) const {
  if (!design_ || id < 1 || static_cast<std::size_t>(id) > design_->parameters.size()) {
    return nullptr;
  }
  return &design_->parameters[static_cast<std::size_t>(id - 1)];
}

std::int32_t Board::setParameter(std::int32_t id, const void* value, std::uint32_t dma,
                                 std::int32_t type) {
  Lock lock(mutex_);
  // Pictures due before the write are drawn with the values before it.
  Moment now;
  deliverLocked(now);
  const char* name = nullptr;
  std::uint32_t fieldSize = 0;
  std::int32_t result = SIMBOARD_OK;
  if (const ParameterDefinition* definition = designParameter(id)) {
    name = definition->name.c_str();
    fieldSize = definition->elements;
    result = writeParameterLocked(static_cast<std::size_t>(id - 1), *definition, value, type, now);
  } else {
    result = writeRuntimeLocked(id, value, dma, type, name);
  }
  // The write only reads the caller's value, so the journal copies it as it was written.
  journal_.add(name, id, value, type, fieldSize, result);
  if (result == SIMBOARD_OK) changedLocked(now);
  return result;
}

// Order of checks on a write: known id, value pointer, access, planned failure, then the
// type and range rules. A planned failure stands for the hardware refusing a write that
// the runtime let through, so bad calls still get their own codes. Hardware parameters
// belong to the design, not to a DMA channel: the index is unused.
inline std::int32_t Board::writeParameterLocked(std::size_t index, const ParameterDefinition& definition,
                                         const void* value, std::int32_t type, Moment& now) {
  if (value == nullptr) return SIMBOARD_INVALID_PARAMETER;
  if (!definition.writable) return SIMBOARD_READ_ONLY;
  if (std::int32_t code = failures_.consume(Target::Parameter, index, SIMBOARD_WRITES)) return code;
  const std::int32_t result = writeTyped(definition, values_.at(index), value, type);
  if (result == SIMBOARD_OK) notifyWritten(index, now);
  return result;
}

std::int32_t Board::writeRuntimeLocked(std::int32_t id, const void* value, std::uint32_t dma,
                                       std::int32_t type, const char*& name) {
  int runtimeIndex = runtimeParameterIndexById(id);
  if (runtimeIndex < 0) return SIMBOARD_INVALID_PARAMETER;
  const auto index = static_cast<std::size_t>(runtimeIndex);
  const RuntimeParameterRow& row = kRuntimeParameters[index];
  name = row.name;
  if (dma != 0 || value == nullptr) return SIMBOARD_INVALID_PARAMETER;
  if (!row.writable) return SIMBOARD_READ_ONLY;
  if (std::int32_t code = failures_.consume(Target::Runtime, index, SIMBOARD_WRITES)) return code;
  std::uint32_t stored = 0;
  std::int32_t result = writeRuntimeValue(value, type, stored);
  if (result == SIMBOARD_OK) runtime_.store(index, stored);
  return result;
}

std::int32_t Board::getParameter(std::int32_t id, void* value, std::uint32_t dma, std::int32_t type,
                                 char** handedOut) {
  Lock lock(mutex_);
  if (const ParameterDefinition* definition = designParameter(id)) {
    const auto index = static_cast<std::size_t>(id - 1);
    if (value == nullptr) return SIMBOARD_INVALID_PARAMETER;
    if (std::int32_t code = failures_.consume(Target::Parameter, index, SIMBOARD_READS))
      return code;
    notifyReading(index);
    return readTyped(*definition, values_.at(index), value, type, handedOut);
  }
  int runtimeIndex = runtimeParameterIndexById(id);
  if (runtimeIndex < 0) return SIMBOARD_INVALID_PARAMETER;
  return readRuntimeLocked(static_cast<std::size_t>(runtimeIndex), value, dma, type);
}

std::int32_t Board::readRuntimeLocked(std::size_t index, void* value, std::uint32_t dma,
                                      std::int32_t type) {
  if (dma != 0 || value == nullptr) return SIMBOARD_INVALID_PARAMETER;
  if (std::int32_t code = failures_.consume(Target::Runtime, index, SIMBOARD_READS)) return code;
  if (kRuntimeParameters[index].source != RuntimeSource::Stored) deliverLocked();
  return readRuntimeValue(runtimeValueLocked(index), value, type);
}

std::uint64_t Board::runtimeValueLocked(std::size_t index) const {
  switch (kRuntimeParameters[index].source) {
    case RuntimeSource::TransferLength:
      return dma_.transferLength();
    case RuntimeSource::DmaStatus:
      return dma_.running() ? 1 : 0;
    case RuntimeSource::Stored:
      break;
  }
  return runtime_.stored(index);
}

}  // namespace brenvik::simboard
