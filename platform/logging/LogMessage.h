// logMessage: builds "thread-id=<id>|<message>" and logs it, only when the level is enabled.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>

#include "platform/logging/Logger.h"
#include "platform/os/Process.h"

namespace vurn::tools::logging {

// Streams the parts, in order, after "thread-id=<calling thread id>|" and logs the result at
// `level`. When the logger is null or not enabled for the level nothing is formatted.
template <typename... Parts>
void logMessage(Logger* logger, std::uint32_t level, const Parts&... parts) {
  if (logger == nullptr || !logger->isEnabledFor(level)) return;
  std::ostringstream stream;
  stream << "thread-id=" << ::brenvik::platform::currentThreadId() << '|';
  (stream << ... << parts);
  const std::string text = stream.str();
  logger->log(level, text.c_str(), 0, 0);
}

}  // namespace vurn::tools::logging
