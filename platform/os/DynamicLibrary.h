// A loaded dynamic library and its symbols. Libraries are loaded with local binding, so
// symbols are always looked up on the library's own handle, never in the global scope.
#pragma once

#include <memory>
#include <string>

namespace brenvik::platform {

class DynamicLibrary {
 public:
  // Loads a library by file name (searched on the platform's library path) or by path.
  // Returns null on failure and, when given, fills `error` with the system's message.
  static std::unique_ptr<DynamicLibrary> open(const std::string& file, std::string* error = nullptr,
                                              unsigned* errorCode = nullptr);
  ~DynamicLibrary();  // unloads the library
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // The address of an exported symbol, or null.
  void* symbol(const char* name) const;

  // The address of an exported function as the given function pointer type, or null.
  template <typename Function>
  Function function(const char* name) const {
    return reinterpret_cast<Function>(symbol(name));
  }

 private:
  explicit DynamicLibrary(void* handle) : handle_(handle) {}
  void* handle_;
};

}  // namespace brenvik::platform
