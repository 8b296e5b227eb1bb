// POSIX backend of the native synchronisation objects (pthread mutexes and conditions).
#include "platform/os/NativeSync.h"

#include <pthread.h>

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

struct NativeCriticalSection::State {
  pthread_mutex_t mutex;
};

NativeCriticalSection::NativeCriticalSection() : state_(std::make_unique<State>()) {
  initRecursive(state_->mutex);
}
NativeCriticalSection::~NativeCriticalSection() { pthread_mutex_destroy(&state_->mutex); }
void NativeCriticalSection::enter() { pthread_mutex_lock(&state_->mutex); }
bool NativeCriticalSection::tryEnter() { return pthread_mutex_trylock(&state_->mutex) == 0; }
void NativeCriticalSection::leave() { pthread_mutex_unlock(&state_->mutex); }

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
