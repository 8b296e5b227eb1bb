// Synchronisation objects of the operating system behind small classes: a critical
// section, a recursive mutex and a manual-reset event. The lock classes of
// vurn::templates build on these.
#pragma once

#include <memory>

namespace brenvik::platform {

// A critical section: blocking, re-entrant for its owning thread.
class NativeCriticalSection {
 public:
  NativeCriticalSection();
  ~NativeCriticalSection();
  NativeCriticalSection(const NativeCriticalSection&) = delete;
  NativeCriticalSection& operator=(const NativeCriticalSection&) = delete;
  void enter();
  bool tryEnter();
  void leave();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// An unnamed mutex, created not owned; re-entrant for its owning thread.
class NativeMutex {
 public:
  NativeMutex();
  ~NativeMutex();
  NativeMutex(const NativeMutex&) = delete;
  NativeMutex& operator=(const NativeMutex&) = delete;
  void wait();  // without time limit
  void release();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// A manual-reset event.
class NativeEvent {
 public:
  explicit NativeEvent(bool initiallySet);
  ~NativeEvent();
  NativeEvent(const NativeEvent&) = delete;
  NativeEvent& operator=(const NativeEvent&) = delete;
  void set();
  void reset();
  void wait();  // until set, without time limit

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace brenvik::platform
