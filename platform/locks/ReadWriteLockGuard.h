// ReadWriteLockGuard: holds a ReadWriteLock for reading or writing for the guard's lifetime.
#pragma once

#include <cstdint>

#include "platform/locks/Guard.h"
#include "platform/locks/ReadWriteLock.h"

namespace vurn::templates::platform {

// Mode 1 locks for reading, mode 2 for writing; any other mode locks nothing.
// Thread-safety: a guard belongs to the thread that made it.
class ReadWriteLockGuard : public patterns::Guard<ReadWriteLock*> {
 public:
  static constexpr std::uint32_t kRead = 1;
  static constexpr std::uint32_t kWrite = 2;

  ReadWriteLockGuard(ReadWriteLock* lock, std::uint32_t mode)
      : Guard<ReadWriteLock*>(lock), mode_(mode) {
    if (lock_ == nullptr) return;
    if (mode_ == kRead) {
      lock_->lockRead();
      owns_ = true;
    } else if (mode_ == kWrite) {
      lock_->lockWrite();
      owns_ = true;
    }
  }
  ReadWriteLockGuard(ReadWriteLock& lock, std::uint32_t mode) : ReadWriteLockGuard(&lock, mode) {}
  ~ReadWriteLockGuard() override {
    if (owns_) lock_->unlock();
  }

  std::uint32_t mode() const { return mode_; }

 private:
  std::uint32_t mode_;
};

}  // namespace vurn::templates::platform
