// Each route of the feature table, taken to the applet.
#include "tools/gev/FeatureRouter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "parameters/Enumerations.h"
#include "parameters/SdkParameterTable.h"
#include "tools/gev/Wire.h"

namespace brenvik::gev {

namespace {

using parameters::enumUnsigned;

constexpr std::int64_t kGenerator = enumUnsigned("ATM_GENERATOR");
constexpr std::int64_t kSoftware = enumUnsigned("ATM_SOFTWARE");
constexpr std::int64_t kExternal = enumUnsigned("ATM_EXTERNAL");
constexpr std::int64_t kSimulator = enumUnsigned("FG_CAMERASIMULATOR");
constexpr std::int64_t kFreeRun = enumUnsigned("SIMULATION_FREE_RUN");
constexpr std::int64_t kTriggersFrame = enumUnsigned("RISING_EDGE_TRIGGERS_FRAME");

bool hasEntry(const Register& reg, std::int64_t value) {
  return std::any_of(reg.entries.begin(), reg.entries.end(),
                     [&](const auto& entry) { return entry.second == value; });
}

// Features that fix the size of a frame, held still while frames stream.
bool shapesFrames(const Register& reg) {
  return reg.route == Route::kPixelFormat ||
         (reg.route == Route::kParameter &&
          (reg.parameter.id == parameters::sdkId("FG_WIDTH") ||
           reg.parameter.id == parameters::sdkId("FG_HEIGHT") ||
           reg.parameter.id == parameters::sdkId("FG_FORMAT")));
}

Status statusOf(const Error& error) {
  switch (error.category()) {
    case ErrorCategory::kRefused:
    case ErrorCategory::kBadValue:
    case ErrorCategory::kUnknownName:
      return Status::kInvalidParameter;
    case ErrorCategory::kInvalidState:
      return Status::kBusy;
    default:
      return Status::kError;
  }
}

}  // namespace

FeatureRouter::FeatureRouter(Applet& applet, StreamHooks& stream)
    : applet_(applet),
      stream_(stream),
      width_(applet.handle("FG_WIDTH")),
      height_(applet.handle("FG_HEIGHT")),
      format_(applet.handle("FG_FORMAT")),
      source_(applet.handle("FG_CAMERASIMULATOR_ENABLE")),
      simulatorRate_(applet.handle("FG_CAMERASIMULATOR_FRAMERATE")),
      generatorRate_(applet.handle("FG_TRIGGER_FRAMESPERSECOND")),
      areaMode_(applet.handle("FG_AREATRIGGERMODE")),
      simulatorTrigger_(applet.handle("FG_CAMERASIMULATOR_TRIGGER_MODE")) {}

const ParameterHandle& FeatureRouter::frameRateParameter() const {
  return applet_.getInteger(source_) == kSimulator ? simulatorRate_ : generatorRate_;
}

std::int64_t FeatureRouter::readInteger(const Register& reg) {
  switch (reg.route) {
    case Route::kPixelFormat: {
      const FormatCode* format = formatByOutput(applet_.getInteger(format_));
      return format != nullptr ? format->code : 0;
    }
    case Route::kPayloadSize: {
      const FormatCode* format = formatByOutput(applet_.getInteger(format_));
      const std::int64_t bits = format != nullptr ? pixel::bitsPerPixel(format->code) : 8;
      return applet_.getInteger(width_) * applet_.getInteger(height_) * bits / 8;
    }
    case Route::kAcquisitionMode:
      return acquisitionMode_;
    case Route::kTriggerMode:
      return applet_.getInteger(areaMode_) == kGenerator ? kTriggerOff : kTriggerOn;
    case Route::kTriggerSource: {
      const std::int64_t mode = applet_.getInteger(areaMode_);
      if (mode == kSoftware) return kSourceSoftware;
      if (mode == kExternal) return kSourceLine0;
      return triggerSource_;
    }
    case Route::kParamsLocked:
      return stream_.streaming() ? 1 : paramsLocked_;
    case Route::kParameter:
      return applet_.getInteger(reg.parameter);
    default:  // commands read 0
      return 0;
  }
}

double FeatureRouter::readFloat(const Register& reg) {
  return applet_.getDouble(reg.route == Route::kFrameRate ? frameRateParameter() : reg.parameter);
}

Status FeatureRouter::read(const Register& reg, std::uint8_t* out) {
  try {
    switch (reg.shape) {
      case Shape::kFloat:
        wire::store64(out, std::bit_cast<std::uint64_t>(readFloat(reg)));
        break;
      case Shape::kString: {
        const Value value = applet_.get(reg.parameter);
        std::memset(out, 0, reg.length);
        if (const auto* text = std::get_if<std::string>(&value)) {
          std::memcpy(out, text->data(), std::min<std::size_t>(text->size(), reg.length - 1));
        }
        break;
      }
      default: {
        const std::int64_t value = readInteger(reg);
        if (reg.length == 8) {
          wire::store64(out, static_cast<std::uint64_t>(value));
        } else {
          wire::store32(out, static_cast<std::uint32_t>(value));
        }
        break;
      }
    }
    return Status::kSuccess;
  } catch (const Error& error) {
    return statusOf(error);
  }
}

void FeatureRouter::setPair(const ParameterHandle& first, std::int64_t value,
                            const ParameterHandle& second, std::int64_t secondValue) {
  const std::int64_t before = applet_.getInteger(first);
  applet_.setInteger(first, value);
  try {
    applet_.setInteger(second, secondValue);
  } catch (const Error&) {
    applet_.setInteger(first, before);
    throw;
  }
}

Status FeatureRouter::setTrigger(std::int64_t mode, std::int64_t source) {
  if (mode == kTriggerOff) {
    setPair(areaMode_, kGenerator, simulatorTrigger_, kFreeRun);
  } else {
    setPair(areaMode_, source == kSourceSoftware ? kSoftware : kExternal, simulatorTrigger_,
            kTriggersFrame);
  }
  return Status::kSuccess;
}

Status FeatureRouter::writeInteger(const Register& reg, std::int64_t value) {
  switch (reg.route) {
    case Route::kPixelFormat: {
      const FormatCode* format = formatByCode(value);
      if (format == nullptr) return Status::kInvalidParameter;
      applet_.setInteger(format_, format->output);
      return Status::kSuccess;
    }
    case Route::kAcquisitionMode:
      if (!hasEntry(reg, value)) return Status::kInvalidParameter;
      acquisitionMode_ = value;
      return Status::kSuccess;
    case Route::kAcquisitionStart:
      return stream_.start(acquisitionMode_ == kSingleFrame);
    case Route::kAcquisitionStop:
      stream_.stop();
      return Status::kSuccess;
    case Route::kTriggerMode:
      if (!hasEntry(reg, value)) return Status::kInvalidParameter;
      return setTrigger(value, triggerSource_);
    case Route::kTriggerSource: {
      if (!hasEntry(reg, value)) return Status::kInvalidParameter;
      if (applet_.getInteger(areaMode_) != kGenerator) setTrigger(kTriggerOn, value);
      triggerSource_ = value;
      return Status::kSuccess;
    }
    case Route::kTriggerSoftware:
      applet_.fireSoftwareTrigger(1);
      return Status::kSuccess;
    case Route::kParamsLocked:
      if (value != 0 && value != 1) return Status::kInvalidParameter;
      paramsLocked_ = value;
      return Status::kSuccess;
    case Route::kParameter:
      applet_.setInteger(reg.parameter, value);
      return Status::kSuccess;
    default:
      return Status::kWriteProtect;
  }
}

Status FeatureRouter::writeFloat(const Register& reg, double value) {
  applet_.setDouble(reg.route == Route::kFrameRate ? frameRateParameter() : reg.parameter, value);
  return Status::kSuccess;
}

Status FeatureRouter::write(const Register& reg, const std::uint8_t* data, std::size_t count) {
  if (reg.access == Access::kReadOnly) return Status::kWriteProtect;
  if (count != reg.length) return Status::kInvalidParameter;
  if (shapesFrames(reg) && stream_.streaming()) return Status::kWriteProtect;
  try {
    if (reg.shape == Shape::kFloat) {
      return writeFloat(reg, std::bit_cast<double>(wire::load64(data)));
    }
    std::int64_t value = 0;
    if (reg.length == 8) {
      value = static_cast<std::int64_t>(wire::load64(data));
    } else {
      const std::uint32_t bits = wire::load32(data);
      value = reg.isSigned ? std::int64_t{static_cast<std::int32_t>(bits)} : std::int64_t{bits};
    }
    return writeInteger(reg, value);
  } catch (const Error& error) {
    return statusOf(error);
  }
}

}  // namespace brenvik::gev
