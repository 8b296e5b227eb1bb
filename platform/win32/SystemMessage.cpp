// FormatMessage for Win32 error codes.
#include "platform/win32/SystemMessage.h"

#include <windows.h>

namespace brenvik::platform {

std::string systemMessage(unsigned long code) {
  char buffer[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, buffer, static_cast<DWORD>(sizeof buffer), nullptr);
  while (length > 0 && (buffer[length - 1] == '\n' || buffer[length - 1] == '\r' ||
                        buffer[length - 1] == ' ' || buffer[length - 1] == '.')) {
    --length;
  }
  if (length == 0) return "system error " + std::to_string(code);
  return std::string(buffer, length);
}

}  // namespace brenvik::platform
