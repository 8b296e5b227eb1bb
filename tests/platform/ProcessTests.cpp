// The process facts and library loading of the platform backend in use: the environment as
// the process's own block holds it, the module path through an address inside the module,
// thread ids, and libraries opened by path with either separator.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "TestSupport.h"
#include "platform/os/DynamicLibrary.h"
#include "platform/os/LibraryNames.h"
#include "platform/os/Process.h"

namespace {

namespace platform = brenvik::platform;

TEST(Environment, EmptyValuesExistAndRemovedOnesDoNot) {
  const char* name = "BRENVIK_PLATFORM_TEST_VARIABLE";
  platform::setEnvironmentValue(name, std::string());
  EXPECT_EQ(platform::environmentValue(name), std::optional<std::string>(""));
  platform::setEnvironmentValue(name, std::string("On"));
  EXPECT_EQ(platform::environmentValue(name), std::optional<std::string>("On"));
  // Longer than any first guess at a buffer.
  const std::string longValue(5000, 'v');
  platform::setEnvironmentValue(name, longValue);
  EXPECT_EQ(platform::environmentValue(name), std::optional<std::string>(longValue));
  platform::setEnvironmentValue(name, std::nullopt);
  EXPECT_EQ(platform::environmentValue(name), std::nullopt);
  EXPECT_EQ(platform::environmentValue("BRENVIK_PLATFORM_TEST_NEVER_SET"), std::nullopt);
}

TEST(ModulePath, NamesTheProgramThatHoldsTheAddress) {
  static const int anchor = 0;
  const auto path = platform::modulePathOf(&anchor);
  ASSERT_TRUE(path.has_value());
  const auto name = std::find_if(path->rbegin(), path->rend(), platform::isPathSeparator);
  ASSERT_NE(name, path->rend()) << *path;
  EXPECT_EQ(std::string(name.base(), path->end()).rfind("platform_tests", 0), 0u) << *path;
  // An address in no module has no path.
  EXPECT_EQ(platform::modulePathOf(reinterpret_cast<const void*>(std::uintptr_t{16})),
            std::nullopt);
}

TEST(ThreadIds, DifferBetweenThreadsAndStayWithinOne) {
  const std::uint32_t here = platform::currentThreadId();
  EXPECT_EQ(platform::currentThreadId(), here);
  EXPECT_NE(brenvik::tests::onOtherThread([] { return platform::currentThreadId(); }), here);
}

TEST(PathRules, TheForwardSlashSeparatesEverywhere) {
  EXPECT_TRUE(platform::isPathSeparator('/'));
  EXPECT_TRUE(platform::isPathSeparator(platform::pathSeparator()));
  EXPECT_FALSE(platform::isPathSeparator('.'));
  const std::string file = platform::libraryFileName("dravlib5");
  EXPECT_NE(file.find("dravlib5"), std::string::npos);
  EXPECT_EQ(
      platform::installedLibraryPath("root", "dravlib5"),
      std::string("root") + platform::pathSeparator() + "bin" + platform::pathSeparator() + file);
}

// The logging dispatcher, where the build tree's installation keeps it.
std::string dispatcherPath() {
  return platform::installedLibraryPath(BRENVIK_BUILD_DIR, "common-logging-dispatcher");
}

TEST(DynamicLibrary, OpensByPathWithEitherSeparatorAndFindsItsSymbols) {
  std::string withSlashes = dispatcherPath();
  std::replace(withSlashes.begin(), withSlashes.end(), platform::pathSeparator(), '/');
  for (const std::string& path : {dispatcherPath(), withSlashes}) {
    std::string error = "untouched";
    unsigned code = 99;
    const auto library = platform::DynamicLibrary::open(path, &error, &code);
    ASSERT_NE(library, nullptr) << path << ": " << error;
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(code, 0u);
    EXPECT_NE(library->symbol("logging_dispatcher_descriptor"), nullptr);
    EXPECT_EQ(library->symbol("no_such_symbol"), nullptr);
  }
}

TEST(DynamicLibrary, AMissingLibraryGivesTheSystemsErrorAndCode) {
  std::string error;
  unsigned code = 0;
  const std::string missing = std::string(BRENVIK_BUILD_DIR) + "/no-such-library";
  EXPECT_EQ(platform::DynamicLibrary::open(platform::libraryFileName("brenvik-no-such-library"),
                                           &error, &code),
            nullptr);
  EXPECT_FALSE(error.empty());
  EXPECT_NE(code, 0u);
  EXPECT_EQ(platform::DynamicLibrary::open(missing, &error, &code), nullptr);
  EXPECT_NE(error.find("no-such-library"), std::string::npos) << error;
}

}  // namespace
