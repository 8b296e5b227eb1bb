// Library file names on ELF systems: "lib" + base name + ".so".
#include "platform/os/LibraryNames.h"

namespace brenvik::platform {

char pathSeparator() { return '/'; }

bool isPathSeparator(char c) { return c == '/'; }

std::string libraryFileName(std::string_view baseName) {
  return "lib" + std::string(baseName) + ".so";
}

std::string libraryDirectoryOfPrograms(std::string_view programDirectory) {
  return std::string(programDirectory) + "/../lib";
}

std::string installedLibraryPath(std::string_view installationDirectory,
                                 std::string_view baseName) {
  return std::string(installationDirectory) + "/bin/" + libraryFileName(baseName);
}

}  // namespace brenvik::platform
