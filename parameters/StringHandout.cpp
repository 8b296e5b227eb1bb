// Handing out copies of string parameters and taking them back.
#include "parameters/StringHandout.h"

#include <cstdlib>
#include <cstring>

#include "platform/locks/CriticalSectionGuard.h"

namespace brenvik::parameters {

StringHandout::StringHandout() : buffer_(new char[kBufferSize + 1]) {
  buffer_[0] = '\0';
  buffer_[kBufferSize] = '\0';
}

StringHandout::~StringHandout() {
  for (char* text : given_) std::free(text);
}

char* StringHandout::scratch() {
  buffer_[0] = '\0';
  return buffer_.get();
}

char* StringHandout::handOut() {
  // A getter never writes past the buffer's end, so the last byte still terminates it.
  const std::size_t length = std::strlen(buffer_.get());
  auto* copy = static_cast<char*>(std::malloc(length + 1));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, buffer_.get(), length + 1);
  vurn::templates::platform::CriticalSectionGuard guard(&givenLock_);
  try {
    given_.insert(copy);
  } catch (...) {
    std::free(copy);
    throw;
  }
  return copy;
}

bool StringHandout::release(const void* text) {
  vurn::templates::platform::CriticalSectionGuard guard(&givenLock_);
  const auto given = given_.find(static_cast<char*>(const_cast<void*>(text)));
  if (given == given_.end()) return false;
  std::free(*given);
  given_.erase(given);
  return true;
}

std::size_t StringHandout::outstanding() const {
  vurn::templates::platform::CriticalSectionGuard guard(&givenLock_);
  return given_.size();
}

}  // namespace brenvik::parameters
