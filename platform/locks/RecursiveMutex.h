// RecursiveMutex: a native mutex that its owning thread may take again, with a recursion count.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/os/NativeSync.h"

namespace vurn::templates::platform {

// Thread-safety: shared between threads; re-entrant for the owner; blocks without time limit.
class RecursiveMutex {
 public:
  RecursiveMutex() = default;
  virtual ~RecursiveMutex() = default;
  RecursiveMutex(const RecursiveMutex&) = delete;
  RecursiveMutex& operator=(const RecursiveMutex&) = delete;

  // Waits for the mutex, then counts one more hold.
  void lock();
  // Releases the mutex, then counts one hold less.
  void unlock();

  // Holds counted so far (diagnostics; racy by nature while other threads use the mutex).
  std::int32_t recursionCount() const { return recursionCount_.load(std::memory_order_relaxed); }

 private:
  ::brenvik::platform::NativeMutex mutex_;
  std::atomic<std::int32_t> recursionCount_{0};
};

}  // namespace vurn::templates::platform
