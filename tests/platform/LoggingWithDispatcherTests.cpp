// Tests of the logging facility attached to the dispatcher library of the build tree.
#include <gtest/gtest.h>

#include <latch>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "platform/logging/LogMessage.h"
#include "platform/logging/Logging.h"
#include "platform/os/DynamicLibrary.h"
#include "platform/os/LibraryNames.h"
#include "platform/os/Process.h"
#include "simboard/dispatcher/DispatcherControl.h"
#include "tests/support/TextMode.h"

namespace {

using brenvik::tests::fileContent;
using brenvik::tests::onOtherThread;
using vurn::tools::logging::Logger;
using vurn::tools::logging::Logging;

// Run with VURNDIR5_64 = the build directory, BRENVIK_LOG and BRENVIK_LOG_FILE set.
class LoggingWithDispatcher : public ::testing::Test {
 protected:
  void SetUp() override {
    logFile_ = brenvik::platform::environmentValue("BRENVIK_LOG_FILE").value_or("");
    if (!brenvik::platform::environmentValue("VURNDIR5_64") || logFile_.empty()) {
      GTEST_SKIP() << "needs VURNDIR5_64 and BRENVIK_LOG_FILE";
    }
    ASSERT_TRUE(Logging::instance().isDispatcherAttached());
    // The facility holds the library already; this is a second reference to the same one.
    dispatcher_ = brenvik::platform::DynamicLibrary::open(brenvik::platform::installedLibraryPath(
        BRENVIK_BUILD_DIR, "common-logging-dispatcher"));
    ASSERT_NE(dispatcher_, nullptr);
    setLevel_ = dispatcher_->function<CommonLoggingDispatcherSetLevel>(
        COMMON_LOGGING_DISPATCHER_SET_LEVEL_SYMBOL);
    ASSERT_NE(setLevel_, nullptr);
    logStart_ = fileContent(logFile_).size();
  }

  // What the dispatcher wrote since the test began.
  std::string newLogLines() const { return fileContent(logFile_).substr(logStart_); }

  std::string logFile_;
  std::size_t logStart_ = 0;
  std::unique_ptr<brenvik::platform::DynamicLibrary> dispatcher_;
  CommonLoggingDispatcherSetLevel setLevel_ = nullptr;
};

TEST_F(LoggingWithDispatcher, OneLoggerPerName) {
  Logger* first = Logging::getLogger("vurn.wrapper.Brenvik");
  EXPECT_NE(first, Logging::instance().defaultLogger());
  EXPECT_NE(first->dispatcherId(), 0u);
  EXPECT_EQ(Logging::getLogger("vurn.wrapper.Brenvik"), first);
  Logger* other = Logging::getLogger("vurn.wrapper.FgTolqWrapper");
  EXPECT_NE(other, first);
  EXPECT_NE(other->dispatcherId(), first->dispatcherId());
  EXPECT_EQ(Logging::getLogger(nullptr), Logging::instance().defaultLogger());
}

TEST_F(LoggingWithDispatcher, ConcurrentRequestsForANewNameShareOneLogger) {
  constexpr int kThreads = 8;
  std::latch start(kThreads);
  std::vector<Logger*> loggers(kThreads, nullptr);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      start.arrive_and_wait();
      loggers[static_cast<std::size_t>(t)] = Logging::getLogger("vurn.test.Concurrent");
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (Logger* logger : loggers) EXPECT_EQ(logger, loggers.front());
}

TEST_F(LoggingWithDispatcher, ThresholdsComeFromTheEnvironment) {
  // BRENVIK_LOG="vurn.test.Configured=4, garbage ,=3,vurn.test.Malformed=x,*=6"
  EXPECT_EQ(Logging::getLogger("vurn.test.Configured")->threshold(), 4u);
  EXPECT_EQ(Logging::getLogger("vurn.test.Malformed")->threshold(), 6u);
  EXPECT_EQ(Logging::getLogger("vurn.test.Unlisted")->threshold(), 6u);
}

TEST_F(LoggingWithDispatcher, SetLevelLetsLevelFourMessagesThrough) {
  Logger* logger = Logging::getLogger("vurn.test.Applet");
  ASSERT_EQ(logger->threshold(), 6u);
  vurn::tools::logging::logMessage(logger, 4, "hidden ", 1);
  ASSERT_EQ(setLevel_("vurn.test.Applet", 4), 0);
  EXPECT_EQ(logger->threshold(), 4u);
  vurn::tools::logging::logMessage(logger, 4, "cannot set parameter ", 42, " (", -6000, ")");
  const std::uint32_t otherThread = onOtherThread([&] {
    vurn::tools::logging::logMessage(logger, 5, "from another thread");
    return brenvik::platform::currentThreadId();
  });
  EXPECT_EQ(newLogLines(),
            brenvik::test::inTextMode("vurn.test.Applet [4] thread-id=" +
                                      std::to_string(brenvik::platform::currentThreadId()) +
                                      "|cannot set parameter 42 (-6000)\n"
                                      "vurn.test.Applet [5] thread-id=" +
                                      std::to_string(otherThread) + "|from another thread\n"));
  // A name asked for again keeps its logger and the changed threshold.
  EXPECT_EQ(Logging::getLogger("vurn.test.Applet")->threshold(), 4u);
}

TEST_F(LoggingWithDispatcher, SetLevelForUnknownNamesOrIdsChangesNothing) {
  Logger* logger = Logging::getLogger("vurn.test.Steady");
  const std::uint32_t before = logger->threshold();
  EXPECT_EQ(setLevel_("vurn.test.NeverAsked", 1), -1);
  EXPECT_EQ(setLevel_(nullptr, 1), -1);
  Logging::instance().setLevel(0xFFFFFFFFFFull, 1);
  Logging::instance().setLevel(0, 1);
  EXPECT_EQ(logger->threshold(), before);
  EXPECT_EQ(Logging::instance().defaultLogger()->threshold(), Logger::kDefaultThreshold);
}

// Run with BRENVIK_LOG holding no "*" rule.
TEST(DispatcherWithoutDefaultRule, UnlistedNamesLetNoAppletLevelThrough) {
  if (!brenvik::platform::environmentValue("VURNDIR5_64")) GTEST_SKIP() << "needs VURNDIR5_64";
  ASSERT_TRUE(Logging::instance().isDispatcherAttached());
  Logger* logger = Logging::getLogger("vurn.wrapper.Brenvik");
  EXPECT_NE(logger, Logging::instance().defaultLogger());
  for (std::uint32_t level : {4u, 5u, 6u}) EXPECT_FALSE(logger->isEnabledFor(level)) << level;
  EXPECT_EQ(Logging::getLogger("vurn.test.Configured")->threshold(), 5u);
}

}  // namespace
