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

// The folder of an installation's libraries, given the folder of its programs: "../lib"
// beside it on ELF systems; on Windows the DLLs sit beside the programs.
std::string libraryDirectoryOfPrograms(std::string_view programDirectory);

// Path of a library below an installation directory's "bin" folder.
std::string installedLibraryPath(std::string_view installationDirectory,
                                 std::string_view baseName);

}  // namespace brenvik::platform
