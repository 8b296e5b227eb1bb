// Camera Link mode, DVAL, core reset, the time-out handed to the SDK runtime and the image
// selector: accepted values, what reaches the board, and rollback of refused combinations.
#include "SetPathFixture.h"

namespace brenvik::test {
namespace {

constexpr std::int32_t kCamType = sdkId("FG_CAMERA_LINK_CAMTYPE");
constexpr std::int32_t kUseDval = sdkId("FG_USEDVAL");
constexpr std::int32_t kCoreReset = sdkId("FG_CAMERA_LINK_CORE_RESET");
constexpr std::int32_t kTimeout = sdkId("FG_TIMEOUT");
constexpr std::int32_t kPeriod = sdkId("FG_IMG_SELECT_PERIOD");
constexpr std::int32_t kSelect = sdkId("FG_IMG_SELECT");

using CameraLink = SetPathTest;

TEST_F(CameraLink, EachModeSelectsItsReceiverSetting) {
  for (const auto& [camType, fullMode] :
       {std::pair{310u, "1"}, std::pair{311u, "3"}, std::pair{308u, "0"}}) {
    ASSERT_EQ(set(kCamType, camType), 0);
    const std::string written = std::string("Camera_FullMode 2 ") + fullMode + " 0";
    EXPECT_EQ(writes(), std::vector<std::string>{written});
    EXPECT_EQ(get(kCamType), camType);
  }
  EXPECT_EQ(set(kCamType, 309), -6000);
  EXPECT_EQ(set(kCamType, 0), -6000);
  EXPECT_EQ(get(kCamType), 308u);
  EXPECT_EQ(maximum(sdkId("FG_SENSORWIDTH")), 16384);
}

TEST_F(CameraLink, DvalAndCoreResetTakeTheirTwoValues) {
  ASSERT_EQ(set(kUseDval, 0), 0);
  ASSERT_EQ(set(kCoreReset, 1), 0);
  ASSERT_EQ(set(kCoreReset, 0), 0);
  EXPECT_EQ(writes(),
            (std::vector<std::string>{"Camera_DvalMode 2 0 0", "Camera_CameraLinkCoreReset 2 1 0",
                                      "Camera_CameraLinkCoreReset 2 0 0"}));
  EXPECT_EQ(set(kUseDval, 2), -6000);
  EXPECT_EQ(set(kCoreReset, 2), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(get(kUseDval), 0u);
}

// The time-out is the SDK runtime's own parameter 600; the applet keeps the value it handed on.
TEST_F(CameraLink, TheTimeoutGoesToTheRuntime) {
  EXPECT_EQ(set(kTimeout, 1), -6000);
  EXPECT_EQ(set(kTimeout, 2147483647), -6000);
  EXPECT_TRUE(writes().empty());
  ASSERT_EQ(set(kTimeout, 2), 0);
  EXPECT_EQ(writes(), std::vector<std::string>{"FG_TIMEOUT 2 2 0"});
  EXPECT_EQ(get(kTimeout), 2u);
  std::uint32_t runtimeTimeout = 0;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, 2000000 + 600, &runtimeTimeout, 0, 2), 0);
  EXPECT_EQ(runtimeTimeout, 2u);
  ASSERT_EQ(set(kTimeout, 2147483646), 0);

  failWrites("FG_TIMEOUT", -2073);
  EXPECT_EQ(set(kTimeout, 5), -2073);
  EXPECT_EQ(get(kTimeout), 2147483646u);
}

TEST_F(CameraLink, TheSelectedImageMustLieInsideTheSequence) {
  EXPECT_EQ(set(kPeriod, 0), -6000);
  EXPECT_EQ(set(kPeriod, 257), -6000);
  EXPECT_EQ(set(kSelect, 1), -6000);  // not below the period of 1
  EXPECT_EQ(set(kSelect, 256), -6000);
  EXPECT_TRUE(writes().empty());

  ASSERT_EQ(set(kPeriod, 256), 0);
  ASSERT_EQ(set(kSelect, 255), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{
                          "ImageSelector_FG_IMG_SELECT_PERIOD_Divisor 2 256 0",
                          "ImageSelector_FG_IMG_SELECT_PHASE_Number 2 255 0",
                      }));
  EXPECT_EQ(set(kPeriod, 255), -6000);  // the selection would fall outside
  EXPECT_EQ(get(kPeriod), 256u);
  ASSERT_EQ(set(kSelect, 3), 0);
  ASSERT_EQ(set(kPeriod, 4), 0);
  EXPECT_EQ(set(kSelect, 4), -6000);
  EXPECT_EQ(get(kSelect), 3u);
  ASSERT_EQ(set(kPeriod, 1), -6000);
}

}  // namespace
}  // namespace brenvik::test
