// The installation directory: found from the module's own path or from the environment.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace vurn::tools::logging {

// Size of the process-wide buffer that keeps the directory, terminator included; longer
// paths and environment values count as absent.
inline constexpr std::size_t kInstallationDirectoryCapacity = 1024;

// Environment lookup: the value of a variable, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// Walks up from the directory holding the module; at the first directory named (in any
// case) "bin", "dll", "Hardware Applets", "lib" or "lib64", the installation is its parent.
// Without a module path or such a directory, the value of VURNDIR5_64, else of VURNDIR5, is
// taken (empty values count as absent). Trailing separators are removed; the file-system
// root becomes "". Nothing when no source yields a directory.
std::optional<std::string> findInstallationDirectory(const std::optional<std::string>& modulePath,
                                                     const EnvironmentLookup& environment);

// The installation directory of this module, computed once per process; null when there
// is none. Thread-safe; the text stays valid for the life of the module.
const char* installationDirectory();

}  // namespace vurn::tools::logging
