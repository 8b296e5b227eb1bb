// POSIX backend of DynamicLibrary: dlopen with local binding, dlsym on the library's handle.
#include "platform/os/DynamicLibrary.h"

#include <dlfcn.h>

namespace brenvik::platform {

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string& file, std::string* error,
                                                     unsigned* errorCode) {
  dlerror();
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* message = dlerror();
    if (error != nullptr) *error = message != nullptr ? message : "cannot load library";
    // dlopen has no error number of its own; 1 stands for "did not load".
    if (errorCode != nullptr) *errorCode = 1;
    return nullptr;
  }
  if (error != nullptr) error->clear();
  if (errorCode != nullptr) *errorCode = 0;
  return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

DynamicLibrary::~DynamicLibrary() { dlclose(handle_); }

void* DynamicLibrary::symbol(const char* name) const { return dlsym(handle_, name); }

}  // namespace brenvik::platform
