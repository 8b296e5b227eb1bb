// SpinLockVariableGuard: a busy-waiting lock on a 32-bit variable, re-entrant for its owner.
#pragma once

#include <atomic>
#include <cstdint>

namespace vurn::templates::platform {

// Takes the spin variable from 0 to 1 for the guard's lifetime. With an owner variable, the
// owning thread's id is kept there and a second guard made by that thread neither spins nor
// releases. For short, rare sections only (one-time creation and clean-up work).
// Thread-safety: the variables are shared; a guard belongs to the thread that made it.
class SpinLockVariableGuard {
 public:
  explicit SpinLockVariableGuard(std::atomic<std::uint32_t>* spinVariable,
                                 std::atomic<std::uint32_t>* ownerVariable = nullptr);
  virtual ~SpinLockVariableGuard();
  SpinLockVariableGuard(const SpinLockVariableGuard&) = delete;
  SpinLockVariableGuard& operator=(const SpinLockVariableGuard&) = delete;

  bool ownsLock() const { return owns_; }

 private:
  std::atomic<std::uint32_t>* spinVariable_;
  std::atomic<std::uint32_t>* ownerVariable_;
  bool owns_;
};

}  // namespace vurn::templates::platform
