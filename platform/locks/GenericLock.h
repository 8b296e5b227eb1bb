// GenericLock: the lock contract of the family; a held flag turns unbalanced use into exceptions.
#pragma once

#include <atomic>

namespace vurn::templates::patterns {

// A lock that knows whether it is held. enter() and leave() wrap the subclass's acquire() and
// release() and throw std::logic_error on unbalanced use (entering twice, leaving unheld)
// instead of deadlocking or silently re-entering. Destroying a held lock is a programming
// error and throws as well, which is why the destructor of this class and of every subclass
// is noexcept(false); locks are meant to be held through guards whose lifetime ends first.
// Thread-safety: enter/leave from any thread; only the holder may leave.
class GenericLock {
 public:
  GenericLock() = default;
  virtual ~GenericLock() noexcept(false);
  GenericLock(const GenericLock&) = delete;
  GenericLock& operator=(const GenericLock&) = delete;

  // The primitive operations; they do not touch the held flag.
  virtual void acquire() = 0;      // blocks until the lock is taken
  virtual bool tryAcquire() = 0;   // true when the lock was taken
  virtual void release() = 0;

  // Acquire, then mark held. A lock already marked held is released once again and
  // std::logic_error is thrown, so re-entry by the holder fails loudly. Inline, so that a
  // guard over a lock of a known final type calls its primitives directly.
  void enter() {
    acquire();
    if (isHeld()) {
      // The section underneath is re-entrant, so the holder got it a second time: give that
      // second hold back and report the misuse.
      release();
      failReentry();
    }
    held_.store(true, std::memory_order_relaxed);
  }
  // Unmark, then release; std::logic_error when the lock is not held.
  void leave() {
    if (!isHeld()) failUnheldLeave();
    held_.store(false, std::memory_order_relaxed);
    release();
  }

  bool isHeld() const { return held_.load(std::memory_order_relaxed); }

 private:
  [[noreturn]] static void failReentry();
  [[noreturn]] static void failUnheldLeave();

  std::atomic<bool> held_{false};
};

}  // namespace vurn::templates::patterns
