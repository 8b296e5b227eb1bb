// The image path from the camera's line to the DMA buffer: the tap geometry sorter, the
// region of interest, the lookup table and the output format, folded into one table and one
// column map so that a line is one loop without calls or branches on settings. Generated
// lines differ only by a value offset, so each distinct line is computed once per settings
// and copied from then on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ImageSettings.h"
#include "InputImages.h"

namespace brenvik::simboard {

// The size of the pictures an acquisition delivers; fixed when it starts.
struct FrameGeometry {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bits = 8;
  std::uint32_t bytesPerPixel = 1;
  std::uint64_t bytes() const { return std::uint64_t{width} * height * bytesPerPixel; }
  bool operator==(const FrameGeometry&) const = default;
};

FrameGeometry geometryOf(const ImageSettings& settings);

class FrameRenderer {
 public:
  // Follows the settings, looking again whenever their version changes.
  void prepare(const ImageSettings& settings, const FrameGeometry& geometry);
  // Simulator frame number `frame` (counted from the acquisition's start) into `out`.
  void renderGenerated(std::uint64_t frame, std::byte* out);
  // A camera frame from an image into `out`.
  void renderImage(const InputImage& image, std::byte* out);

 private:
  static constexpr std::uint32_t kNoColumn = 0xffffffffu;
  static constexpr std::size_t kPatternValues = 256;

  template <typename Pixel>
  void generatedLine(std::uint32_t offset, Pixel* out) const;
  template <typename Pixel>
  void imageLines(const InputImage& image, std::byte* out) const;
  void mapImageColumns(std::uint32_t imageWidth);

  ImageSettings settings_;
  FrameGeometry geometry_;
  bool prepared_ = false;
  std::size_t rowBytes_ = 0;
  // Output pixel of every 10-bit input value, and of black for InputImage::kNoPixel; a
  // line of black for the lines past the camera's image.
  std::vector<std::uint16_t> table_;
  std::vector<std::byte> blankLine_;
  // Per output column, its index in the camera's line (kNoColumn: none).
  std::vector<std::uint32_t> column_;
  // Generated lines: per column the pattern's column part (or 2 x 256 for no pixel), the
  // output pixel of every pattern value twice over and black beyond, and the lines computed
  // so far by their value offset.
  std::vector<std::uint16_t> patternColumn_;
  std::vector<std::uint16_t> patternTable_;
  std::vector<std::byte> lineCache_;
  std::vector<bool> lineCached_;
  // Image lines: per column the sample index (the row's kNoPixel slot for none), and
  // whether the columns are one straight run from imageFirst_.
  std::vector<std::uint32_t> imageColumn_;
  std::uint32_t imageWidth_ = 0;
  bool imageStraight_ = false;
  std::uint32_t imageFirst_ = 0;
};

}  // namespace brenvik::simboard
