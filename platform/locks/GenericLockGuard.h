// GenericLockGuard: enters a GenericLock for the guard's lifetime.
#pragma once

#include "platform/locks/GenericLock.h"
#include "platform/locks/Guard.h"

namespace vurn::templates::patterns {

// Enters the lock on construction (misuse throws from there, leaving the guard unowned) and
// leaves it on destruction. Thread-safety: a guard belongs to the thread that made it.
class GenericLockGuard : public Guard<GenericLock*> {
 public:
  explicit GenericLockGuard(GenericLock* lock) : Guard<GenericLock*>(lock) {
    if (lock_ == nullptr) return;
    lock_->enter();
    owns_ = true;
  }
  ~GenericLockGuard() override {
    if (owns_) lock_->leave();
  }
};

}  // namespace vurn::templates::patterns
