// Tests of the logging facility in processes where no dispatcher can be attached.
#include <gtest/gtest.h>

#include <ostream>

#include "platform/logging/InstallationDirectory.h"
#include "platform/logging/LogMessage.h"
#include "platform/logging/Logging.h"
#include "platform/os/LibraryNames.h"
#include "platform/os/Process.h"

namespace {

using vurn::tools::logging::Logging;

// A message part that counts how often it is formatted.
struct CountingPart {
  int* count;
};
std::ostream& operator<<(std::ostream& stream, const CountingPart& part) {
  ++*part.count;
  return stream << "part";
}

// Run with no installation to be found (VURNDIR5 and VURNDIR5_64 unset).
class LoggingWithoutDispatcher : public ::testing::Test {
 protected:
  void SetUp() override {
    if (brenvik::platform::environmentValue("VURNDIR5_64") ||
        brenvik::platform::environmentValue("VURNDIR5")) {
      GTEST_SKIP() << "needs a process without VURNDIR5 and VURNDIR5_64";
    }
  }
};

TEST_F(LoggingWithoutDispatcher, EveryNameGetsTheSilentDefaultLogger) {
  Logging& facility = Logging::instance();
  EXPECT_EQ(vurn::tools::logging::installationDirectory(), nullptr);
  EXPECT_FALSE(facility.isDispatcherAttached());
  EXPECT_EQ(facility.dispatcherLibrary(), nullptr);

  auto* logger = Logging::getLogger("vurn.wrapper.Brenvik");
  EXPECT_EQ(logger, facility.defaultLogger());
  EXPECT_EQ(Logging::getLogger("vurn.wrapper.FgTolqWrapper"), logger);
  EXPECT_EQ(Logging::getLogger(nullptr), logger);
  EXPECT_EQ(logger->dispatcherId(), 0u);
  for (std::uint32_t level : {4u, 5u, 6u}) EXPECT_FALSE(logger->isEnabledFor(level)) << level;
  EXPECT_TRUE(logger->isEnabledFor(7));
  logger->log(7, "goes nowhere");
  logger->log(7, nullptr);
}

TEST_F(LoggingWithoutDispatcher, MessagesAreFormattedOnlyForEnabledLevels) {
  auto* logger = Logging::getLogger("vurn.wrapper.Brenvik");
  int formatted = 0;
  vurn::tools::logging::logMessage(logger, 6, "value ", CountingPart{&formatted});
  EXPECT_EQ(formatted, 0);
  vurn::tools::logging::logMessage(logger, 7, "value ", CountingPart{&formatted});
  EXPECT_EQ(formatted, 1);
  vurn::tools::logging::logMessage(nullptr, 7, CountingPart{&formatted});
  EXPECT_EQ(formatted, 1);
}

// Run with VURNDIR5 naming a directory (with a trailing separator) that holds no dispatcher.
TEST(LoggingMissingDispatcher, KeepsTheLoadErrorAndStaysSilent) {
  const auto configured = brenvik::platform::environmentValue("VURNDIR5");
  if (!configured || configured->empty()) GTEST_SKIP() << "needs VURNDIR5";
  std::string expectedDirectory = *configured;
  while (!expectedDirectory.empty() &&
         brenvik::platform::isPathSeparator(expectedDirectory.back())) {
    expectedDirectory.pop_back();
  }
  ASSERT_NE(vurn::tools::logging::installationDirectory(), nullptr);
  EXPECT_EQ(std::string(vurn::tools::logging::installationDirectory()), expectedDirectory);

  Logging& facility = Logging::instance();
  EXPECT_FALSE(facility.isDispatcherAttached());
  const auto* library = facility.dispatcherLibrary();
  ASSERT_NE(library, nullptr);
  EXPECT_FALSE(library->loaded);
  EXPECT_EQ(library->module, nullptr);
  EXPECT_EQ(library->path, brenvik::platform::installedLibraryPath(expectedDirectory,
                                                                   "common-logging-dispatcher"));
  EXPECT_NE(library->errorCode, 0u);
  EXPECT_FALSE(library->errorMessage.empty());
  EXPECT_EQ(Logging::getLogger("vurn.wrapper.Brenvik"), facility.defaultLogger());
}

}  // namespace
