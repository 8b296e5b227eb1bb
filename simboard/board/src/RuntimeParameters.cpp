// Lookups and value conversions of the runtime's own parameters.
#include "RuntimeParameters.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "runtime/SdkRuntime.h"
#include "simboard/control.h"

namespace brenvik::simboard {

int runtimeParameterIndexById(std::int32_t id) {
  for (std::size_t i = 0; i < kRuntimeParameters.size(); ++i) {
    if (kRuntimeParameters[i].id == id) return static_cast<int>(i);
  }
  return -1;
}

int runtimeParameterIndexByName(std::string_view name) {
  for (std::size_t i = 0; i < kRuntimeParameters.size(); ++i) {
    if (name == kRuntimeParameters[i].name) return static_cast<int>(i);
  }
  return -1;
}

std::int32_t readRuntimeValue(std::uint64_t value, void* out, std::int32_t type) {
  switch (type) {
    case runtime::kTypeUint32: {
      if (value > std::numeric_limits<std::uint32_t>::max()) return SIMBOARD_OUT_OF_RANGE;
      auto narrow = static_cast<std::uint32_t>(value);
      std::memcpy(out, &narrow, sizeof narrow);
      return SIMBOARD_OK;
    }
    case runtime::kTypeInt64:
    case runtime::kTypeUint64:
      // Values never reach 2^63, so both 64-bit forms hold the same pattern.
      std::memcpy(out, &value, sizeof value);
      return SIMBOARD_OK;
    case runtime::kTypeDouble: {
      auto real = static_cast<double>(value);
      std::memcpy(out, &real, sizeof real);
      return SIMBOARD_OK;
    }
    default:
      return SIMBOARD_WRONG_TYPE;
  }
}

std::int32_t writeRuntimeValue(const void* value, std::int32_t type, std::uint32_t& result) {
  constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
  switch (type) {
    case runtime::kTypeUint32:
      std::memcpy(&result, value, sizeof result);
      return SIMBOARD_OK;
    case runtime::kTypeInt64: {
      std::int64_t wide = 0;
      std::memcpy(&wide, value, sizeof wide);
      if (wide < 0 || static_cast<std::uint64_t>(wide) > kLargest) return SIMBOARD_OUT_OF_RANGE;
      result = static_cast<std::uint32_t>(wide);
      return SIMBOARD_OK;
    }
    case runtime::kTypeUint64: {
      std::uint64_t wide = 0;
      std::memcpy(&wide, value, sizeof wide);
      if (wide > kLargest) return SIMBOARD_OUT_OF_RANGE;
      result = static_cast<std::uint32_t>(wide);
      return SIMBOARD_OK;
    }
    case runtime::kTypeDouble: {
      double real = 0;
      std::memcpy(&real, value, sizeof real);
      if (!(real >= 0.0 && real <= static_cast<double>(kLargest)) || std::trunc(real) != real) {
        return SIMBOARD_OUT_OF_RANGE;
      }
      result = static_cast<std::uint32_t>(real);
      return SIMBOARD_OK;
    }
    default:
      return SIMBOARD_WRONG_TYPE;
  }
}

void RuntimeParameters::reset() {
  for (std::size_t i = 0; i < kRuntimeParameters.size(); ++i) {
    values_[i] = kRuntimeParameters[i].initial;
  }
}

}  // namespace brenvik::simboard
