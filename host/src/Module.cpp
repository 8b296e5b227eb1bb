// Loading the applet module (and, when asked, the SDK runtime it is to use) and resolving its
// exports.
#include <algorithm>
#include <mutex>

#include "ExportTable.h"
#include "brenvik/Applet.h"
#include "platform/os/LibraryNames.h"
#include "platform/os/Process.h"
#include "runtime/SdkRuntime.h"

namespace brenvik {

namespace detail {

std::string resolveExports(const platform::DynamicLibrary& library, ExportTable& table) {
#define BRENVIK_HOST_RESOLVE(name)                         \
  table.name = library.function<decltype(&::name)>(#name); \
  if (table.name == nullptr) return #name;
  BRENVIK_HOST_EXPORTS(BRENVIK_HOST_RESOLVE)
#undef BRENVIK_HOST_RESOLVE
  return {};
}

}  // namespace detail

namespace {

std::string directoryOf(const std::string& path) {
  const auto separator = std::find_if(path.rbegin(), path.rend(), platform::isPathSeparator);
  return separator == path.rend() ? "." : std::string(path.begin(), separator.base() - 1);
}

// The runtime directory chosen first in this process: a runtime, once loaded, is the one
// every later load by name binds to.
std::mutex runtimeChoiceLock;
std::string runtimeChoice;

}  // namespace

std::string defaultAppletPath() {
  static const int anchor = 0;
  // The module's suffix is the platform's, without the "lib" prefix of library files.
  const std::string file = platform::libraryFileName("x");
  const std::string module = "Brenvik" + file.substr(file.find('x') + 1);
  const auto self = platform::modulePathOf(&anchor);
  if (!self) return module;
  return directoryOf(*self) + platform::pathSeparator() + module;
}

Module::Module(std::unique_ptr<detail::ModuleCore> core) : core_(std::move(core)) {}
Module::~Module() = default;

std::shared_ptr<Module> Module::load(const std::string& appletPath,
                                     const std::string& runtimeDirectory) {
  auto core = std::make_unique<detail::ModuleCore>();
  core->path = appletPath.empty() ? defaultAppletPath() : appletPath;
  std::string error;
  if (!runtimeDirectory.empty()) {
    std::lock_guard guard(runtimeChoiceLock);
    if (!runtimeChoice.empty() && runtimeChoice != runtimeDirectory) {
      throw Error(ErrorCategory::kCannotLoad, "the SDK runtime of " + runtimeChoice +
                                                  " is in use in this process; " +
                                                  runtimeDirectory + " cannot be used too");
    }
    const std::string runtimePath = runtimeDirectory + platform::pathSeparator() +
                                    platform::libraryFileName(runtime::kSdkRuntimeLibrary);
    core->runtime = platform::DynamicLibrary::open(runtimePath, &error);
    if (!core->runtime) {
      throw Error(ErrorCategory::kCannotLoad,
                  "cannot load the SDK runtime " + runtimePath + ": " + error);
    }
    runtimeChoice = runtimeDirectory;
  }
  core->library = platform::DynamicLibrary::open(core->path, &error);
  if (!core->library) {
    throw Error(ErrorCategory::kCannotLoad,
                "cannot load the applet module " + core->path + ": " + error);
  }
  if (const std::string missing = detail::resolveExports(*core->library, core->exports);
      !missing.empty()) {
    throw Error(ErrorCategory::kCannotLoad,
                core->path + " is not an applet module (" + missing + " missing)");
  }
  return std::shared_ptr<Module>(new Module(std::move(core)));
}

const std::string& Module::path() const noexcept { return core_->path; }

int Module::info(int query, unsigned index1, unsigned index2, void* out1, void* out2) const {
  return core_->exports.Info(query, index1, index2, out1, out2);
}

}  // namespace brenvik
