// Win32 backend of DynamicLibrary: LoadLibraryEx, GetProcAddress, FreeLibrary.
#include "platform/os/DynamicLibrary.h"

#include <windows.h>

#include <cstdint>

#include "platform/win32/SystemMessage.h"

namespace brenvik::platform {

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string& file, std::string* error,
                                                     unsigned* errorCode) {
  // A library named by path finds the libraries it imports beside itself (as an ELF run
  // path of $ORIGIN would); a plain name goes through the ordinary DLL search. No dialog
  // box for a file that is not a library.
  const bool byPath = file.find_first_of("\\/") != std::string::npos;
  DWORD previousMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  HMODULE handle =
      LoadLibraryExA(file.c_str(), nullptr, byPath ? LOAD_WITH_ALTERED_SEARCH_PATH : 0);
  const DWORD failure = handle == nullptr ? GetLastError() : 0;
  SetThreadErrorMode(previousMode, nullptr);
  if (handle == nullptr) {
    if (error != nullptr) *error = file + ": " + systemMessage(failure);
    if (errorCode != nullptr) *errorCode = failure != 0 ? failure : 1;
    return nullptr;
  }
  if (error != nullptr) error->clear();
  if (errorCode != nullptr) *errorCode = 0;
  return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

DynamicLibrary::~DynamicLibrary() { FreeLibrary(static_cast<HMODULE>(handle_)); }

void* DynamicLibrary::symbol(const char* name) const {
  const FARPROC address = GetProcAddress(static_cast<HMODULE>(handle_), name);
  // Exported data (a descriptor record) comes through the same call as functions.
  return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(address));
}

}  // namespace brenvik::platform
