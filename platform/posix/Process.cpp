// POSIX backend of the process facts.
#include "platform/os/Process.h"

#include <dlfcn.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <clocale>
#include <cstdlib>

namespace brenvik::platform {

std::optional<std::string> modulePathOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr || *info.dli_fname == '\0') {
    return std::nullopt;
  }
  char resolved[PATH_MAX];
  if (realpath(info.dli_fname, resolved) != nullptr) return std::string(resolved);
  return std::string(info.dli_fname);
}

std::optional<std::string> environmentValue(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

void setEnvironmentValue(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

std::uint32_t currentThreadId() { return static_cast<std::uint32_t>(syscall(SYS_gettid)); }

void yieldThread() { sched_yield(); }

std::uint64_t monotonicMicroseconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

// POSIX systems know no locale named "English": there only the numbers switch to the C
// locale, whose decimal point is a point, and the other categories stay as they are.
void useEnglishLocale() {
  if (std::setlocale(LC_ALL, "English") == nullptr) std::setlocale(LC_NUMERIC, "C");
}

}  // namespace brenvik::platform
