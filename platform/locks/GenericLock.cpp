// GenericLock: enter/leave bookkeeping and the misuse checks.
#include "platform/locks/GenericLock.h"

#include <stdexcept>

namespace vurn::templates::patterns {

GenericLock::~GenericLock() noexcept(false) {
  if (isHeld()) throw std::logic_error("GenericLock object destroyed with lock still held");
}

void GenericLock::failReentry() {
  throw std::logic_error("GenericLock object got lock but is already marked as locked");
}

void GenericLock::failUnheldLeave() {
  throw std::logic_error("GenericLock::leave() called with lock not held");
}

}  // namespace vurn::templates::patterns
