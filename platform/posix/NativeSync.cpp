// POSIX backend of the native synchronisation objects: a lock word for the critical section,
// pthread mutexes and conditions for the others.
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

// A lock word with the owner and a depth beside it: re-entry by the owner only counts, and
// taking and leaving an uncontended section is one atomic exchange each, inline, where a
// pthread mutex adds a call and its type checks to both. The word is 0 when free, 1 when
// held, 2 when held with (possibly) a thread asleep on it; only a leave that finds 2 wakes
// one (the futex-based mutex of the literature, on C++20's atomic wait). Other threads read
// the owner without the lock, so it is atomic, and a thread can only ever find itself there
// when it holds it. "No owner" is a zero thread handle: the supported C libraries never give
// a thread that value.
struct NativeCriticalSection::State {
  std::atomic<int> word{0};
  std::atomic<pthread_t> owner{};
  unsigned depth = 0;
};

namespace {
constexpr int kFree = 0;
constexpr int kHeld = 1;
constexpr int kContended = 2;

pthread_t callingThread() { return pthread_self(); }

// Takes the word from a holder: marks it contended and sleeps until a leave hands it over.
// Kept out of line (noinline), so that an uncontended enter saves and restores no registers.
[[gnu::noinline]] void waitForWord(std::atomic<int>& word, int seen) {
  if (seen != kContended) seen = word.exchange(kContended, std::memory_order_acquire);
  while (seen != kFree) {
    word.wait(kContended, std::memory_order_relaxed);
    seen = word.exchange(kContended, std::memory_order_acquire);
  }
}
}  // namespace

NativeCriticalSection::NativeCriticalSection() : state_(std::make_unique<State>()) {}
NativeCriticalSection::~NativeCriticalSection() = default;
void NativeCriticalSection::enter() {
  State& state = *state_;
  const pthread_t self = callingThread();
  if (state.owner.load(std::memory_order_relaxed) == self) {
    ++state.depth;
    return;
  }
  int seen = kFree;
  if (!state.word.compare_exchange_strong(seen, kHeld, std::memory_order_acquire,
                                          std::memory_order_relaxed)) {
    waitForWord(state.word, seen);
  }
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
  int seen = kFree;
  if (!state.word.compare_exchange_strong(seen, kHeld, std::memory_order_acquire,
                                          std::memory_order_relaxed)) {
    return false;
  }
  state.owner.store(self, std::memory_order_relaxed);
  state.depth = 1;
  return true;
}
void NativeCriticalSection::leave() {
  State& state = *state_;
  if (--state.depth != 0) return;
  state.owner.store(pthread_t{}, std::memory_order_relaxed);
  if (state.word.exchange(kFree, std::memory_order_release) == kContended) state.word.notify_one();
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
