// DispatcherLibrary: the facility's record of the loaded logging dispatcher library.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/os/DynamicLibrary.h"

namespace vurn::tools::logging {

// After a failed load the record stays, with a null module, so that the error can be
// looked at; it is not reported anywhere else.
// Thread-safety: written once while the facility is made, read-only afterwards.
struct DispatcherLibrary {
  std::unique_ptr<::brenvik::platform::DynamicLibrary> module;  // null when not loaded
  bool loaded = false;                                           // true while module is set
  std::string path;
  std::uint32_t errorCode = 0;  // platform error of the last failed load, 0 after success
  std::string errorMessage;     // that error's system message, empty after success
};

}  // namespace vurn::tools::logging
