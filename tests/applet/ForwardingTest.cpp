// Acquisition calls reach the SDK runtime's own functions (not the applet's exports of the
// same names, which this test program has in its global scope) and keep the last error.
#include "AppletFixture.h"

namespace brenvik::test {
namespace {

using Forwarding = AppletTest;

TEST_F(Forwarding, AcquisitionReachesTheSimulatedBoard) {
  ASSERT_EQ(Fg_AcquireEx(&handle_, 0, 3, 0, nullptr), 0);
  EXPECT_EQ(lastError(), 0);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, 3, 0, 5, nullptr), 3);
  EXPECT_EQ(simboard_pictures(board_, 0), 3);
  EXPECT_EQ(Fg_getLastPicNumberEx(&handle_, 0, nullptr), 3);
  EXPECT_EQ(Fg_stopAcquireEx(&handle_, 0, nullptr, 0), 0);
  EXPECT_EQ(lastError(), 0);
}

TEST_F(Forwarding, AFailingCallReturnsItsResultAndStoresTheRuntimesLastError) {
  const std::int64_t result = Fg_getLastPicNumberEx(&handle_, 7, nullptr);
  EXPECT_LT(result, 0);
  EXPECT_EQ(lastError(), result);  // the simulated runtime records the same code
  EXPECT_LT(Fg_AcquireEx(&handle_, 5, 1, 0, nullptr), 0);
  EXPECT_NE(lastError(), 0);
  EXPECT_GE(Fg_getAppletId(&handle_, 0), 0);
  EXPECT_EQ(lastError(), 0);
}

TEST_F(Forwarding, FreeGrabberReturnsTheRuntimesResult) {
  EXPECT_EQ(Fg_FreeGrabber(&handle_), 0);
  EXPECT_EQ(Fg_FreeGrabber(&handle_), -2001);
}

}  // namespace
}  // namespace brenvik::test
