// Binding the hardware parameter names to runtime ids, and the typed accesses by slot.
#include "parameters/HardwareBinding.h"

#include "platform/logging/LogMessage.h"
#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::parameters {

namespace {
constexpr std::uint32_t kLevelBindingFailure = 4;
constexpr std::uint32_t kHardwareDma = 0;
}  // namespace

void HardwareBinding::bind(vurn::tools::logging::Logger* logger) {
  const auto& names = hardwareParameterNames();
  for (std::size_t slot = 0; slot < kHardwareParameterCount; ++slot) {
    const int id = services_.parameterId(names[slot]);
    ids_[slot] = static_cast<std::uint32_t>(id);
    if (id <= 0) {
      vurn::tools::logging::logMessage(logger, kLevelBindingFailure,
                                       "cannot retrieve Tolq id for Tolq parameter: '", names[slot],
                                       "'");
    }
  }
}

int HardwareBinding::read(Hw slot, void* value, int type) const {
  return services_.getParameter(static_cast<int>(id(slot)), value, kHardwareDma, type);
}

int HardwareBinding::write(Hw slot, const void* value, int type) const {
  return services_.setParameter(static_cast<int>(id(slot)), value, kHardwareDma, type);
}

void HardwareBinding::readInto(Hw slot, void* value, int type) const {
  if (const int result = read(slot, value, type); result != 0) codes::raise(result);
}

std::uint32_t HardwareBinding::readUint32(Hw slot) const {
  std::uint32_t value = 0;
  readInto(slot, &value, runtime::kTypeUint32);
  return value;
}

void HardwareBinding::write(Hw slot, const void* value, int type, bool reportErrors) const {
  if (value == nullptr) {
    if (reportErrors) codes::raise(codes::kInvalidParameter);
    return;
  }
  const int result = write(slot, value, type);
  if (result != 0 && reportErrors) codes::raise(result);
}

void HardwareBinding::writeUint32(Hw slot, std::uint32_t value, bool reportErrors) const {
  write(slot, &value, runtime::kTypeUint32, reportErrors);
}

}  // namespace brenvik::parameters
