// RecursiveMutexGuard: holds a RecursiveMutex for the guard's lifetime.
#pragma once

#include "platform/locks/Guard.h"
#include "platform/locks/RecursiveMutex.h"

namespace vurn::templates::platform {

// Thread-safety: a guard belongs to the thread that made it; guards may nest on one mutex.
class RecursiveMutexGuard : public patterns::Guard<RecursiveMutex*> {
 public:
  explicit RecursiveMutexGuard(RecursiveMutex* mutex) : Guard<RecursiveMutex*>(mutex) {
    if (lock_ == nullptr) return;
    lock_->lock();
    owns_ = true;
  }
  explicit RecursiveMutexGuard(RecursiveMutex& mutex) : RecursiveMutexGuard(&mutex) {}
  ~RecursiveMutexGuard() override {
    if (owns_) lock_->unlock();
  }
};

}  // namespace vurn::templates::platform
