// Tap geometry and region of interest: the sorter arithmetic for every geometry, and the
// setters' checks, hardware writes and description limits on the simulated board.
#include "SetPathFixture.h"
#include "runtime/ResultCodes.h"
#include "semantics/ImageGeometry.h"

namespace brenvik::test {
namespace {

using semantics::planTapGeometry;
using semantics::TapGeometryPlan;

constexpr std::int32_t kWidth = sdkId("FG_WIDTH");
constexpr std::int32_t kHeight = sdkId("FG_HEIGHT");
constexpr std::int32_t kXOffset = sdkId("FG_XOFFSET");
constexpr std::int32_t kYOffset = sdkId("FG_YOFFSET");
constexpr std::int32_t kSensorWidth = sdkId("FG_SENSORWIDTH");
constexpr std::int32_t kVantagePoint = sdkId("FG_VANTAGEPOINT");
constexpr std::int32_t kTapGeometry = sdkId("FG_TAPGEOMETRY");

constexpr std::uint32_t k1X8 = 0x1800000;
constexpr std::uint32_t k1X10 = 0x1A00000;
constexpr std::uint32_t k4X2 = 0x4200000;
constexpr std::uint32_t k4X2E = 0x4210000;
constexpr std::uint32_t k5X2 = 0x5200000;
constexpr std::uint32_t k8X = 0x8100000;
constexpr std::uint32_t k10X = 0xA100000;
constexpr std::uint32_t kTopLeft = 0;
constexpr std::uint32_t kTopRight = 1;

using Taps = std::array<std::uint32_t, 10>;
constexpr Taps kInOrder{0, 1, 2, 3, 4, 5, 6, 7, 8, 8};
constexpr Taps kNoMirror{};

struct PlanCase {
  const char* what;
  std::uint32_t geometry, sensorWidth, vantagePoint, xOffset, width;
  TapGeometryPlan plan;
};

const PlanCase kPlanCases[] = {
    {"4X2 from the top right", k4X2, 2048, kTopRight, 0, 1024,
     {2560, 1, 512, 5, 1, {3, 2, 1, 0, 4, 5, 6, 7, 8, 8}, {1, 1, 1, 1, 0, 0, 0, 0, 0, 0}}},
    {"8X rounds the tap width up", k8X, 1000, kTopLeft, 0, 1000,
     {1280, 0, 125, 10, 1, kInOrder, kNoMirror}},
    {"1X8 from the top left ignores the sensor", k1X8, 4000, kTopLeft, 64, 512,
     {576, 0, 576, 1, 0, kInOrder, kNoMirror}},
    {"1X10 from the top right uses the sensor", k1X10, 1004, kTopRight, 0, 512,
     {1008, 1, 1004, 1, 0, kInOrder, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
    {"4X2E mirrors through its pattern", k4X2E, 2048, kTopLeft, 0, 1024,
     {2560, 0, 512, 5, 1, kInOrder, {0, 0, 1, 1, 0, 0, 0, 1, 1, 0}}},
    {"4X2E from the top right flips its zones only", k4X2E, 2048, kTopRight, 0, 1024,
     {2560, 1, 512, 5, 1, {3, 2, 1, 0, 4, 5, 6, 7, 8, 8}, {1, 1, 0, 0, 0, 0, 0, 1, 1, 0}}},
    {"5X2", k5X2, 1000, kTopLeft, 0, 1000, {1000, 0, 200, 5, 0, kInOrder, kNoMirror}},
    {"10X from the top right reverses every tap", k10X, 1000, kTopRight, 0, 1000,
     {1040, 1, 100, 10, 0, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}},
};

TEST(TapGeometryPlan, EveryGeometryGivesItsSorterSettings) {
  for (const PlanCase& c : kPlanCases) {
    EXPECT_EQ(planTapGeometry(c.geometry, c.sensorWidth, c.vantagePoint, c.xOffset, c.width),
              c.plan)
        << c.what;
  }
}

TEST(TapGeometryPlan, AnUnknownGeometryIsOutOfRange) {
  try {
    planTapGeometry(0x1800001, 1024, 0, 0, 1024);
    ADD_FAILURE() << "no error raised";
  } catch (const codes::RaisedCode& raised) {
    EXPECT_EQ(raised.code, -6000);
  }
}

using ImageGeometry = SetPathTest;

const std::string kOrderInLine = "0:0,1,2,3,4,5,6,7,8,8";
const std::string kNoMirrorLine = "0:0,0,0,0,0,0,0,0,0,0";

TEST_F(ImageGeometry, TheWidthProgramsTheSorterThenTheFrameBuffer) {
  ASSERT_EQ(set(kWidth, 1016), 0);
  EXPECT_EQ(writes(), concatenated({sorterWrites(1016, 0, 1016, 1, 0, kOrderInLine, kNoMirrorLine),
                                    {"Buffer_0_DRAM_A_0_XLength 2 1016 0"}}));
  ASSERT_EQ(set(kXOffset, 64), 0);
  EXPECT_EQ(writes(), concatenated({sorterWrites(1080, 0, 1080, 1, 0, kOrderInLine, kNoMirrorLine),
                                    {"Buffer_0_DRAM_A_0_XOffset 2 64 0"}}));
  ASSERT_EQ(set(kHeight, 480), 0);
  ASSERT_EQ(set(kYOffset, 20), 0);
  const auto lines = writes();
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[8], "Buffer_0_DRAM_A_0_YLength 2 480 0");
  EXPECT_EQ(lines[17], "Buffer_0_DRAM_A_0_YOffset 2 20 0");
}

TEST_F(ImageGeometry, WidthChecksItsRangeBeforeItsGranularity) {
  EXPECT_EQ(set(kWidth, 1020), -7080);
  EXPECT_EQ(set(kWidth, 4), -6000);
  EXPECT_EQ(set(kWidth, 0), -6000);
  EXPECT_EQ(set(kWidth, 16388), -6000);
  EXPECT_EQ(set(kWidth, 0xFFFFFFF8), -6000);
  EXPECT_EQ(get(kWidth), 1024u);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(set(kWidth, 16384), 0);
  EXPECT_EQ(set(kWidth, 8), 0);
}

// From the top left a line may reach up to 16384 pixels, whatever the sensor width.
TEST_F(ImageGeometry, FromTheTopLeftTheRegionEndsAtTheWidestLine) {
  ASSERT_EQ(set(kXOffset, 16000), -6000);
  ASSERT_EQ(set(kWidth, 384), 0);
  ASSERT_EQ(set(kXOffset, 16000), 0);
  EXPECT_EQ(set(kWidth, 392), -6000);
  EXPECT_EQ(set(kXOffset, 16008), -6000);
  EXPECT_EQ(set(kXOffset, 12), -7080);
  EXPECT_EQ(get(kWidth), 384u);
  EXPECT_EQ(get(kXOffset), 16000u);
}

TEST_F(ImageGeometry, HeightAndYOffsetShareTheTallestFrame) {
  EXPECT_EQ(set(kHeight, 0), -6000);
  ASSERT_EQ(set(kHeight, 65535), 0);
  EXPECT_EQ(set(kYOffset, 1), -6000);
  ASSERT_EQ(set(kHeight, 65000), 0);
  ASSERT_EQ(set(kYOffset, 535), 0);
  EXPECT_EQ(set(kHeight, 65001), -6000);
  EXPECT_EQ(get(kHeight), 65000u);
  EXPECT_EQ(get(kYOffset), 535u);
}

// From the top right the region must lie on the sensor; a setting that breaks that is
// refused after the store and rolled back, before anything is written.
TEST_F(ImageGeometry, FromTheTopRightTheRegionMustLieOnTheSensor) {
  ASSERT_EQ(set(kWidth, 1016), 0);
  ASSERT_EQ(set(kXOffset, 16), 0);
  writes();
  EXPECT_EQ(set(kVantagePoint, kTopRight), -6000);
  EXPECT_EQ(get(kVantagePoint), kTopLeft);
  EXPECT_TRUE(writes().empty());

  ASSERT_EQ(set(kSensorWidth, 1032), 0);
  writes();
  ASSERT_EQ(set(kVantagePoint, kTopRight), 0);
  EXPECT_EQ(writes(), sorterWrites(1032, 1, 1032, 1, 0, kOrderInLine, "0:1,0,0,0,0,0,0,0,0,0"));
  EXPECT_EQ(set(kSensorWidth, 1024), -6000);
  EXPECT_EQ(get(kSensorWidth), 1032u);
  EXPECT_EQ(set(kWidth, 1024), -6000);
  EXPECT_EQ(set(kXOffset, 24), -6000);
  EXPECT_TRUE(writes().empty());
}

TEST_F(ImageGeometry, SensorWidthVantagePointAndGeometryAcceptOnlyTheirValues) {
  EXPECT_EQ(set(kSensorWidth, 7), -6000);
  EXPECT_EQ(set(kSensorWidth, 16385), -6000);
  EXPECT_EQ(set(kVantagePoint, 2), -6000);
  EXPECT_EQ(set(kTapGeometry, 0), -6000);
  EXPECT_EQ(set(kTapGeometry, k4X2 + 1), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(set(kSensorWidth, 1001), 0);  // no granularity
  EXPECT_EQ(get(kTapGeometry), k1X8);
}

TEST_F(ImageGeometry, TheVantagePointReversesTheZonesAndFlipsTheirMirrors) {
  const std::string k4X2EMirror = "0:0,0,1,1,0,0,0,1,1,0";
  ASSERT_EQ(set(kTapGeometry, k4X2E), 0);
  EXPECT_EQ(writes(), sorterWrites(1280, 0, 256, 5, 1, kOrderInLine, k4X2EMirror));
  ASSERT_EQ(set(kSensorWidth, 2048), 0);
  EXPECT_EQ(writes(), sorterWrites(2560, 0, 512, 5, 1, kOrderInLine, k4X2EMirror));
  ASSERT_EQ(set(kVantagePoint, kTopRight), 0);
  EXPECT_EQ(writes(), sorterWrites(2560, 1, 512, 5, 1, "0:3,2,1,0,4,5,6,7,8,8",
                                   "0:1,1,0,0,0,0,0,1,1,0"));
}

TEST_F(ImageGeometry, LimitsFollowTheRegionAndTheVantagePoint) {
  EXPECT_EQ(maximum(kWidth), 16384);
  EXPECT_EQ(maximum(kXOffset), 16384 - 1024);
  EXPECT_EQ(maximum(kHeight), 65535);
  EXPECT_EQ(maximum(kYOffset), 65535 - 1024);
  ASSERT_EQ(set(kWidth, 512), 0);
  EXPECT_EQ(maximum(kXOffset), 16384 - 512);
  ASSERT_EQ(set(kXOffset, 64), 0);
  EXPECT_EQ(maximum(kWidth), 16384 - 64);
  ASSERT_EQ(set(kSensorWidth, 2048), 0);
  ASSERT_EQ(set(kVantagePoint, kTopRight), 0);
  EXPECT_EQ(maximum(kWidth), 2048 - 64);
  EXPECT_EQ(maximum(kXOffset), 2048 - 512);
  EXPECT_EQ(maximum(kSensorWidth), 16384);
  ASSERT_EQ(set(kHeight, 1000), 0);
  EXPECT_EQ(maximum(kYOffset), 65535 - 1000);
  ASSERT_EQ(set(kYOffset, 35), 0);
  EXPECT_EQ(maximum(kHeight), 65535 - 35);
  // A refused value leaves the limits as they were.
  EXPECT_EQ(set(kWidth, 2048), -6000);
  EXPECT_EQ(maximum(kXOffset), 2048 - 512);
}

}  // namespace
}  // namespace brenvik::test
