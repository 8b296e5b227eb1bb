// RecursiveMutex: lock and unlock with the recursion count.
#include "platform/locks/RecursiveMutex.h"

namespace vurn::templates::platform {

void RecursiveMutex::lock() {
  mutex_.wait();
  recursionCount_.fetch_add(1, std::memory_order_relaxed);
}

void RecursiveMutex::unlock() {
  mutex_.release();
  recursionCount_.fetch_sub(1, std::memory_order_relaxed);
}

}  // namespace vurn::templates::platform
