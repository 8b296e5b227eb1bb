// Reading the camera port's image files.
#include "InputImages.h"

#include <cstring>
#include <fstream>
#include <memory>

#if BRENVIK_HAVE_STB
// stb_image decodes PNG files, through functions private to this file and from a stream of
// ours, so that a file opens the way a PGM file does.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#include <stb/stb_image.h>
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

#if BRENVIK_HAVE_STB
// stb_image reads the file through these, from the stream passed as `user`.
std::istream& streamOf(void* user) { return *static_cast<std::istream*>(user); }
int readBytes(void* user, char* data, int size) {
  streamOf(user).read(data, size);
  return static_cast<int>(streamOf(user).gcount());
}
void skipBytes(void* user, int count) {
  streamOf(user).clear();
  streamOf(user).seekg(count, std::ios::cur);
}
int atEnd(void* user) { return streamOf(user).peek() == std::char_traits<char>::eof() ? 1 : 0; }
const stbi_io_callbacks kFromStream{&readBytes, &skipBytes, &atEnd};

struct PixelsFree {
  void operator()(void* pixels) const { stbi_image_free(pixels); }
};

// Reads a PNG file of any kind as one gray channel: colour as stb_image's luminance
// ((77 R + 150 G + 29 B) / 256), alpha left out, 16-bit samples kept wide.
bool readPng(const std::string& path, InputImage& image, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = "cannot open the file";
    return false;
  }
  const auto rewind = [&in] {
    in.clear();
    in.seekg(0);
  };
  int width = 0;
  int height = 0;
  int channels = 0;
  if (stbi_info_from_callbacks(&kFromStream, &in, &width, &height, &channels) == 0) {
    why = stbi_failure_reason();
    return false;
  }
  // The size is checked before the pixels are decoded, so a huge header costs no memory.
  if (width <= 0 || height <= 0 || static_cast<std::uint32_t>(width) > kLargestSide ||
      static_cast<std::uint32_t>(height) > kLargestSide) {
    why = "image size out of range";
    return false;
  }
  rewind();
  const bool wide = stbi_is_16_bit_from_callbacks(&kFromStream, &in) != 0;
  rewind();
  std::unique_ptr<void, PixelsFree> pixels(
      wide ? static_cast<void*>(
                 stbi_load_16_from_callbacks(&kFromStream, &in, &width, &height, &channels, 1))
           : static_cast<void*>(
                 stbi_load_from_callbacks(&kFromStream, &in, &width, &height, &channels, 1)));
  if (!pixels) {
    why = stbi_failure_reason();
    return false;
  }
  image.width = static_cast<std::uint32_t>(width);
  image.height = static_cast<std::uint32_t>(height);
  if (wide) {
    fill(image, static_cast<const std::uint16_t*>(pixels.get()), true);
  } else {
    fill(image, static_cast<const std::uint8_t*>(pixels.get()), false);
  }
  return true;
}
#else
bool readPng(const std::string&, InputImage&, std::string& why) {
  why = "this board was built without stb_image and reads no PNG files";
  return false;
}
#endif

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

}  // namespace brenvik::simboard
