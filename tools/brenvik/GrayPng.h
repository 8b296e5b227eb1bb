// Gray pictures as PNG, encoded in memory: the one PNG writer of the tool and the front end.
#pragma once

#include <cstdint>
#include <string>

namespace brenvik::tool {

struct GrayPicture {
  const void* pixels;           // rows one after the other, no padding
  std::uint32_t width;
  std::uint32_t height;
  std::uint32_t bytesPerPixel;  // 1, or 2 for a 16-bit picture in native byte order
};

// Encodes the picture as a PNG (8 or 16 bits gray), fast rather than small. False with a
// reason in `error` for a picture that is none (no pixels, no size, another sample size) or
// when the compressor fails.
bool encodeGrayPng(const GrayPicture& picture, std::string& png, std::string* error);

}  // namespace brenvik::tool
