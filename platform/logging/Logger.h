// Logger: one named logger of the logging facility, with its threshold and muted threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <set>

#include "platform/locks/RecursiveMutex.h"

namespace vurn::tools::logging {

// A message of level L passes when L >= threshold and the calling thread is not muted.
// Thread-safety: every operation may be called from any thread. The threshold is read
// without a lock, so a concurrent change may or may not be seen by a message in flight.
class Logger {
 public:
  static constexpr std::uint32_t kDefaultThreshold = 7;

  explicit Logger(std::uint64_t dispatcherId, std::uint32_t threshold = kDefaultThreshold);
  virtual ~Logger() = default;
  Logger(const Logger&) = delete;
  Logger& operator=(const Logger&) = delete;

  // Below the threshold: false at the cost of one comparison. Otherwise false only for a
  // muted calling thread.
  bool isEnabledFor(std::uint32_t level);
  // Hands the text to the dispatcher when one is attached. Does not test the threshold:
  // ask isEnabledFor first.
  void log(std::uint32_t level, const char* text, std::uint64_t a = 0, std::uint64_t b = 0);
  // Un-mutes (true) or mutes (false) the calling thread for this logger.
  void setThreadEnabled(bool enabled);

  std::uint32_t threshold() const { return threshold_.load(std::memory_order_relaxed); }
  void setThreshold(std::uint32_t threshold) {
    threshold_.store(threshold, std::memory_order_relaxed);
  }
  std::uint64_t dispatcherId() const { return dispatcherId_; }

 private:
  std::uint64_t dispatcherId_;
  templates::platform::RecursiveMutex mutedLock_;
  std::set<std::uint32_t> mutedThreads_;
  std::atomic<std::uint32_t> threshold_;
};

}  // namespace vurn::tools::logging
