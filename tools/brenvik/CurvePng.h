// Draws a lookup table as a curve (input to the right, output upwards) into a PNG file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace brenvik::tool {

// The side of the square picture in pixels.
inline constexpr std::uint32_t kCurvePictureSize = 512;

// Writes the curve of `entries` (each 0 … maximum) as a gray PNG of kCurvePictureSize pixels
// square, with a light grid in eighths. False with a reason in `error` when the file does not
// write.
bool writeCurvePng(const std::string& file, std::span<const std::uint32_t> entries,
                   std::uint32_t maximum, std::string* error);

}  // namespace brenvik::tool
