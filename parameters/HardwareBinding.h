// HardwareBinding: the runtime ids of the bound hardware parameters (tolqIds) and typed
// reads and writes by slot through the SDK runtime, always on DMA 0.
#pragma once

#include <array>
#include <cstdint>

#include "parameters/HardwareParameters.h"
#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"
#include "runtime/SdkRuntime.h"

namespace vurn::tools::logging {
class Logger;
}

namespace brenvik::parameters {

// Thread-safety: bound once during creation; the reads and writes run under the caller's
// parameter lock.
class HardwareBinding {
 public:
  explicit HardwareBinding(const runtime::AppletServices& services) : services_(services) {}
  HardwareBinding(const HardwareBinding&) = delete;
  HardwareBinding& operator=(const HardwareBinding&) = delete;

  // Asks the SDK runtime for the id of every name, in slot order, and keeps whatever it
  // answers. A name it does not know (id 0 or below) is logged at level 4; binding goes on.
  void bind(vurn::tools::logging::Logger* logger);

  std::uint32_t id(Hw slot) const { return ids_[slotIndex(slot)]; }
  const std::array<std::uint32_t, kHardwareParameterCount>& ids() const { return ids_; }

  // The runtime's result of a read or write (0 on success), raising nothing.
  int read(Hw slot, void* value, int type) const {
    return services_.getParameter(static_cast<int>(id(slot)), value, kHardwareDma, type);
  }
  int write(Hw slot, const void* value, int type) const {
    return services_.setParameter(static_cast<int>(id(slot)), value, kHardwareDma, type);
  }

  // Reads that raise the runtime's non-zero result as the error code.
  void readInto(Hw slot, void* value, int type) const;
  std::uint32_t readUint32(Hw slot) const;

  // The write of the set path: with reportErrors a null value raises -2070 and a non-zero
  // result is raised; without it both are ignored. (Inline: every setter's writes go here.)
  void write(Hw slot, const void* value, int type, bool reportErrors) const {
    if (value == nullptr) {
      if (reportErrors) codes::raise(codes::kInvalidParameter);
      return;
    }
    const int result = write(slot, value, type);
    if (result != 0 && reportErrors) codes::raise(result);
  }
  void writeUint32(Hw slot, std::uint32_t value, bool reportErrors) const {
    write(slot, &value, runtime::kTypeUint32, reportErrors);
  }

 private:
  static constexpr std::uint32_t kHardwareDma = 0;  // hardware parameters belong to no DMA

  const runtime::AppletServices& services_;
  std::array<std::uint32_t, kHardwareParameterCount> ids_{};
};

}  // namespace brenvik::parameters
