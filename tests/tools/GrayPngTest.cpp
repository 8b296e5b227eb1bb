// The PNG writer read back by an independent decoder (stb_image): the pixels decoded are the
// pixels written, 8 and 16 bits, in sizes from one pixel to several of zlib's blocks; every
// chunk carries the checksum that strict readers (browsers) verify and stb_image does not.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tools/brenvik/GrayPng.h"

namespace brenvik::tool {
namespace {

struct Size {
  std::uint32_t width;
  std::uint32_t height;
};
constexpr Size kSizes[] = {{1, 1}, {3, 2}, {641, 480}};

struct Freed {
  void operator()(void* pixels) const { stbi_image_free(pixels); }
};

const stbi_uc* bytesOf(const std::string& png) {
  return reinterpret_cast<const stbi_uc*>(png.data());
}
int lengthOf(const std::string& png) { return static_cast<int>(png.size()); }

template <typename Sample>
std::vector<Sample> noise(Size size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<Sample> pixels(std::size_t{size.width} * size.height);
  for (Sample& pixel : pixels) pixel = static_cast<Sample>(random());
  return pixels;
}

std::string encoded(const void* pixels, Size size, std::uint32_t bytesPerPixel) {
  std::string png;
  std::string error;
  EXPECT_TRUE(encodeGrayPng({pixels, size.width, size.height, bytesPerPixel}, png, &error))
      << error;
  return png;
}

// Noise of every size, 8 or 16 bits, decodes as it was written.
template <typename Sample>
void expectNoiseDecodesAsWritten() {
  constexpr bool kWide = sizeof(Sample) == 2;
  for (const Size size : kSizes) {
    auto pixels = noise<Sample>(size, size.width + size.height);
    // Native 16-bit samples; 0x0102 tells the byte orders apart.
    if constexpr (kWide) pixels.front() = 0x0102;
    const std::string png = encoded(pixels.data(), size, sizeof(Sample));
    ASSERT_EQ(stbi_is_16_bit_from_memory(bytesOf(png), lengthOf(png)), kWide ? 1 : 0);
    int width = 0, height = 0, channels = 0;
    Sample* raw = nullptr;
    if constexpr (kWide) {
      raw = stbi_load_16_from_memory(bytesOf(png), lengthOf(png), &width, &height, &channels, 0);
    } else {
      raw = stbi_load_from_memory(bytesOf(png), lengthOf(png), &width, &height, &channels, 0);
    }
    std::unique_ptr<Sample, Freed> decoded(raw);
    ASSERT_TRUE(decoded) << stbi_failure_reason();
    EXPECT_EQ(width, static_cast<int>(size.width));
    EXPECT_EQ(height, static_cast<int>(size.height));
    EXPECT_EQ(channels, 1);
    EXPECT_EQ(std::memcmp(decoded.get(), pixels.data(), pixels.size() * sizeof(Sample)), 0)
        << size.width;
  }
}

TEST(GrayPng, EightBitPixelsDecodeAsWritten) { expectNoiseDecodesAsWritten<std::uint8_t>(); }
TEST(GrayPng, SixteenBitPixelsDecodeAsWritten) { expectNoiseDecodesAsWritten<std::uint16_t>(); }

// The CRC-32 of PNG, bit by bit, apart from the writer's.
std::uint32_t crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char byte : bytes) {
    crc ^= static_cast<std::uint8_t>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) != 0 ? 0xEDB88320 : 0);
  }
  return ~crc;
}

std::uint32_t bigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

TEST(GrayPng, ChunksAreWholeAndChecksummed) {
  const auto pixels = noise<std::uint8_t>(kSizes[2], 1);
  const std::string png = encoded(pixels.data(), kSizes[2], 1);
  ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  std::vector<std::string> types;
  std::size_t at = 8;
  while (at + 12 <= png.size()) {
    const std::uint32_t length = bigEndian(png, at);
    ASSERT_LE(at + 12 + length, png.size());
    const std::string typeAndData = png.substr(at + 4, 4 + length);
    types.push_back(typeAndData.substr(0, 4));
    EXPECT_EQ(bigEndian(png, at + 8 + length), crc32(typeAndData)) << types.back();
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size());
  ASSERT_GE(types.size(), 3u);
  EXPECT_EQ(types.front(), "IHDR");
  EXPECT_EQ(types.back(), "IEND");
  EXPECT_EQ(bigEndian(png, 16), kSizes[2].width);
  EXPECT_EQ(bigEndian(png, 20), kSizes[2].height);
}

TEST(GrayPng, RefusesWhatIsNoPicture) {
  const std::uint8_t pixel = 7;
  for (const GrayPicture& picture : {GrayPicture{nullptr, 1, 1, 1}, GrayPicture{&pixel, 0, 1, 1},
                                     GrayPicture{&pixel, 1, 0, 1}, GrayPicture{&pixel, 1, 1, 3}}) {
    std::string png = "stale";
    std::string error;
    EXPECT_FALSE(encodeGrayPng(picture, png, &error));
    EXPECT_TRUE(png.empty());
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace brenvik::tool
