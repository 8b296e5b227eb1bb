// SpinLockVariableGuard: compare-and-swap spinning and the owner-thread re-entry check.
#include "platform/locks/SpinLockVariableGuard.h"

#include "platform/os/Process.h"

namespace vurn::templates::platform {

SpinLockVariableGuard::SpinLockVariableGuard(std::atomic<std::uint32_t>* spinVariable,
                                             std::atomic<std::uint32_t>* ownerVariable)
    : spinVariable_(spinVariable), ownerVariable_(ownerVariable), owns_(false) {
  if (spinVariable_ == nullptr) return;
  const std::uint32_t self = ::brenvik::platform::currentThreadId();
  if (ownerVariable_ != nullptr && ownerVariable_->load(std::memory_order_relaxed) == self) return;
  for (;;) {
    std::uint32_t expected = 0;
    if (spinVariable_->compare_exchange_weak(expected, 1, std::memory_order_acquire,
                                             std::memory_order_relaxed)) {
      break;
    }
    ::brenvik::platform::yieldThread();
  }
  if (ownerVariable_ != nullptr) ownerVariable_->store(self, std::memory_order_relaxed);
  owns_ = true;
}

SpinLockVariableGuard::~SpinLockVariableGuard() {
  if (!owns_) return;
  if (ownerVariable_ != nullptr) ownerVariable_->store(0, std::memory_order_relaxed);
  spinVariable_->store(0, std::memory_order_release);
}

}  // namespace vurn::templates::platform
