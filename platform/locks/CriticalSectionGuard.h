// CriticalSectionGuard: holds a CriticalSection for the guard's lifetime.
#pragma once

#include "platform/locks/CriticalSection.h"
#include "platform/locks/GenericLockGuard.h"

namespace vurn::templates::platform {

// Thread-safety: a guard belongs to the thread that made it.
class CriticalSectionGuard : public patterns::GenericLockGuard {
 public:
  explicit CriticalSectionGuard(CriticalSection* section) : GenericLockGuard(section) {}
  explicit CriticalSectionGuard(CriticalSection& section) : GenericLockGuard(&section) {}
};

}  // namespace vurn::templates::platform
