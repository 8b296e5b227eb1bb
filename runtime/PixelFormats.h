// The pixel formats of the SDK as data: the code of each format, the bits of one pixel, and
// the text by which the output-format block of a design names the formats its inputs deliver.
// The applet's output-format enumeration, its setters and discovery read them from here; so
// can the simulated board and the tool, which see this folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace brenvik::runtime {

struct PixelFormat {
  std::string_view name;  // how a design input names it; empty for a code no input delivers
  std::uint32_t code;
  std::uint32_t bits;  // per pixel
  // The bit-shift arithmetic knows the code (FG_CUSTOM_BIT_SHIFT_RIGHT and its limit); for
  // the others it reports the runtime's failure.
  bool shiftable;
};

namespace pixel_formats {

// clang-format off
inline constexpr PixelFormat kAll[] = {
    {"FG_GRAY16", 1, 16, true},
    {"FG_COL24", 2, 8, true},
    {"FG_GRAY", 3, 8, true},
    {"", 4, 32, true},
    {"FG_COL30", 5, 10, true},
    {"FG_COL48", 6, 16, true},
    {"FG_COL36", 7, 12, true},
    {"", 8, 1, true},
    {"FG_COL42", 9, 14, true},
    {"", 20, 32, true},
    {"FG_GRAY10", 21, 10, true},
    {"FG_GRAY12", 22, 12, true},
    {"FG_GRAY14", 23, 14, true},
    {"", 50, 8, true},
    {"FG_RGBX32", 408, 8, false},
    {"FG_RGBX40", 410, 10, false},
    {"FG_RGBX48", 412, 12, false},
    {"FG_RGBX56", 414, 14, false},
    {"FG_RGBX64", 416, 16, false},
};
// clang-format on

}  // namespace pixel_formats

// The format of a code, or null.
constexpr const PixelFormat* findPixelFormat(std::uint32_t code) {
  for (const PixelFormat& format : pixel_formats::kAll) {
    if (format.code == code) return &format;
  }
  return nullptr;
}

// The format a design input names, or null (an empty text names none).
constexpr const PixelFormat* findPixelFormat(std::string_view name) {
  if (name.empty()) return nullptr;
  for (const PixelFormat& format : pixel_formats::kAll) {
    if (format.name == name) return &format;
  }
  return nullptr;
}

// Bits per pixel of a code the shift arithmetic knows; 0 for any other code.
constexpr std::uint32_t shiftableBitsOf(std::uint32_t code) {
  const PixelFormat* format = findPixelFormat(code);
  return format != nullptr && format->shiftable ? format->bits : 0;
}

// Bytes one pixel of a code takes in a buffer; 0 for an unknown code.
constexpr std::uint32_t bytesPerPixel(std::uint32_t code) {
  const PixelFormat* format = findPixelFormat(code);
  return format != nullptr ? (format->bits + 7) / 8 : 0;
}

// The code of a format named in code, found while compiling.
consteval std::uint32_t pixelFormatCode(std::string_view name) {
  const PixelFormat* format = findPixelFormat(name);
  if (format == nullptr) throw "not a pixel format";
  return format->code;
}

namespace pixel_formats {

// No code or name is in the table twice.
consteval bool formatsAreDistinct() {
  for (std::size_t i = 0; i < std::size(kAll); ++i) {
    for (std::size_t j = i + 1; j < std::size(kAll); ++j) {
      if (kAll[i].code == kAll[j].code) return false;
      if (!kAll[i].name.empty() && kAll[i].name == kAll[j].name) return false;
    }
  }
  return true;
}
static_assert(formatsAreDistinct());

}  // namespace pixel_formats

}  // namespace brenvik::runtime
