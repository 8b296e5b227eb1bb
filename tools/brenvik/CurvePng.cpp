// The curve of a lookup table as a PNG picture.
#include "tools/brenvik/CurvePng.h"

#include "tools/brenvik/GrayPng.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace brenvik::tool {

namespace {

constexpr std::uint8_t kBackground = 255;
constexpr std::uint8_t kGrid = 215;
constexpr std::uint8_t kCurve = 0;
constexpr std::uint32_t kGridDivisions = 8;

using Picture = std::vector<std::uint8_t>;  // rows from the top, one byte per pixel

void plot(Picture& picture, std::uint32_t x, std::uint32_t y, std::uint8_t shade) {
  picture[(kCurvePictureSize - 1 - y) * kCurvePictureSize + x] = shade;
}

Picture draw(std::span<const std::uint32_t> entries, std::uint32_t maximum) {
  constexpr std::uint32_t kLast = kCurvePictureSize - 1;
  Picture picture(std::size_t{kCurvePictureSize} * kCurvePictureSize, kBackground);
  for (std::uint32_t line = 0; line <= kGridDivisions; ++line) {
    const std::uint32_t at = std::min(kLast, line * kCurvePictureSize / kGridDivisions);
    for (std::uint32_t i = 0; i < kCurvePictureSize; ++i) {
      plot(picture, at, i, kGrid);
      plot(picture, i, at, kGrid);
    }
  }
  // Each column joins the heights of the entries it covers and its neighbour's, so that
  // steep parts stay connected.
  const auto height = [&](std::size_t index) {
    const std::uint64_t value = std::min<std::uint64_t>(entries[index], maximum);
    return static_cast<std::uint32_t>(maximum == 0 ? 0 : value * kLast / maximum);
  };
  const std::size_t count = entries.size();
  for (std::uint32_t x = 0; x < kCurvePictureSize && count > 0; ++x) {
    const std::size_t first = x * count / kCurvePictureSize;
    const std::size_t last = std::min(count - 1, ((x + 1) * count) / kCurvePictureSize);
    std::uint32_t low = height(first);
    std::uint32_t high = low;
    for (std::size_t i = first; i <= last; ++i) {
      low = std::min(low, height(i));
      high = std::max(high, height(i));
    }
    for (std::uint32_t y = low; y <= high; ++y) plot(picture, x, y, kCurve);
  }
  return picture;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool writeCurvePng(const std::string& file, std::span<const std::uint32_t> entries,
                   std::uint32_t maximum, std::string* error) {
  const Picture picture = draw(entries, maximum);
  std::string png;
  if (!encodeGrayPng({picture.data(), kCurvePictureSize, kCurvePictureSize, 1}, png, error)) {
    return false;
  }
  std::unique_ptr<std::FILE, FileCloser> out(std::fopen(file.c_str(), "wb"));
  if (!out || std::fwrite(png.data(), 1, png.size(), out.get()) != png.size() ||
      std::fflush(out.get()) != 0) {
    *error = "cannot write " + file;
    return false;
  }
  return true;
}

}  // namespace brenvik::tool
