// The installation-directory search and its process-wide cached result.
#include "platform/logging/InstallationDirectory.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/locks/SpinLockVariableGuard.h"
#include "platform/os/LibraryNames.h"
#include "platform/os/Process.h"

namespace vurn::tools::logging {

namespace {

// Directory names whose parent is the installation.
constexpr std::array<std::string_view, 5> kInstallationSubdirectories = {
    "bin", "dll", "Hardware Applets", "lib", "lib64"};

// Environment variables naming the installation, in order of preference.
constexpr std::array<const char*, 2> kInstallationVariables = {"VURNDIR5_64", "VURNDIR5"};

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

bool isInstallationSubdirectory(std::string_view name) {
  for (std::string_view candidate : kInstallationSubdirectories) {
    if (equalsIgnoringCase(name, candidate)) return true;
  }
  return false;
}

std::string_view withoutTrailingSeparators(std::string_view path) {
  while (!path.empty() && ::brenvik::platform::isPathSeparator(path.back())) path.remove_suffix(1);
  return path;
}

// Index of the last separator in `path`, or npos.
std::size_t lastSeparator(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (::brenvik::platform::isPathSeparator(path[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

std::optional<std::string> fromModulePath(std::string_view modulePath) {
  std::size_t cut = lastSeparator(modulePath);
  if (cut == std::string_view::npos) return std::nullopt;
  std::string_view directory = withoutTrailingSeparators(modulePath.substr(0, cut));
  while (!directory.empty()) {
    cut = lastSeparator(directory);
    const std::string_view name =
        cut == std::string_view::npos ? directory : directory.substr(cut + 1);
    const std::string_view parent =
        cut == std::string_view::npos ? std::string_view() : directory.substr(0, cut);
    if (isInstallationSubdirectory(name)) {
      // A relative path ("lib/x.so") has the current directory as parent.
      if (cut == std::string_view::npos) return std::string(".");
      return std::string(withoutTrailingSeparators(parent));
    }
    if (cut == std::string_view::npos) break;
    directory = withoutTrailingSeparators(parent);
  }
  return std::nullopt;
}

bool fits(std::string_view text) { return text.size() < kInstallationDirectoryCapacity; }

}  // namespace

std::optional<std::string> findInstallationDirectory(const std::optional<std::string>& modulePath,
                                                     const EnvironmentLookup& environment) {
  if (modulePath && fits(*modulePath)) {
    if (auto found = fromModulePath(*modulePath)) return found;
  }
  if (!environment) return std::nullopt;
  for (const char* variable : kInstallationVariables) {
    const std::optional<std::string> value = environment(variable);
    if (value && !value->empty() && fits(*value)) {
      return std::string(withoutTrailingSeparators(*value));
    }
  }
  return std::nullopt;
}

const char* installationDirectory() {
  static std::atomic<bool> computed{false};
  static std::atomic<std::uint32_t> spin{0};
  static std::atomic<std::uint32_t> owner{0};
  static bool found = false;
  static char buffer[kInstallationDirectoryCapacity] = {};

  if (!computed.load(std::memory_order_acquire)) {
    templates::platform::SpinLockVariableGuard guard(&spin, &owner);
    if (!computed.load(std::memory_order_relaxed)) {
      const std::optional<std::string> directory = findInstallationDirectory(
          ::brenvik::platform::modulePathOf(buffer),
          [](const char* name) { return ::brenvik::platform::environmentValue(name); });
      if (directory) {
        std::memcpy(buffer, directory->c_str(), directory->size() + 1);
        found = true;
      }
      computed.store(true, std::memory_order_release);
    }
  }
  return found ? buffer : nullptr;
}

}  // namespace vurn::tools::logging
