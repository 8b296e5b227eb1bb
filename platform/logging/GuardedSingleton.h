// GuardedSingleton: process-wide objects made once under a spin lock, destroyed at unload.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/locks/SpinLockVariableGuard.h"

namespace vurn::tools::logging {

// The part of every guarded singleton that the process-exit clean-up list knows about. The
// list destroys its singletons, newest first, when the module is unloaded (or the process
// ends), and clears each one's instance pointer afterwards.
// Thread-safety: registration is guarded by the list's own spin lock.
class GuardedSingletonBase {
 public:
  // A hook for subclasses; it does nothing here.
  virtual void hook();
  // Address of the process-wide instance pointer of the concrete singleton.
  virtual GuardedSingletonBase** instancePointerAddress() = 0;
  virtual ~GuardedSingletonBase();
  GuardedSingletonBase(const GuardedSingletonBase&) = delete;
  GuardedSingletonBase& operator=(const GuardedSingletonBase&) = delete;

 protected:
  GuardedSingletonBase() = default;
  // Adds a singleton to the clean-up list, which then owns it.
  static void registerForCleanup(GuardedSingletonBase* singleton);
};

// The process-wide instance of T, made on first use: T's constructor, registration with the
// clean-up list, then T::initialise(). Creation is exclusive through a spin lock that the
// creating thread may re-enter, so initialise() may itself ask for the instance. Other
// threads see the instance only once initialise() has finished; after that, instance() is
// one atomic load.
// Thread-safety: instance() may be called from any thread.
template <typename T>
class GuardedSingleton : public GuardedSingletonBase {
 public:
  static T& instance();

  GuardedSingletonBase** instancePointerAddress() override { return &instance_; }
  ~GuardedSingleton() override { ready_.store(nullptr, std::memory_order_release); }

 protected:
  GuardedSingleton() = default;
  // The instance once initialise() has finished and until it is destroyed; never creates.
  static T* existingInstance() { return ready_.load(std::memory_order_acquire); }

 private:
  static inline GuardedSingletonBase* instance_ = nullptr;  // written under the spin lock
  static inline std::atomic<T*> ready_{nullptr};            // published after initialise()
  static inline std::atomic<std::uint32_t> spin_{0};
  static inline std::atomic<std::uint32_t> owner_{0};
};

template <typename T>
T& GuardedSingleton<T>::instance() {
  if (T* ready = ready_.load(std::memory_order_acquire)) return *ready;
  templates::platform::SpinLockVariableGuard guard(&spin_, &owner_);
  if (instance_ == nullptr) {
    T* created = new T();
    instance_ = created;
    registerForCleanup(created);
    created->initialise();
    ready_.store(created, std::memory_order_release);
  }
  return *static_cast<T*>(instance_);
}

}  // namespace vurn::tools::logging
