// Tests of the installation-directory search from a module path and the environment.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/logging/InstallationDirectory.h"
#include "platform/os/LibraryNames.h"

namespace {

using vurn::tools::logging::findInstallationDirectory;

// Joins components with this platform's separator; a leading "" makes the path absolute.
std::string path(const std::vector<std::string>& components) {
  std::string joined;
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (i > 0) joined += brenvik::platform::pathSeparator();
    joined += components[i];
  }
  return joined;
}

vurn::tools::logging::EnvironmentLookup environment(std::map<std::string, std::string> values) {
  return [values](const char* name) -> std::optional<std::string> {
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
  };
}

TEST(InstallationDirectory, FoundFromTheModulePath) {
  struct Case {
    std::vector<std::string> module;
    std::optional<std::vector<std::string>> expected;
  };
  const std::vector<Case> cases = {
      {{"", "opt", "vision", "LIB64", "Brenvik.so"}, {{"", "opt", "vision"}}},
      {{"", "opt", "vision", "bin", "Brenvik.so"}, {{"", "opt", "vision"}}},
      {{"", "opt", "vision", "Dll", "Brenvik.so"}, {{"", "opt", "vision"}}},
      {{"", "opt", "vision", "hardware applets", "cl", "Brenvik.so"}, {{"", "opt", "vision"}}},
      // The nearest matching directory wins.
      {{"", "srv", "lib", "vision", "bin", "Brenvik.so"}, {{"", "srv", "lib", "vision"}}},
      // A doubled separator does not hide a directory.
      {{"", "opt", "vision", "lib", "", "Brenvik.so"}, {{"", "opt", "vision"}}},
      // The module file itself does not count, nor names that only contain a match.
      {{"", "opt", "vision", "lib"}, std::nullopt},
      {{"", "opt", "library", "binaries", "Brenvik.so"}, std::nullopt},
      {{"Brenvik.so"}, std::nullopt},
      // Installed at the root of the file system.
      {{"", "lib", "Brenvik.so"}, {{""}}},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> expected =
        c.expected ? std::optional<std::string>(path(*c.expected)) : std::nullopt;
    EXPECT_EQ(findInstallationDirectory(path(c.module), environment({})), expected)
        << path(c.module);
  }
}

TEST(InstallationDirectory, FallsBackToTheEnvironment) {
  const std::string unmatched = path({"", "home", "user", "Brenvik.so"});
  const std::string sep(1, brenvik::platform::pathSeparator());
  const std::string tooLong(vurn::tools::logging::kInstallationDirectoryCapacity, 'x');

  EXPECT_EQ(findInstallationDirectory(unmatched, environment({{"VURNDIR5_64", "/a"},
                                                               {"VURNDIR5", "/b"}})),
            "/a");
  EXPECT_EQ(findInstallationDirectory(unmatched, environment({{"VURNDIR5", "/b" + sep + sep}})),
            "/b");
  EXPECT_EQ(findInstallationDirectory(std::nullopt, environment({{"VURNDIR5", "/b"}})), "/b");
  // Empty and over-long values count as absent.
  EXPECT_EQ(findInstallationDirectory(unmatched, environment({{"VURNDIR5_64", ""},
                                                               {"VURNDIR5", "/b"}})),
            "/b");
  EXPECT_EQ(findInstallationDirectory(unmatched, environment({{"VURNDIR5_64", tooLong},
                                                               {"VURNDIR5", "/b"}})),
            "/b");
  // A module path inside an installation wins over the environment.
  EXPECT_EQ(findInstallationDirectory(path({"", "opt", "lib", "Brenvik.so"}),
                                      environment({{"VURNDIR5_64", "/a"}})),
            path({"", "opt"}));
}

TEST(InstallationDirectory, NoneWithoutPathOrEnvironment) {
  EXPECT_EQ(findInstallationDirectory(std::nullopt, environment({})), std::nullopt);
  EXPECT_EQ(findInstallationDirectory(path({"", "home", "Brenvik.so"}), environment({})),
            std::nullopt);
  EXPECT_EQ(findInstallationDirectory(std::nullopt, nullptr), std::nullopt);
}

}  // namespace
