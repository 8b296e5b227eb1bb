// PNG files on the camera port beyond 8-bit gray: 16-bit samples keep their top bits, colour
// enters as its luminance, and files that are cut short or too large are refused.
#include <filesystem>
#include <string>
#include <vector>

#include "ImagePathFixture.h"

namespace brenvik::simboard::test {
namespace {

std::string dataFile(const std::string& name) {
  return std::string(BRENVIK_SOURCE_DIR) + "/tests/simboard/data/" + name;
}

// 16-bit samples 0x0100, 0x8000 and 0xFFC0 (big-endian in the file) reach the 8-bit output
// as 1, 128 and 255 (swapped bytes would give 0, 0 and 192); pure red and pure blue come as
// their luminance (77 R + 150 G + 29 B) / 256.
TEST_F(ImagePath, ReadsWideAndColourPngFiles) {
  const struct {
    const char* file;
    std::vector<std::uint32_t> pixels;
  } cases[] = {{"gray16-3x1.png", {1, 128, 255}}, {"rgb-2x1.png", {76, 28}}};
  for (const auto& c : cases) {
    ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, dataFile(c.file).c_str()), 0)
        << c.file;
    region(static_cast<std::uint32_t>(c.pixels.size()), 1);
    const auto pixels = grab(1).front();
    EXPECT_EQ(std::vector<std::uint32_t>(pixels.begin(),
                                         pixels.begin() + static_cast<long>(c.pixels.size())),
              c.pixels)
        << c.file;
  }
}

// A file cut inside its header, one wider than the largest side (whose pixels would decode),
// a directory and a missing file: each refused, the earlier input kept.
TEST_F(ImagePath, RefusesPngFilesItCannotUse) {
  const std::string good = dataFile("gray-8x2.png");
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, good.c_str()), 0);
  const std::string directory = directory_.path("folder.png");
  std::filesystem::create_directory(directory);
  for (const std::string& bad : {dataFile("truncated.png"), dataFile("wide-70000x1.png"), directory,
                                 dataFile("absent.png")}) {
    EXPECT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, bad.c_str()), SIMBOARD_BAD_IMAGE)
        << bad;
  }
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA_INPUT), good);
}

}  // namespace
}  // namespace brenvik::simboard::test
