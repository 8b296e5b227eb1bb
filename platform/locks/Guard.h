// Guard: the scoped-guard template that every lock guard of the family derives from.
#pragma once

namespace vurn::templates::patterns {

// Holds a lock pointer and whether this guard owns the lock. Subclasses lock in their
// constructor and unlock in their destructor when they own the lock. A null lock pointer
// makes a guard that locks nothing.
// Thread-safety: a guard belongs to the thread that made it.
template <typename LockPtr>
class Guard {
 public:
  virtual ~Guard() = default;
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

  bool ownsLock() const { return owns_; }

 protected:
  explicit Guard(LockPtr lock) : lock_(lock), owns_(false) {}

  LockPtr lock_;
  bool owns_;
};

}  // namespace vurn::templates::patterns
