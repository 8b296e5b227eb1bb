// Reading the camera port's image files.
#include "InputImages.h"

#include <cstring>
#include <fstream>

#if defined(BRENVIK_HAVE_PNG)
#include <png.h>
#endif

namespace brenvik::simboard {

namespace {

constexpr std::uint32_t kLargestSide = 65536;

// The next header number of a PGM file, skipping white space and "#" comments.
bool readHeaderNumber(std::istream& in, std::uint32_t& number) {
  while (in >> std::ws && in.peek() == '#') {
    std::string comment;
    std::getline(in, comment);
  }
  return static_cast<bool>(in >> number);
}

// Fills the padded 10-bit rows from 8-bit samples, or from 16-bit ones when `wide`.
template <typename Sample>
void fill(InputImage& image, const Sample* samples, bool wide) {
  image.samples.assign(image.stride() * image.height, InputImage::kNoPixel);
  for (std::uint32_t y = 0; y < image.height; ++y) {
    std::uint16_t* row = image.samples.data() + y * image.stride();
    const Sample* from = samples + std::size_t{y} * image.width;
    for (std::uint32_t x = 0; x < image.width; ++x) {
      row[x] = static_cast<std::uint16_t>(wide ? from[x] >> 6 : from[x] << 2);
    }
  }
}

bool readPng(const std::string& path, InputImage& image, std::string& why) {
#if defined(BRENVIK_HAVE_PNG)
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    why = png.message;
    return false;
  }
  const bool wide = (png.format & PNG_FORMAT_FLAG_LINEAR) != 0;
  png.format = wide ? PNG_FORMAT_LINEAR_Y : PNG_FORMAT_GRAY;
  if (png.width == 0 || png.height == 0 || png.width > kLargestSide ||
      png.height > kLargestSide) {
    png_image_free(&png);
    why = "image size out of range";
    return false;
  }
  image.width = png.width;
  image.height = png.height;
  std::vector<std::uint16_t> samples(std::size_t{png.width} * png.height);
  bool read = false;
  if (wide) {
    read = png_image_finish_read(&png, nullptr, samples.data(), 0, nullptr) != 0;
    if (read) fill(image, samples.data(), true);
  } else {
    std::vector<std::uint8_t> narrow(samples.size());
    read = png_image_finish_read(&png, nullptr, narrow.data(), 0, nullptr) != 0;
    if (read) fill(image, narrow.data(), false);
  }
  if (!read) why = png.message;
  png_image_free(&png);
  return read;
#else
  static_cast<void>(path), static_cast<void>(image);
  why = "this board was built without PNG support";
  return false;
#endif
}

bool hasSuffix(const std::string& text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    const char c = text[text.size() - suffix.size() + i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != suffix[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<PgmImage> readPgm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  PgmImage image;
  if (!(in >> magic) || magic != "P5" || !readHeaderNumber(in, image.width) ||
      !readHeaderNumber(in, image.height) || !readHeaderNumber(in, image.maximum) ||
      image.maximum == 0 || image.maximum > 65535 || image.width == 0 || image.height == 0 ||
      image.width > kLargestSide || image.height > kLargestSide) {
    return std::nullopt;
  }
  in.get();  // the one white-space character before the samples
  const std::size_t bytes = image.maximum > 255 ? 2 : 1;
  const std::size_t count = std::size_t{image.width} * image.height;
  std::vector<unsigned char> raw(count * bytes);
  if (!in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size()))) {
    return std::nullopt;
  }
  image.samples.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    image.samples[i] = bytes == 2 ? (std::uint32_t{raw[2 * i]} << 8) | raw[2 * i + 1] : raw[i];
  }
  return image;
}

bool readInputImage(const std::string& path, InputImage& image, std::string& why) {
  if (hasSuffix(path, ".png")) return readPng(path, image, why);
  std::optional<PgmImage> pgm = readPgm(path);
  if (!pgm) {
    why = "not a readable binary PGM file";
    return false;
  }
  image.width = pgm->width;
  image.height = pgm->height;
  fill(image, pgm->samples.data(), pgm->maximum > 255);
  return true;
}

std::int32_t readMemoryImage(const SimboardImage& from, InputImage& image) {
  if (from.pixels == nullptr) return SIMBOARD_INVALID_PARAMETER;
  if (from.width == 0 || from.height == 0 || from.width > kLargestSide ||
      from.height > kLargestSide || (from.bits != 8 && from.bits != 16)) {
    return SIMBOARD_BAD_IMAGE;
  }
  image.width = from.width;
  image.height = from.height;
  if (from.bits == 8) {
    fill(image, static_cast<const std::uint8_t*>(from.pixels), false);
    return SIMBOARD_OK;
  }
  // The caller's 16-bit pixels need not be aligned: read them through a copy.
  std::vector<std::uint16_t> wide(std::size_t{from.width} * from.height);
  std::memcpy(wide.data(), from.pixels, wide.size() * sizeof(std::uint16_t));
  fill(image, wide.data(), true);
  return SIMBOARD_OK;
}

bool pngSupported() {
#if defined(BRENVIK_HAVE_PNG)
  return true;
#else
  return false;
#endif
}

}  // namespace brenvik::simboard
