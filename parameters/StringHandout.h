// StringHandout: the scratch buffer where string getters produce a text that is handed out
// (type 22), and the set of handed-out copies not yet given back.
#pragma once

#include <cstddef>
#include <memory>
#include <set>

#include "platform/locks/CriticalSection.h"

namespace brenvik::parameters {

// Thread-safety: the scratch buffer is used by gets, which run under the parameter lock; the
// set of handed-out copies has a lock of its own, because releases come without the parameter
// lock, from any thread, possibly twice for the same text.
class StringHandout {
 public:
  static constexpr std::size_t kBufferSize = 655360;

  StringHandout();
  ~StringHandout();  // frees every copy still handed out
  StringHandout(const StringHandout&) = delete;
  StringHandout& operator=(const StringHandout&) = delete;

  // The scratch buffer with its first byte cleared: kBufferSize bytes, followed by a byte
  // that stays 0.
  char* scratch();
  // A copy of the text in the scratch buffer, recorded as handed out; null when out of memory.
  char* handOut();
  // Takes back a handed-out copy and frees it; false for an address that is not handed out.
  bool release(const void* text);

  std::size_t outstanding() const;

 private:
  std::unique_ptr<char[]> buffer_;
  mutable vurn::templates::platform::CriticalSection givenLock_;
  std::set<char*> given_;
};

}  // namespace brenvik::parameters
