// The control interface of one board: values as text by name, failures and the journal.
#include "Board.h"
#include "ParameterText.h"
#include "ValueRules.h"

namespace brenvik::simboard {

namespace {

constexpr std::string_view kRegisterPrefix = "register:";
constexpr std::string_view kBoardPrefix = "simboard:";  // settings of the board's behaviours

bool hasPrefix(std::string_view name, std::string_view prefix) {
  return name.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::int32_t Board::controlGet(std::string_view name, char* text, std::size_t size) {
  if (text == nullptr) return SIMBOARD_INVALID_PARAMETER;
  std::string out;
  std::int32_t result = SIMBOARD_OK;
  {
    Lock lock(mutex_);
    if (hasPrefix(name, kBoardPrefix)) {
      result = SIMBOARD_INVALID_PARAMETER;
      for (const auto& unit : units_) {
        result = unit->setting(name, out);
        if (result != SIMBOARD_INVALID_PARAMETER) break;
      }
    } else if (hasPrefix(name, kRegisterPrefix)) {
      result = controlGetRegister(name.substr(kRegisterPrefix.size()), out);
    } else if (int runtimeIndex = runtimeParameterIndexByName(name); runtimeIndex >= 0) {
      result = controlGetRuntime(static_cast<std::size_t>(runtimeIndex), out);
    } else if (!design_) {
      result = SIMBOARD_NO_DESIGN;
    } else if (int index = design_->parameterIndex(name); index >= 0) {
      const auto slot = static_cast<std::size_t>(index);
      notifyReading(slot);
      renderParameter(design_->parameters[slot], values_.at(slot), out);
    } else {
      result = SIMBOARD_INVALID_PARAMETER;
    }
  }
  return result == SIMBOARD_OK ? copyText(out, text, size) : result;
}

std::int32_t Board::controlSet(std::string_view name, std::string_view text) {
  Lock lock(mutex_);
  if (hasPrefix(name, kRegisterPrefix))
    return controlSetRegister(name.substr(kRegisterPrefix.size()), text);
  if (hasPrefix(name, kBoardPrefix)) return controlSetBoard(name, text);
  if (int runtimeIndex = runtimeParameterIndexByName(name); runtimeIndex >= 0) {
    return controlSetRuntime(static_cast<std::size_t>(runtimeIndex), text);
  }
  if (!design_) return SIMBOARD_NO_DESIGN;
  int index = design_->parameterIndex(name);
  if (index < 0) return SIMBOARD_INVALID_PARAMETER;
  const auto slot = static_cast<std::size_t>(index);
  Moment now;
  deliverLocked(now);
  // parseParameter changes the value only when the whole text is accepted.
  const std::int32_t result = parseParameter(design_->parameters[slot], text, values_.at(slot));
  if (result == SIMBOARD_OK) changedLocked(now);
  return result;
}

// The board's settings belong to its behaviours. Pictures due before a change are drawn
// as they were; an acquisition goes on as the change makes it.
std::int32_t Board::controlSetBoard(std::string_view name, std::string_view text) {
  Moment now(Clock::now());
  deliverLocked(now);
  for (const auto& unit : units_) {
    const std::int32_t result = unit->control(name, text, values_, now());
    if (result == SIMBOARD_INVALID_PARAMETER) continue;
    if (result == SIMBOARD_OK) changedLocked(now);
    return result;
  }
  return SIMBOARD_INVALID_PARAMETER;
}

void Board::setCameraImages(std::vector<InputImage> images) {
  Lock lock(mutex_);
  Moment now;
  deliverLocked(now);
  frames_.setImages(std::move(images));
  changedLocked(now);
}

std::int32_t Board::controlGetRuntime(std::size_t index, std::string& out) {
  if (kRuntimeParameters[index].source != RuntimeSource::Stored) deliverLocked();
  appendUnsigned(out, runtimeValueLocked(index));
  return SIMBOARD_OK;
}

// Stored runtime values may be played, read-only ones included; computed ones follow the
// acquisition and refuse.
std::int32_t Board::controlSetRuntime(std::size_t index, std::string_view text) {
  if (kRuntimeParameters[index].source != RuntimeSource::Stored) return SIMBOARD_READ_ONLY;
  std::uint64_t value = 0;
  if (!parseUnsigned(text, value)) return SIMBOARD_INVALID_PARAMETER;
  if (value > 0xffffffffu) return SIMBOARD_OUT_OF_RANGE;
  runtime_.store(index, static_cast<std::uint32_t>(value));
  return SIMBOARD_OK;
}

std::int32_t Board::controlGetRegister(std::string_view name, std::string& out) const {
  int index = design_ ? design_->registerIndexByName(name) : -1;
  if (index < 0) return design_ ? SIMBOARD_INVALID_PARAMETER : SIMBOARD_NO_DESIGN;
  appendUnsigned(out, registers_[static_cast<std::size_t>(index)]);
  return SIMBOARD_OK;
}

std::int32_t Board::controlSetRegister(std::string_view name, std::string_view text) {
  int index = design_ ? design_->registerIndexByName(name) : -1;
  if (index < 0) return design_ ? SIMBOARD_INVALID_PARAMETER : SIMBOARD_NO_DESIGN;
  const auto slot = static_cast<std::size_t>(index);
  std::uint64_t value = 0;
  if (!parseUnsigned(text, value)) return SIMBOARD_INVALID_PARAMETER;
  if ((value & ~registerMask(design_->registers[slot].width)) != 0) return SIMBOARD_OUT_OF_RANGE;
  registers_[slot] = value;
  return SIMBOARD_OK;
}

std::int32_t Board::fail(std::string_view name, std::uint32_t operations, std::int32_t code,
                         std::int32_t count) {
  Lock lock(mutex_);
  std::int32_t result = failures_.arm(name, operations, code, count);
  if (result == SIMBOARD_OK) failures_.resolve(design_.get());
  return result;
}

void Board::clearFailures() {
  Lock lock(mutex_);
  failures_.clear();
  failures_.resolve(design_.get());
}

std::size_t Board::journalSize() const {
  Lock lock(mutex_);
  return journal_.size();
}

std::int32_t Board::journalEntry(std::size_t index, SimboardWrite& entry) const {
  Lock lock(mutex_);
  return journal_.entry(index, entry) ? SIMBOARD_OK : SIMBOARD_OUT_OF_RANGE;
}

void Board::clearJournal() {
  Lock lock(mutex_);
  journal_.clear();
}

}  // namespace brenvik::simboard
