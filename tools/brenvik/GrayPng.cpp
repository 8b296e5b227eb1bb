// Gray pictures as PNG through libpng, into memory.
#include "tools/brenvik/GrayPng.h"

#if BRENVIK_HAVE_PNG
#include <png.h>

#include <bit>
#include <csetjmp>
#endif

namespace brenvik::tool {

#if BRENVIK_HAVE_PNG
namespace {

void append(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data),
                                                         length);
}

void flush(png_structp) {}

}  // namespace

bool encodeGrayPng(const GrayPicture& picture, std::string& png, std::string* error) {
  png.clear();
  png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = writer != nullptr ? png_create_info_struct(writer) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&writer, nullptr);
    *error = "libpng could not start";
    return false;
  }
  // libpng reports its failures by jumping back here; nothing with a destructor is created
  // between here and the end of the writing.
  if (setjmp(png_jmpbuf(writer))) {
    png_destroy_write_struct(&writer, &info);
    *error = "libpng could not encode the picture";
    return false;
  }
  png_set_write_fn(writer, &png, &append, &flush);
  png_set_compression_level(writer, 1);
  png_set_filter(writer, 0, PNG_FILTER_NONE);
  const int depth = picture.bytesPerPixel == 2 ? 16 : 8;
  png_set_IHDR(writer, info, picture.width, picture.height, depth, PNG_COLOR_TYPE_GRAY,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(writer, info);
  // PNG keeps 16-bit samples most significant byte first.
  if (depth == 16 && std::endian::native == std::endian::little) png_set_swap(writer);
  const auto* rows = static_cast<const png_byte*>(picture.pixels);
  const std::size_t stride = std::size_t{picture.width} * picture.bytesPerPixel;
  for (std::uint32_t row = 0; row < picture.height; ++row) {
    png_write_row(writer, rows + row * stride);
  }
  png_write_end(writer, nullptr);
  png_destroy_write_struct(&writer, &info);
  return true;
}

#else
// A tool built without libpng encodes no pictures, and says so.
bool encodeGrayPng(const GrayPicture&, std::string&, std::string* error) {
  *error = "this brenvik was built without libpng";
  return false;
}
#endif

}  // namespace brenvik::tool
