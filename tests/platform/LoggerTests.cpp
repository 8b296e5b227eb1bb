// Tests of a single Logger: the threshold boundary and per-thread muting.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/logging/Logger.h"

namespace {

using brenvik::tests::onOtherThread;
using vurn::tools::logging::Logger;

TEST(Logger, LevelAtOrAboveTheThresholdPassesUnlessTheThreadIsMuted) {
  Logger logger(3, 4);
  EXPECT_FALSE(logger.isEnabledFor(3));
  EXPECT_TRUE(logger.isEnabledFor(4));

  logger.setThreadEnabled(false);
  logger.setThreadEnabled(false);  // muting twice needs one un-mute only
  EXPECT_FALSE(logger.isEnabledFor(6));
  EXPECT_TRUE(onOtherThread([&] { return logger.isEnabledFor(6); }));

  logger.setThreadEnabled(true);
  EXPECT_TRUE(logger.isEnabledFor(6));
  logger.setThreshold(7);
  EXPECT_FALSE(logger.isEnabledFor(6));
}

}  // namespace
