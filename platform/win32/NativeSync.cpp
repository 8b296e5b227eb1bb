// Win32 backend of the native synchronisation objects: a critical section, an unnamed mutex
// and a manual-reset event.
#include "platform/os/NativeSync.h"

#include <windows.h>

namespace brenvik::platform {

struct NativeCriticalSection::State {
  CRITICAL_SECTION section;
};

NativeCriticalSection::NativeCriticalSection() : state_(std::make_unique<State>()) {
  InitializeCriticalSection(&state_->section);
}
NativeCriticalSection::~NativeCriticalSection() { DeleteCriticalSection(&state_->section); }
void NativeCriticalSection::enter() { EnterCriticalSection(&state_->section); }
bool NativeCriticalSection::tryEnter() { return TryEnterCriticalSection(&state_->section) != 0; }
void NativeCriticalSection::leave() { LeaveCriticalSection(&state_->section); }

struct NativeMutex::State {
  HANDLE mutex;
};

NativeMutex::NativeMutex() : state_(std::make_unique<State>()) {
  state_->mutex = CreateMutexA(nullptr, FALSE, nullptr);
}
NativeMutex::~NativeMutex() {
  if (state_->mutex != nullptr) CloseHandle(state_->mutex);
}
void NativeMutex::wait() { WaitForSingleObject(state_->mutex, INFINITE); }
void NativeMutex::release() { ReleaseMutex(state_->mutex); }

struct NativeEvent::State {
  HANDLE event;
};

NativeEvent::NativeEvent(bool initiallySet) : state_(std::make_unique<State>()) {
  state_->event = CreateEventA(nullptr, TRUE, initiallySet ? TRUE : FALSE, nullptr);
}
NativeEvent::~NativeEvent() {
  if (state_->event != nullptr) CloseHandle(state_->event);
}
void NativeEvent::set() { SetEvent(state_->event); }
void NativeEvent::reset() { ResetEvent(state_->event); }
void NativeEvent::wait() { WaitForSingleObject(state_->event, INFINITE); }

}  // namespace brenvik::platform
