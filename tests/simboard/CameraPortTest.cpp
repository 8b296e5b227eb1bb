// The camera on the camera port: the built-in scene while no images are given, the port
// left empty on request, and images handed over in memory, all through the image path.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ImagePathFixture.h"

namespace brenvik::simboard::test {
namespace {

using Picture = std::vector<std::uint32_t>;

constexpr std::uint32_t kSide = 1024;  // the scene's and the default region's size
constexpr std::uint32_t kCountCorner = 200;  // the frame count is drawn inside this corner

// Where the scene's black pixels lie, away from the frame count: the moving disc.
struct Centre {
  double x = 0, y = 0;
  double pixels = 0;
};
Centre blackCentre(const Picture& picture) {
  Centre centre;
  for (std::uint32_t y = 0; y < kSide; ++y) {
    for (std::uint32_t x = 0; x < kSide; ++x) {
      if ((x < kCountCorner && y < kCountCorner) || picture[y * kSide + x] != 0) continue;
      centre.x += x;
      centre.y += y;
      ++centre.pixels;
    }
  }
  if (centre.pixels > 0) {
    centre.x /= centre.pixels;
    centre.y /= centre.pixels;
  }
  return centre;
}

using CameraPort = ImagePath;

TEST_F(CameraPort, TheSceneMovesFromFrameToFrameAndPassesTheTable) {
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA), "scene");
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA_INPUT), "");
  const auto pictures = grab(3);
  for (std::size_t k = 1; k < pictures.size(); ++k) {
    EXPECT_NE(pictures[k], pictures[k - 1]) << k;
    // The disc moves along, a few pixels a frame.
    const Centre before = blackCentre(pictures[k - 1]);
    const Centre after = blackCentre(pictures[k]);
    ASSERT_GT(before.pixels, 1000.0);
    EXPECT_NEAR(before.pixels, after.pixels, before.pixels / 10.0);
    const double moved = (after.x - before.x) * (after.x - before.x) +
                         (after.y - before.y) * (after.y - before.y);
    EXPECT_GT(moved, 9.0) << k;
    EXPECT_LT(moved, 400.0) << k;
  }
  // Full white and full black are both there, and the frame counts differ: the count's
  // corner alone tells the first picture from the second.
  const Picture& first = pictures[0];
  EXPECT_NE(std::find(first.begin(), first.end(), 255u), first.end());
  bool cornerDiffers = false;
  for (std::uint32_t y = 0; y < kCountCorner && !cornerDiffers; ++y) {
    for (std::uint32_t x = 0; x < kCountCorner; ++x) {
      cornerDiffers |= first[y * kSide + x] != pictures[1][y * kSide + x];
    }
  }
  EXPECT_TRUE(cornerDiffers);
  // An inverting table turns the same frame into its complement.
  std::string inverted;
  for (int i = 0; i < 1024; ++i) inverted += (i == 0 ? "" : ",") + std::to_string(1023 - i);
  play("LookupTable_LookupTable_LUTcontent", inverted);
  const Picture complement = grab(1).front();
  ASSERT_EQ(complement.size(), first.size());
  for (std::size_t i = 0; i < first.size(); ++i) ASSERT_EQ(complement[i], 255 - first[i]) << i;
}

// Without a camera nothing arrives; images given to the port take precedence over the
// scene, which comes back once they are cleared.
TEST_F(CameraPort, NoneLeavesThePortEmptyAndImagesComeBeforeTheScene) {
  region(8, 1);
  ASSERT_EQ(simboard_buffers_alloc(board_, 2, 8, &memory_), 0);
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA, "none"), 0);
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA), "none");
  ASSERT_EQ(Fg_AcquireEx(runtime_, 0, 1, 0, memory_), 0);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(runtime_, 1, 0, 0, memory_), SIMBOARD_TIMEOUT);
  EXPECT_EQ(Fg_stopAcquireEx(runtime_, 0, memory_, 0), 0);
  EXPECT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA, "maybe"), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA), "none");

  const std::uint8_t row[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  const SimboardImage image{.width = 8, .height = 1, .bits = 8, .pixels = row};
  ASSERT_EQ(simboard_camera_images(board_, &image, 1), 0);
  EXPECT_EQ(grab(1).front(), (Picture{0, 1, 2, 3, 4, 5, 6, 7}));
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA, "scene"), 0);
  EXPECT_EQ(grab(1).front(), (Picture{0, 1, 2, 3, 4, 5, 6, 7}));
  ASSERT_EQ(simboard_camera_images(board_, nullptr, 0), 0);
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA_INPUT), "");
  EXPECT_NE(grab(1).front(), (Picture{0, 1, 2, 3, 4, 5, 6, 7}));
}

