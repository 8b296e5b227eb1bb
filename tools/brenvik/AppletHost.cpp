// Loading the applet module and creating the applet on a board.
#include "tools/brenvik/AppletHost.h"

#include <algorithm>

#include "platform/os/LibraryNames.h"
#include "platform/os/Process.h"

namespace brenvik::tool {

std::unique_ptr<AppletHost> AppletHost::load(const std::string& modulePath, std::string* error) {
  std::unique_ptr<AppletHost> host(new AppletHost());
  host->library_ = platform::DynamicLibrary::open(modulePath, error);
  if (!host->library_) return nullptr;
  host->stdEntry_ = host->function<decltype(&Std_entry)>("Std_entry");
  host->info_ = host->function<decltype(&Info)>("Info");
  host->freeGrabber_ = host->function<decltype(&Fg_FreeGrabber)>("Fg_FreeGrabber");
  if (host->stdEntry_ == nullptr || host->info_ == nullptr || host->freeGrabber_ == nullptr) {
    if (error != nullptr) *error = modulePath + " is not an applet module (Std_entry missing)";
    return nullptr;
  }
  return host;
}

AppletHost::~AppletHost() {
  if (handle_.applet != nullptr) freeGrabber_(&handle_);
}

std::int32_t AppletHost::create(std::uint64_t board, std::uint32_t flags) {
  std::int32_t code = 0;
  handle_.applet = stdEntry_(board, &code, flags);
  return code;
}

namespace {
// The module's own suffix: the platform's library file name without its "lib" prefix part.
std::string moduleSuffix() {
  const std::string file = platform::libraryFileName("x");
  return file.substr(file.find('x') + 1);
}
}  // namespace

std::string defaultModulePath() {
  static const int anchor = 0;
  const auto self = platform::modulePathOf(&anchor);
  const std::string file = "Brenvik" + moduleSuffix();
  if (!self) return file;
  const auto separator = std::find_if(self->rbegin(), self->rend(), platform::isPathSeparator);
  const std::string binDirectory =
      separator == self->rend() ? "." : std::string(self->begin(), separator.base() - 1);
  return platform::libraryDirectoryOfPrograms(binDirectory) + platform::pathSeparator() + file;
}

}  // namespace brenvik::tool
