// GenericLock: enter/leave bookkeeping and the misuse checks.
#include "platform/locks/GenericLock.h"

#include <stdexcept>

namespace vurn::templates::patterns {

GenericLock::~GenericLock() noexcept(false) {
  if (isHeld()) throw std::logic_error("GenericLock object destroyed with lock still held");
}

void GenericLock::enter() {
  acquire();
  if (isHeld()) {
    // The section underneath is re-entrant, so the holder got it a second time: give that
    // second hold back and report the misuse.
    release();
    throw std::logic_error("GenericLock object got lock but is already marked as locked");
  }
  held_.store(true, std::memory_order_relaxed);
}

void GenericLock::leave() {
  if (!isHeld()) throw std::logic_error("GenericLock::leave() called with lock not held");
  held_.store(false, std::memory_order_relaxed);
  release();
}

}  // namespace vurn::templates::patterns
