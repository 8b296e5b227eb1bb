// Gray pictures as PNG: the chunks are laid out here, the image data is deflated by zlib.
#include "tools/brenvik/GrayPng.h"

#if BRENVIK_HAVE_ZLIB
#include <zlib.h>

#include <array>
#include <bit>
#include <vector>
#endif

namespace brenvik::tool {

#if BRENVIK_HAVE_ZLIB
namespace {

constexpr std::array<char, 8> kSignature{'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
constexpr std::uint8_t kColourGray = 0;
constexpr std::uint8_t kFilterNone = 0;
// zlib's fastest level: a preview frame is sent once and soon replaced.
constexpr int kCompression = 1;
// PNG's own limit for sizes and chunk lengths; also the most raw image data taken, which keeps
// zlib's counts within 32 bits on every system.
constexpr std::uint32_t kLargestField = 0x7FFFFFFF;

void appendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
}

// Appends one chunk: its length, type, data and the CRC of type and data.
void appendChunk(std::string& out, const char (&type)[5], const std::string& data) {
  appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.append(type, 4);
  out.append(data);
  const auto* crcd = reinterpret_cast<const Bytef*>(out.data() + typeAt);
  appendBigEndian(
      out, static_cast<std::uint32_t>(::crc32(0, crcd, static_cast<uInt>(out.size() - typeAt))));
}

// The zlib stream of the filtered rows (each row: filter byte, then its samples big-endian).
bool deflateRows(const GrayPicture& picture, std::string& deflated) {
  z_stream stream{};
  if (deflateInit(&stream, kCompression) != Z_OK) return false;
  const std::size_t rowBytes = std::size_t{picture.width} * picture.bytesPerPixel;
  const std::size_t rawBytes = (rowBytes + 1) * picture.height;
  deflated.resize(::deflateBound(&stream, static_cast<uLong>(rawBytes)));
  stream.next_out = reinterpret_cast<Bytef*>(deflated.data());
  stream.avail_out = static_cast<uInt>(deflated.size());
  // With room for the bound, every call takes all its input.
  const auto feed = [&stream](const std::uint8_t* bytes, std::size_t size, int flush) {
    stream.next_in = const_cast<Bytef*>(bytes);
    stream.avail_in = static_cast<uInt>(size);
    const int result = ::deflate(&stream, flush);
    return flush == Z_FINISH ? result == Z_STREAM_END : result == Z_OK;
  };
  const bool swap = picture.bytesPerPixel == 2 && std::endian::native == std::endian::little;
  std::vector<std::uint8_t> swapped(swap ? rowBytes : 0);
  const auto* rows = static_cast<const std::uint8_t*>(picture.pixels);
  bool fine = true;
  for (std::uint32_t y = 0; y < picture.height && fine; ++y) {
    const std::uint8_t* row = rows + y * rowBytes;
    if (swap) {
      for (std::size_t i = 0; i < rowBytes; i += 2) {
        swapped[i] = row[i + 1];
        swapped[i + 1] = row[i];
      }
      row = swapped.data();
    }
    fine = feed(&kFilterNone, 1, Z_NO_FLUSH) &&
           feed(row, rowBytes, y + 1 == picture.height ? Z_FINISH : Z_NO_FLUSH);
  }
  deflated.resize(stream.total_out);
  ::deflateEnd(&stream);
  return fine;
}

}  // namespace

bool encodeGrayPng(const GrayPicture& picture, std::string& png, std::string* error) {
  png.clear();
  if (picture.pixels == nullptr || picture.width == 0 || picture.height == 0 ||
      picture.width > kLargestField || picture.height > kLargestField ||
      (picture.bytesPerPixel != 1 && picture.bytesPerPixel != 2) ||
      (std::size_t{picture.width} * picture.bytesPerPixel + 1) * picture.height > kLargestField) {
    *error = "no picture to encode as PNG";
    return false;
  }
  std::string header;
  appendBigEndian(header, picture.width);
  appendBigEndian(header, picture.height);
  header.push_back(static_cast<char>(picture.bytesPerPixel * 8));  // bits per sample
  header.push_back(static_cast<char>(kColourGray));
  header.append(3, '\0');  // deflate, adaptive filtering, no interlace
  std::string data;
  if (!deflateRows(picture, data) || data.size() > kLargestField) {
    *error = "zlib could not compress the picture";
    return false;
  }
  png.assign(kSignature.begin(), kSignature.end());
  appendChunk(png, "IHDR", header);
  appendChunk(png, "IDAT", data);
  appendChunk(png, "IEND", {});
  return true;
}

#else
// A tool built without zlib encodes no pictures, and says so.
bool encodeGrayPng(const GrayPicture&, std::string& png, std::string* error) {
  png.clear();
  *error = "this brenvik was built without zlib and writes no PNG pictures";
  return false;
}
#endif

}  // namespace brenvik::tool
