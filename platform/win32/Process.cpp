// Win32 backend of the process facts. The environment is read and written through the
// process's own environment block (GetEnvironmentVariable), where a variable set to an
// empty value still exists.
#include "platform/os/Process.h"

#include <windows.h>

#include <chrono>
#include <clocale>

namespace brenvik::platform {

std::optional<std::string> modulePathOf(const void* address) {
  HMODULE module = nullptr;
  if (GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCSTR>(address), &module) == 0) {
    return std::nullopt;
  }
  // Up to MAX_PATH (260) characters and the terminator; a longer path counts as unknown.
  char path[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameA(module, path, static_cast<DWORD>(sizeof path));
  if (length == 0 || length >= sizeof path) return std::nullopt;
  return std::string(path, length);
}

std::optional<std::string> environmentValue(const char* name) {
  SetLastError(ERROR_SUCCESS);
  DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::string value(size, '\0');
  // The value may change between the two calls; ask again while it has grown.
  for (;;) {
    const DWORD length = GetEnvironmentVariableA(name, value.data(), size);
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    if (length < size) {
      value.resize(length);
      return value;
    }
    size = length;
    value.resize(size);
  }
}

void setEnvironmentValue(const char* name, const std::optional<std::string>& value) {
  SetEnvironmentVariableA(name, value ? value->c_str() : nullptr);
}

std::uint32_t currentThreadId() { return static_cast<std::uint32_t>(GetCurrentThreadId()); }

void yieldThread() { SwitchToThread(); }

std::uint64_t monotonicMicroseconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

// Windows knows the locale by this name; its numbers have a decimal point.
void useEnglishLocale() { std::setlocale(LC_ALL, "English"); }

}  // namespace brenvik::platform
