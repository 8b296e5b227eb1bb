// Binding the hardware parameter names to runtime ids, and the typed accesses by slot.
#include "parameters/HardwareBinding.h"

#include "platform/logging/LogMessage.h"
#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::parameters {

namespace {
constexpr std::uint32_t kLevelBindingFailure = 4;
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

void HardwareBinding::readInto(Hw slot, void* value, int type) const {
  if (const int result = read(slot, value, type); result != 0) codes::raise(result);
}

std::uint32_t HardwareBinding::readUint32(Hw slot) const {
  std::uint32_t value = 0;
  readInto(slot, &value, runtime::kTypeUint32);
  return value;
}

}  // namespace brenvik::parameters
