// The one place that turns the platform-neutral names of outside libraries into file names
// of this platform ("dravlib5" is "dravlib5.dll" on Windows and "libdravlib5.so" here).
#pragma once

#include <string>
#include <string_view>

namespace brenvik::platform {

// Separator between directory and file names in paths that we build.
char pathSeparator();

// True for the characters that separate path components on this platform.
bool isPathSeparator(char c);

// File name of a library with the given base name, for loading by plain name.
std::string libraryFileName(std::string_view baseName);

// Path of a library below an installation directory's "bin" folder.
std::string installedLibraryPath(std::string_view installationDirectory,
                                 std::string_view baseName);

}  // namespace brenvik::platform
