// Acquisition calls reach the SDK runtime's own functions (not the applet's exports of the
// same names, which this test program has in its global scope) and keep the last error.
#include "AppletFixture.h"
#include "parameters/SdkParameterTable.h"

namespace brenvik::test {
namespace {

using Forwarding = AppletTest;

TEST_F(Forwarding, AcquisitionReachesTheSimulatedBoard) {
  const std::int32_t simulator = 1;
  ASSERT_EQ(Fg_setParameterWithType(&handle_, parameters::sdkId("FG_CAMERASIMULATOR_ENABLE"),
                                    &simulator, 0, 1),
            0);
  ASSERT_EQ(simboard_set(board_, "simboard:paced", "0"), 0);
  void* memory = nullptr;
  ASSERT_EQ(simboard_buffers_alloc(board_, 2, 1024 * 1024, &memory), 0);
  ASSERT_EQ(Fg_AcquireEx(&handle_, 0, 3, 0, memory), 0);
  EXPECT_EQ(lastError(), 0);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(&handle_, 3, 0, 5, memory), 3);
  EXPECT_EQ(simboard_pictures(board_, 0), 3);
  EXPECT_EQ(Fg_getLastPicNumberEx(&handle_, 0, memory), 3);
  EXPECT_EQ(Fg_stopAcquireEx(&handle_, 0, memory, 0), 0);
  EXPECT_EQ(lastError(), 0);
  EXPECT_EQ(simboard_buffers_free(memory), 0);
}

TEST_F(Forwarding, AFailingCallReturnsItsResultAndStoresTheRuntimesLastError) {
  const std::int64_t result = Fg_getLastPicNumberEx(&handle_, 7, nullptr);
  EXPECT_LT(result, 0);
  EXPECT_EQ(lastError(), result);  // the simulated runtime records the same code
  EXPECT_EQ(Fg_AcquireEx(&handle_, 0, 1, 0, nullptr), SIMBOARD_NO_BUFFERS);
  EXPECT_EQ(lastError(), SIMBOARD_NO_BUFFERS);
  EXPECT_GE(Fg_getAppletId(&handle_, 0), 0);
  EXPECT_EQ(lastError(), 0);
}

TEST_F(Forwarding, FreeGrabberReturnsTheRuntimesResult) {
  EXPECT_EQ(Fg_FreeGrabber(&handle_), 0);
  EXPECT_EQ(Fg_FreeGrabber(&handle_), -2001);
}

}  // namespace
}  // namespace brenvik::test
