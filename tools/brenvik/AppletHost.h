// Loads the applet module and creates the applet on a board the way the SDK runtime does:
// Std_entry, then a handle structure whose first field holds the object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "applet/Exports.h"
#include "platform/os/DynamicLibrary.h"

namespace brenvik::tool {

class AppletHost {
 public:
  // Loads the module; null with a message when it does not load or lacks Std_entry/Info.
  static std::unique_ptr<AppletHost> load(const std::string& modulePath, std::string* error);
  ~AppletHost();  // frees the applet (Fg_FreeGrabber) when one was created

  // Creates the applet on a board; returns the creation's error code (0 on success).
  std::int32_t create(std::uint64_t board, std::uint32_t flags);
  bool created() const { return handle_.applet != nullptr; }
  AppletHandle* handle() { return &handle_; }

  // Info never needs an applet object.
  int info(int query, unsigned index1, unsigned index2, void* out1, void* out2) const {
    return info_(query, index1, index2, out1, out2);
  }

  // An export of the module by name, as the given function pointer type (null if missing).
  template <typename Function>
  Function function(const char* name) const {
    return library_->function<Function>(name);
  }

 private:
  AppletHost() = default;
  std::unique_ptr<platform::DynamicLibrary> library_;
  decltype(&Std_entry) stdEntry_ = nullptr;
  decltype(&Info) info_ = nullptr;
  decltype(&Fg_FreeGrabber) freeGrabber_ = nullptr;
  AppletHandle handle_{nullptr};
};

// The applet module installed with the tool (../lib/Brenvik.so seen from the program;
// Brenvik.dll beside it on Windows).
std::string defaultModulePath();

}  // namespace brenvik::tool
