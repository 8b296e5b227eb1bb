// Image files that stand in for a camera on the camera port: binary PGM and PNG, gray or
// colour, 8 or 16 bits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "simboard/control.h"

namespace brenvik::simboard {

// A camera frame as the path's 10-bit input: each row holds `width` samples and one more,
// kNoPixel, that a column outside the camera's line reads.
struct InputImage {
  static constexpr std::uint16_t kNoPixel = 1024;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint16_t> samples;
  std::size_t stride() const { return std::size_t{width} + 1; }
  const std::uint16_t* row(std::uint32_t y) const { return samples.data() + y * stride(); }
};

// The samples of a binary PGM ("P5") file row by row, with its size and maximum value, or
// nothing when the file is not one.
struct PgmImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t maximum = 0;
  std::vector<std::uint32_t> samples;
};
std::optional<PgmImage> readPgm(const std::string& path);

// Reads a PGM or PNG file as camera input: 8-bit samples enter the 10-bit path in its top
// bits (v << 2), wider ones with their top ten bits. Returns false with the reason.
bool readInputImage(const std::string& path, InputImage& image, std::string& why);

// Reads an image held in memory as camera input, samples as for files: SIMBOARD_OK,
// SIMBOARD_INVALID_PARAMETER for null pixels, SIMBOARD_BAD_IMAGE for a size or depth that
// is none. Throws std::bad_alloc when the memory is not there.
std::int32_t readMemoryImage(const SimboardImage& from, InputImage& image);

}  // namespace brenvik::simboard
