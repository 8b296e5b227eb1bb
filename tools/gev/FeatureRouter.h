// Reads and writes of the feature registers, each taken to the applet along its route: the
// typed gets and sets by handle for parameters, small translations for the standard features.
// A refusal of the applet becomes a status, and the applet keeps its state.
#pragma once

#include <cstddef>
#include <cstdint>

#include "brenvik/Applet.h"
#include "tools/gev/Features.h"
#include "tools/gev/StreamHooks.h"

namespace brenvik::gev {

class FeatureRouter {
 public:
  FeatureRouter(Applet& applet, StreamHooks& stream);

  // Reads the register's whole value, big-endian, into `out` (reg.length bytes).
  Status read(const Register& reg, std::uint8_t* out);
  // Writes the register's whole value (strings: up to their length).
  Status write(const Register& reg, const std::uint8_t* data, std::size_t count);

 private:
  std::int64_t readInteger(const Register& reg);
  double readFloat(const Register& reg);
  Status writeInteger(const Register& reg, std::int64_t value);
  Status writeFloat(const Register& reg, double value);
  const ParameterHandle& frameRateParameter() const;
  Status setTrigger(std::int64_t mode, std::int64_t source);
  // Sets two parameters in turn, putting the first back when the second is refused.
  void setPair(const ParameterHandle& first, std::int64_t value, const ParameterHandle& second,
               std::int64_t secondValue);

  Applet& applet_;
  StreamHooks& stream_;
  std::int64_t acquisitionMode_ = kContinuous;
  std::int64_t triggerSource_ = kSourceSoftware;
  std::int64_t paramsLocked_ = 0;
  // Parameters the standard features reach, resolved once.
  ParameterHandle width_, height_, format_, source_, simulatorRate_, generatorRate_, areaMode_,
      simulatorTrigger_;
};

}  // namespace brenvik::gev
