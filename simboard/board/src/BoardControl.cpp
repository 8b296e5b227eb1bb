// The control interface of one board: values as text by name, failures and the journal.
#include "Board.h"
#include "ParameterText.h"
#include "ValueRules.h"

namespace brenvik::simboard {

namespace {

constexpr std::string_view kRegisterPrefix = "register:";
constexpr std::string_view kPicturePeriod = SIMBOARD_SETTING_PICTURE_PERIOD_US;
constexpr std::string_view kPaced = SIMBOARD_SETTING_PACED;
constexpr std::string_view kCameraInput = SIMBOARD_SETTING_CAMERA_INPUT;
constexpr std::string_view kCamera = SIMBOARD_SETTING_CAMERA;
constexpr std::string_view kBoardPrefix = "simboard:";  // settings of the board's behaviours
constexpr std::string_view kSceneCamera = "scene";
constexpr std::string_view kNoCamera = "none";
constexpr std::string_view kMemoryInput = "memory:";  // then the number of in-memory images
constexpr char kInputSeparator = ',';

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
    if (name == kPicturePeriod) {
      appendSigned(out, picturePeriod_.count());
    } else if (name == kPaced) {
      appendUnsigned(out, paced_ ? 1 : 0);
    } else if (name == kCameraInput) {
      out = inputText_;
    } else if (name == kCamera) {
      out = scene_ ? kSceneCamera : kNoCamera;
    } else if (hasPrefix(name, kRegisterPrefix)) {
      result = controlGetRegister(name.substr(kRegisterPrefix.size()), out);
    } else if (int runtimeIndex = runtimeParameterIndexByName(name); runtimeIndex >= 0) {
      result = controlGetRuntime(static_cast<std::size_t>(runtimeIndex), out);
    } else if (!design_) {
      result = SIMBOARD_NO_DESIGN;
    } else if (int index = design_->parameterIndex(name); index >= 0) {
      const auto slot = static_cast<std::size_t>(index);
      if (image_.present() && (slot == image_.fillLevel() || slot == image_.overflow())) {
        deliverLocked(Acquisition::Clock::now());
      }
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
  const auto now = Acquisition::Clock::now();
  deliverLocked(now);
  // parseParameter changes the value only when the whole text is accepted.
  const std::int32_t result = parseParameter(design_->parameters[slot], text, values_.at(slot));
  if (result == SIMBOARD_OK) settingsChangedLocked(now);
  return result;
}

// The board's own settings and those of its behaviours.
std::int32_t Board::controlSetBoard(std::string_view name, std::string_view text) {
  const auto now = Acquisition::Clock::now();
  if (name == kPicturePeriod) {
    std::int64_t period = 0;
    if (!parseSigned(text, period)) return SIMBOARD_INVALID_PARAMETER;
    if (period < kShortestPicturePeriod.count() || period > kLongestPicturePeriod.count()) {
      return SIMBOARD_OUT_OF_RANGE;
    }
    deliverLocked(now);
    picturePeriod_ = std::chrono::microseconds(period);
    settingsChangedLocked(now);
    return SIMBOARD_OK;
  }
  if (name == kPaced) {
    if (text != "0" && text != "1") return SIMBOARD_INVALID_PARAMETER;
    // Takes effect with the next acquisition.
    paced_ = text == "1";
    return SIMBOARD_OK;
  }
  if (name == kCameraInput) {
    deliverLocked(now);
    const std::int32_t result = setCameraInput(text);
    if (result == SIMBOARD_OK) settingsChangedLocked(now);
    return result;
  }
  if (name == kCamera) {
    if (text != kSceneCamera && text != kNoCamera) return SIMBOARD_INVALID_PARAMETER;
    deliverLocked(now);
    scene_ = text == kSceneCamera;
    settingsChangedLocked(now);
    return SIMBOARD_OK;
  }
  for (const auto& behaviour : behaviours_) {
    const std::int32_t result = behaviour->control(name, text, values_, now);
    if (result != SIMBOARD_INVALID_PARAMETER) return result;
  }
  return SIMBOARD_INVALID_PARAMETER;
}

// Reads every image first, so that a file that does not read leaves the input as it was.
std::int32_t Board::setCameraInput(std::string_view text) {
  std::vector<InputImage> images;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(kInputSeparator, start);
    if (end == std::string_view::npos) end = text.size();
    const std::string path(text.substr(start, end - start));
    start = end + 1;
    if (path.empty()) continue;
    InputImage image;
    std::string why;
    if (!readInputImage(path, image, why)) return SIMBOARD_BAD_IMAGE;
    images.push_back(std::move(image));
  }
  inputs_ = std::move(images);
  inputText_ = std::string(text);
  return SIMBOARD_OK;
}

void Board::setCameraImages(std::vector<InputImage> images) {
  Lock lock(mutex_);
  const auto now = Acquisition::Clock::now();
  deliverLocked(now);
  inputText_.clear();
  if (!images.empty()) {
    inputText_ = kMemoryInput;
    appendUnsigned(inputText_, images.size());
  }
  inputs_ = std::move(images);
  settingsChangedLocked(now);
}

std::int32_t Board::controlGetRuntime(std::size_t index, std::string& out) {
  if (kRuntimeParameters[index].source != RuntimeSource::Stored) deliverLocked(Acquisition::Clock::now());
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
