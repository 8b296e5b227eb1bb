// POSIX backend of the native synchronisation objects (pthread mutexes and conditions).
#include "platform/os/NativeSync.h"

#include <pthread.h>

#include <atomic>

namespace brenvik::platform {

namespace {
void initRecursive(pthread_mutex_t& mutex) {
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(&mutex, &attributes);
  pthread_mutexattr_destroy(&attributes);
}
}  // namespace

// A plain mutex with the owner and a depth beside it: re-entry by the owner only counts, so
// the common case costs what an uncontended plain mutex costs (a recursive pthread mutex
// takes the slower generic path on every call). Other threads read the owner without the
// mutex, so it is atomic, and a thread can only ever find itself there when it holds it. "No
// owner" is a zero thread handle: the supported C libraries never give a thread that value.
struct NativeCriticalSection::State {
  pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
  std::atomic<pthread_t> owner{};
  unsigned depth = 0;
};

namespace {
pthread_t callingThread() { return pthread_self(); }
}  // namespace

NativeCriticalSection::NativeCriticalSection() : state_(std::make_unique<State>()) {}
NativeCriticalSection::~NativeCriticalSection() { pthread_mutex_destroy(&state_->mutex); }
void NativeCriticalSection::enter() {
  State& state = *state_;
  const pthread_t self = callingThread();
  if (state.owner.load(std::memory_order_relaxed) == self) {
    ++state.depth;
    return;
  }
  pthread_mutex_lock(&state.mutex);
  state.owner.store(self, std::memory_order_relaxed);
  state.depth = 1;
}
bool NativeCriticalSection::tryEnter() {
  State& state = *state_;
  const pthread_t self = callingThread();
  if (state.owner.load(std::memory_order_relaxed) == self) {
    ++state.depth;
    return true;
  }
  if (pthread_mutex_trylock(&state.mutex) != 0) return false;
  state.owner.store(self, std::memory_order_relaxed);
  state.depth = 1;
  return true;
}
void NativeCriticalSection::leave() {
  State& state = *state_;
  if (--state.depth != 0) return;
  state.owner.store(pthread_t{}, std::memory_order_relaxed);
  pthread_mutex_unlock(&state.mutex);
}

struct NativeMutex::State {
  pthread_mutex_t mutex;
};

NativeMutex::NativeMutex() : state_(std::make_unique<State>()) { initRecursive(state_->mutex); }
NativeMutex::~NativeMutex() { pthread_mutex_destroy(&state_->mutex); }
void NativeMutex::wait() { pthread_mutex_lock(&state_->mutex); }
void NativeMutex::release() { pthread_mutex_unlock(&state_->mutex); }

struct NativeEvent::State {
  pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
  pthread_cond_t condition = PTHREAD_COND_INITIALIZER;
  bool set = false;
};

NativeEvent::NativeEvent(bool initiallySet) : state_(std::make_unique<State>()) {
  state_->set = initiallySet;
}
NativeEvent::~NativeEvent() {
  pthread_cond_destroy(&state_->condition);
  pthread_mutex_destroy(&state_->mutex);
}
void NativeEvent::set() {
  pthread_mutex_lock(&state_->mutex);
  state_->set = true;
  pthread_cond_broadcast(&state_->condition);
  pthread_mutex_unlock(&state_->mutex);
}
void NativeEvent::reset() {
  pthread_mutex_lock(&state_->mutex);
  state_->set = false;
  pthread_mutex_unlock(&state_->mutex);
}
void NativeEvent::wait() {
  pthread_mutex_lock(&state_->mutex);
  while (!state_->set) pthread_cond_wait(&state_->condition, &state_->mutex);
  pthread_mutex_unlock(&state_->mutex);
}

}  // namespace brenvik::platform
