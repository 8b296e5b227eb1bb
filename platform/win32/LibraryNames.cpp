// Library file names on Windows: base name + ".dll"; both separators count in paths.
#include "platform/os/LibraryNames.h"

namespace brenvik::platform {

char pathSeparator() { return '\\'; }

bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

std::string libraryFileName(std::string_view baseName) { return std::string(baseName) + ".dll"; }

std::string libraryDirectoryOfPrograms(std::string_view programDirectory) {
  return std::string(programDirectory);
}

std::string installedLibraryPath(std::string_view installationDirectory,
                                 std::string_view baseName) {
  return std::string(installationDirectory) + "\\bin\\" + libraryFileName(baseName);
}

}  // namespace brenvik::platform
