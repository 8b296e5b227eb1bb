// The fused loops of the image path.
#include "FrameRenderer.h"

#include <algorithm>
#include <cstring>

namespace brenvik::simboard {

namespace {

constexpr std::uint32_t kPipelineBits = 16;  // the output format block's word
constexpr std::uint32_t kLutBits = 10;

// The sorter works on taps in groups of five; with dummy taps the fifth of each group
// carries nothing (an 8-tap camera on the 10-tap sorter).
std::uint32_t zonesOf(const ImageSettings& s) {
  const std::uint32_t taps = std::min<std::uint32_t>(s.tapCount, kSorterTaps);
  return s.dummyTaps ? taps - taps / 5 : taps;
}

// A pattern counter that advances 256 / divisor per line or frame, modulo 256: divisor 256
// steps by one, divisor 1 stands still (0 does too).
std::uint32_t stepOf(std::uint32_t divisor) { return divisor == 0 ? 0 : (256 / divisor) & 255; }

}  // namespace

FrameGeometry geometryOf(const ImageSettings& settings) {
  FrameGeometry geometry;
  geometry.width = settings.width;
  geometry.height = settings.height;
  geometry.bits = settings.bits;
  geometry.bytesPerPixel = settings.bits > 8 ? 2 : 1;
  return geometry;
}

void FrameRenderer::prepare(const ImageSettings& settings, const FrameGeometry& geometry) {
  if (prepared_ && settings.version == settings_.version && geometry == geometry_) return;
  prepared_ = true;
  settings_ = settings;
  geometry_ = geometry;
  rowBytes_ = std::size_t{geometry.width} * geometry.bytesPerPixel;

  // The table lands in the top bits of the pipeline word; the output format shifts it down
  // and keeps the format's bits.
  const std::uint32_t mask = (std::uint32_t{1} << std::min(geometry.bits, kPipelineBits)) - 1;
  table_.assign(kLutEntries + 1, 0);
  for (std::size_t value = 0; value < kLutEntries; ++value) {
    const std::uint32_t word = std::uint32_t{settings.lut[value]} << (kPipelineBits - kLutBits);
    table_[value] =
        static_cast<std::uint16_t>(settings.shift >= kPipelineBits ? 0 : (word >> settings.shift) & mask);
  }
  // Where the camera's image ends, the path carries black (input 0) through the table.
  const std::uint16_t black = table_[0];
  table_[InputImage::kNoPixel] = black;
  blankLine_.resize(rowBytes_);
  for (std::uint32_t x = 0; x < geometry.width; ++x) {
    if (geometry.bytesPerPixel == 1) {
      blankLine_[x] = static_cast<std::byte>(black);
    } else {
      std::memcpy(blankLine_.data() + 2 * x, &black, sizeof black);
    }
  }

  // The sorter puts the zones' interleaved pixels side by side, each zone at the place its
  // tap order names and read backwards where its mirror flag is set; the region of interest
  // then cuts the frame buffer's columns.
  const std::uint32_t zones = zonesOf(settings);
  const std::uint32_t tapWidth = settings.tapWidth;
  column_.assign(geometry.width, kNoColumn);
  for (std::uint32_t x = 0; x < geometry.width && zones > 0 && tapWidth > 0; ++x) {
    const std::uint64_t place = std::uint64_t{settings.xOffset} + x;
    const std::uint64_t slot = place / tapWidth;
    if (slot >= zones) continue;
    std::uint32_t zone = zones;
    for (std::uint32_t z = 0; z < zones; ++z) {
      if (settings.tapOrder[z] == slot) zone = z;
    }
    if (zone == zones) continue;
    std::uint64_t within = place % tapWidth;
    if (settings.mirror[zone] != 0) within = tapWidth - 1 - within;
    const std::uint64_t index = within * zones + zone;
    if (index < kNoColumn) column_[x] = static_cast<std::uint32_t>(index);
  }

  const std::uint64_t lineWidth = std::uint64_t{settings.activeGroups} * 8;
  patternColumn_.assign(geometry.width, 2 * kPatternValues);
  for (std::uint32_t x = 0; x < geometry.width; ++x) {
    if (column_[x] != kNoColumn && column_[x] < lineWidth) {
      patternColumn_[x] = static_cast<std::uint16_t>(settings.countX ? column_[x] & 255 : 0);
    }
  }
  patternTable_.assign(3 * kPatternValues, black);
  for (std::size_t j = 0; j < 2 * kPatternValues; ++j) {
    patternTable_[j] = table_[(j & 255) << (kLutBits - 8)];
  }
  lineCache_.assign(kPatternValues * rowBytes_, std::byte{0});
  lineCached_.assign(kPatternValues, false);
  imageWidth_ = 0;
  imageColumn_.clear();
}

template <typename Pixel>
void FrameRenderer::generatedLine(std::uint32_t offset, Pixel* out) const {
  const std::uint16_t* column = patternColumn_.data();
  const std::uint16_t* table = patternTable_.data() + offset;
  for (std::uint32_t x = 0; x < geometry_.width; ++x) out[x] = static_cast<Pixel>(table[column[x]]);
}

void FrameRenderer::renderGenerated(std::uint64_t frame, std::byte* out) {
  const std::uint64_t lineStep = stepOf(settings_.yDivisor);
  const std::uint64_t frameValue =
      (frame * stepOf(settings_.frameDivisor) + settings_.offset) & 255;
  for (std::uint32_t y = 0; y < geometry_.height; ++y) {
    std::byte* row = out + y * rowBytes_;
    const std::uint64_t line = std::uint64_t{settings_.yOffset} + y;
    if (line >= settings_.activeLines) {
      std::memcpy(row, blankLine_.data(), rowBytes_);
      continue;
    }
    const auto offset = static_cast<std::uint32_t>((line * lineStep + frameValue) & 255);
    std::byte* cached = lineCache_.data() + offset * rowBytes_;
    if (!lineCached_[offset]) {
      if (geometry_.bytesPerPixel == 1) {
        generatedLine(offset, reinterpret_cast<std::uint8_t*>(cached));
      } else {
        generatedLine(offset, reinterpret_cast<std::uint16_t*>(cached));
      }
      lineCached_[offset] = true;
    }
    std::memcpy(row, cached, rowBytes_);
  }
}

void FrameRenderer::mapImageColumns(std::uint32_t imageWidth) {
  imageWidth_ = imageWidth;
  imageColumn_.resize(geometry_.width);
  for (std::uint32_t x = 0; x < geometry_.width; ++x) {
    imageColumn_[x] = column_[x] < imageWidth ? column_[x] : imageWidth;
  }
  imageFirst_ = geometry_.width == 0 ? 0 : imageColumn_[0];
  imageStraight_ = true;
  for (std::uint32_t x = 0; x < geometry_.width; ++x) {
    if (imageColumn_[x] != imageFirst_ + x || imageColumn_[x] >= imageWidth) {
      imageStraight_ = false;
      break;
    }
  }
}

template <typename Pixel>
void FrameRenderer::imageLines(const InputImage& image, std::byte* out) const {
  const std::uint16_t* table = table_.data();
  const std::uint32_t* column = imageColumn_.data();
  const std::uint32_t width = geometry_.width;
  for (std::uint32_t y = 0; y < geometry_.height; ++y) {
    auto* row = reinterpret_cast<Pixel*>(out + y * rowBytes_);
    const std::uint64_t line = std::uint64_t{settings_.yOffset} + y;
    if (line >= image.height) {
      std::memcpy(row, blankLine_.data(), rowBytes_);
      continue;
    }
    const std::uint16_t* samples = image.row(static_cast<std::uint32_t>(line));
    if (imageStraight_) {
      const std::uint16_t* from = samples + imageFirst_;
      for (std::uint32_t x = 0; x < width; ++x) row[x] = static_cast<Pixel>(table[from[x]]);
    } else {
      for (std::uint32_t x = 0; x < width; ++x) row[x] = static_cast<Pixel>(table[samples[column[x]]]);
    }
  }
}

void FrameRenderer::renderImage(const InputImage& image, std::byte* out) {
  if (imageColumn_.size() != geometry_.width || imageWidth_ != image.width) {
    mapImageColumns(image.width);
  }
  if (geometry_.bytesPerPixel == 1) {
    imageLines<std::uint8_t>(image, out);
  } else {
    imageLines<std::uint16_t>(image, out);
  }
}

}  // namespace brenvik::simboard