// 8-bit pixels enter the 10-bit path in its top bits, 16-bit ones with their top ten; the
// board keeps its own copies, and they are sent in turn.
TEST_F(CameraPort, InMemoryImagesOfBothDepthsAreSentInTurn) {
  region(4, 2);
  std::vector<std::uint8_t> narrow = {10, 20, 30, 40, 50, 60, 70, 255};
  std::vector<std::uint16_t> wide = {0, 64, 128, 0xffff, 1 << 8, 2 << 8, 3 << 8, 4 << 8};
  SimboardImage images[2] = {{.width = 4, .height = 2, .bits = 8, .pixels = narrow.data()},
                             {.width = 4, .height = 2, .bits = 16, .pixels = wide.data()}};
  ASSERT_EQ(simboard_camera_images(board_, images, 2), 0);
  narrow.assign(narrow.size(), 0);
  wide.assign(wide.size(), 0);
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA_INPUT), "memory:2");
  const auto pictures = grab(3);
  EXPECT_EQ(pictures[0], (Picture{10, 20, 30, 40, 50, 60, 70, 255}));
  // FG_GRAY keeps the top eight of the ten bits: a 16-bit sample's top eight.
  EXPECT_EQ(pictures[1], (Picture{0, 0, 0, 255, 1, 2, 3, 4}));
  EXPECT_EQ(pictures[2], pictures[0]);
  // Ten bits at the top of the 16-bit format.
  play("OutputFormat_FG_FORMAT_SelectSource", "2");
  play("OutputFormat_DynamicShift_Shift_Value", "0");
  EXPECT_EQ(grab(2)[1], (Picture{0, 64, 128, 0xffc0, 1 << 8, 2 << 8, 3 << 8, 4 << 8}));
  // Files given afterwards replace them.
  const std::string file = image("file.pgm", {9, 9, 9, 9});
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, file.c_str()), 0);
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA_INPUT), file);
}

TEST_F(CameraPort, ImagesThatAreNoneKeepThePreviousInput) {
  const std::uint8_t pixels[4] = {1, 2, 3, 4};
  const SimboardImage good{.width = 2, .height = 2, .bits = 8, .pixels = pixels};
  ASSERT_EQ(simboard_camera_images(board_, &good, 1), 0);
  struct Case {
    SimboardImage image;
    std::int32_t code;
  };
  const Case cases[] = {
      {{.width = 2, .height = 2, .bits = 8, .pixels = nullptr}, SIMBOARD_INVALID_PARAMETER},
      {{.width = 0, .height = 2, .bits = 8, .pixels = pixels}, SIMBOARD_BAD_IMAGE},
      {{.width = 2, .height = 0, .bits = 8, .pixels = pixels}, SIMBOARD_BAD_IMAGE},
      {{.width = 70000, .height = 1, .bits = 8, .pixels = pixels}, SIMBOARD_BAD_IMAGE},
      {{.width = 1, .height = 70000, .bits = 8, .pixels = pixels}, SIMBOARD_BAD_IMAGE},
      {{.width = 2, .height = 2, .bits = 12, .pixels = pixels}, SIMBOARD_BAD_IMAGE},
      {{.width = 2, .height = 2, .bits = 0, .pixels = pixels}, SIMBOARD_BAD_IMAGE},
  };
  for (const Case& c : cases) {
    // A bad image refuses the whole call, even behind a good one.
    const SimboardImage both[2] = {good, c.image};
    EXPECT_EQ(simboard_camera_images(board_, both, 2), c.code) << c.image.width << "x" << c.image.height;
  }
  EXPECT_EQ(simboard_camera_images(board_, nullptr, 1), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA_INPUT), "memory:1");
  region(2, 2);
  EXPECT_EQ(grab(1).front(), (Picture{1, 2, 3, 4}));
}

}  // namespace
}  // namespace brenvik::simboard::test
