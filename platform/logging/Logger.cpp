// Logger: level test, forwarding to the facility and per-thread muting.
#include "platform/logging/Logger.h"

#include "platform/locks/RecursiveMutexGuard.h"
#include "platform/logging/Logging.h"
#include "platform/os/Process.h"

namespace vurn::tools::logging {

Logger::Logger(std::uint64_t dispatcherId, std::uint32_t threshold)
    : dispatcherId_(dispatcherId), threshold_(threshold) {}

bool Logger::isEnabledFor(std::uint32_t level) {
  if (level < threshold()) return false;
  const std::uint32_t self = ::brenvik::platform::currentThreadId();
  templates::platform::RecursiveMutexGuard guard(mutedLock_);
  return mutedThreads_.find(self) == mutedThreads_.end();
}

void Logger::log(std::uint32_t level, const char* text, std::uint64_t a, std::uint64_t b) {
  Logging::instance().forward(dispatcherId_, level, text, a, b);
}

void Logger::setThreadEnabled(bool enabled) {
  const std::uint32_t self = ::brenvik::platform::currentThreadId();
  templates::platform::RecursiveMutexGuard guard(mutedLock_);
  if (enabled) {
    mutedThreads_.erase(self);
  } else {
    mutedThreads_.insert(self);
  }
}

}  // namespace vurn::tools::logging
