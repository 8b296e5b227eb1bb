// GuardedSingletonBase: the process-exit clean-up list of guarded singletons.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/logging/GuardedSingleton.h"

namespace vurn::tools::logging {

namespace {

std::atomic<std::uint32_t> listSpin{0};
std::atomic<std::uint32_t> listOwner{0};
std::vector<GuardedSingletonBase*>* cleanupList = nullptr;  // under listSpin
bool cleanupInstalled = false;                               // under listSpin

// Registered with atexit, which ties it to this module: it runs when the module is
// unloaded or the process ends, whichever comes first.
void destroySingletons() {
  for (;;) {
    GuardedSingletonBase* singleton = nullptr;
    {
      templates::platform::SpinLockVariableGuard guard(&listSpin, &listOwner);
      if (cleanupList == nullptr || cleanupList->empty()) {
        delete cleanupList;
        cleanupList = nullptr;
        return;
      }
      singleton = cleanupList->back();
      cleanupList->pop_back();
    }
    GuardedSingletonBase** instancePointer = singleton->instancePointerAddress();
    delete singleton;
    *instancePointer = nullptr;
  }
}

}  // namespace

void GuardedSingletonBase::hook() {}

GuardedSingletonBase::~GuardedSingletonBase() = default;

void GuardedSingletonBase::registerForCleanup(GuardedSingletonBase* singleton) {
  templates::platform::SpinLockVariableGuard guard(&listSpin, &listOwner);
  if (cleanupList == nullptr) cleanupList = new std::vector<GuardedSingletonBase*>();
  cleanupList->push_back(singleton);
  if (!cleanupInstalled) {
    cleanupInstalled = true;
    std::atexit(destroySingletons);
  }
}

}  // namespace vurn::tools::logging
