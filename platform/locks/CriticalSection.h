// CriticalSection: a GenericLock over a native critical section, its own or a borrowed one.
#pragma once

#include <optional>

#include "platform/locks/GenericLock.h"
#include "platform/os/NativeSync.h"

namespace vurn::templates::platform {

// Thread-safety: shared between threads; blocks without time limit; not re-entrant through
// enter() (the held flag forbids it).
class CriticalSection final : public patterns::GenericLock {
 public:
  // Uses a section of its own.
  CriticalSection();
  // Uses a section that somebody else owns and outlives this object.
  explicit CriticalSection(::brenvik::platform::NativeCriticalSection& borrowed);
  // Deletes its own section first (a held one is left once before, so the native object is
  // never deleted while locked), then GenericLock throws if the lock was still held.
  ~CriticalSection() noexcept(false) override;

  void acquire() override { section_->enter(); }
  bool tryAcquire() override { return section_->tryEnter(); }
  void release() override { section_->leave(); }

  bool isBorrowed() const { return borrowed_; }

 private:
  bool borrowed_;
  std::optional<::brenvik::platform::NativeCriticalSection> own_;
  ::brenvik::platform::NativeCriticalSection* section_;
};

}  // namespace vurn::templates::platform
