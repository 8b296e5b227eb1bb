// Drawing the built-in camera's scene: every part is a run of equal samples or a copy of a
// precomputed line, so a frame costs little more than writing its samples once.
#include "CameraScene.h"

#include <algorithm>
#include <cmath>

namespace brenvik::simboard {

namespace {

// The gradient rises over 256 values of x + y and falls over the next 256, between these
// samples (10 bits), and scrolls by kScroll a frame.
constexpr std::uint32_t kBandPeriod = 512;
constexpr std::uint16_t kBandLow = 128;
constexpr std::uint16_t kBandStep = 3;
constexpr std::uint32_t kScroll = 8;
constexpr std::uint16_t kWhite = 1023;
constexpr std::uint16_t kBlack = 0;

constexpr std::int32_t kSquareSide = 160;
constexpr std::int32_t kOrbitRadius = 300;

constexpr std::int32_t kDiscRadius = 64;
constexpr std::int32_t kDiscStepX = 7;  // pixels a frame
constexpr std::int32_t kDiscStepY = 5;
// Frames of travel before the first, so that the disc starts clear of the frame count.
constexpr std::uint64_t kDiscLeadX = 300;
constexpr std::uint64_t kDiscLeadY = 500;

// The frame count in seven-segment digits.
constexpr std::uint32_t kDigitWidth = 64;
constexpr std::uint32_t kDigitHeight = 112;
constexpr std::uint32_t kStroke = 14;
constexpr std::uint32_t kDigitGap = 16;
constexpr std::uint32_t kMostDigits = 8;  // the count is drawn modulo 10^8
constexpr std::uint32_t kMargin = 16;

// Segments a (top) to g (middle), clockwise from the top, as rectangles in a digit.
struct Segment {
  std::uint32_t x, y, width, height;
};
constexpr std::uint32_t kHalf = kDigitHeight / 2;
constexpr std::array<Segment, 7> kSegments{{
    {0, 0, kDigitWidth, kStroke},                               // a
    {kDigitWidth - kStroke, 0, kStroke, kHalf},                 // b
    {kDigitWidth - kStroke, kHalf, kStroke, kHalf},             // c
    {0, kDigitHeight - kStroke, kDigitWidth, kStroke},          // d
    {0, kHalf, kStroke, kHalf},                                 // e
    {0, 0, kStroke, kHalf},                                     // f
    {0, (kDigitHeight - kStroke) / 2, kDigitWidth, kStroke},    // g
}};
// Bit s lights segment s.
constexpr std::array<std::uint8_t, 10> kDigitSegments{0x3f, 0x06, 0x5b, 0x4f, 0x66,
                                                      0x6d, 0x7d, 0x07, 0x7f, 0x6f};

// Position on [low, high] of a point moving `step` a frame and bouncing off both ends.
std::int32_t bounce(std::uint64_t frame, std::int32_t step, std::int32_t low, std::int32_t high) {
  const auto span = static_cast<std::uint64_t>(high - low);
  const std::uint64_t travelled = (frame * static_cast<std::uint64_t>(step)) % (2 * span);
  const std::uint64_t at = travelled < span ? travelled : 2 * span - travelled;
  return low + static_cast<std::int32_t>(at);
}

}  // namespace

CameraScene::CameraScene() {
  bands_.resize(kBandPeriod + kWidth + kHeight);
  for (std::size_t k = 0; k < bands_.size(); ++k) {
    const std::uint32_t phase = k % kBandPeriod;
    const std::uint32_t rise = phase < kBandPeriod / 2 ? phase : kBandPeriod - 1 - phase;
    bands_[k] = static_cast<std::uint16_t>(kBandLow + kBandStep * rise);
  }
  constexpr double kTurn = 6.283185307179586;
  for (std::uint32_t f = 0; f < kOrbitFrames; ++f) {
    const double angle = kTurn * f / kOrbitFrames;
    orbitX_[f] = static_cast<std::int32_t>(std::lround(kOrbitRadius * std::cos(angle)));
    orbitY_[f] = static_cast<std::int32_t>(std::lround(kOrbitRadius * std::sin(angle)));
  }
  discHalfWidth_.resize(2 * kDiscRadius + 1);
  for (std::int32_t dy = -kDiscRadius; dy <= kDiscRadius; ++dy) {
    discHalfWidth_[static_cast<std::size_t>(dy + kDiscRadius)] = static_cast<std::uint32_t>(
        std::lround(std::sqrt(static_cast<double>(kDiscRadius * kDiscRadius - dy * dy))));
  }
}

const InputImage& CameraScene::frame(std::uint64_t frame) {
  if (image_.samples.empty()) {
    image_.width = kWidth;
    image_.height = kHeight;
    // Each row ends in the sample that columns outside the camera's line read.
    image_.samples.assign(image_.stride() * kHeight, InputImage::kNoPixel);
  }
  if (frame == drawn_) return image_;
  drawGradient(frame);
  drawSquare(frame);
  drawDisc(frame);
  drawCount(frame + 1);
  drawn_ = frame;
  return image_;
}

void CameraScene::fill(std::uint32_t x, std::uint32_t y, std::uint32_t width,
                       std::uint32_t height, std::uint16_t value) {
  const std::uint32_t right = std::min(x + width, kWidth);
  const std::uint32_t bottom = std::min(y + height, kHeight);
  for (std::uint32_t row = y; row < bottom && x < right; ++row) {
    std::uint16_t* line = image_.samples.data() + row * image_.stride();
    std::fill(line + x, line + right, value);
  }
}

void CameraScene::drawGradient(std::uint64_t frame) {
  const auto scroll = static_cast<std::uint32_t>((frame * kScroll) % kBandPeriod);
  for (std::uint32_t y = 0; y < kHeight; ++y) {
    const std::uint16_t* from = bands_.data() + (y + scroll) % kBandPeriod;
    std::copy(from, from + kWidth, image_.samples.data() + y * image_.stride());
  }
}

void CameraScene::drawSquare(std::uint64_t frame) {
  const std::size_t at = frame % kOrbitFrames;
  const std::int32_t centreX = static_cast<std::int32_t>(kWidth / 2) + orbitX_[at];
  const std::int32_t centreY = static_cast<std::int32_t>(kHeight / 2) + orbitY_[at];
  // The orbit keeps the whole square inside the frame.
  fill(static_cast<std::uint32_t>(centreX - kSquareSide / 2),
       static_cast<std::uint32_t>(centreY - kSquareSide / 2), kSquareSide, kSquareSide, kWhite);
}

void CameraScene::drawDisc(std::uint64_t frame) {
  const std::int32_t centreX =
      bounce(frame + kDiscLeadX, kDiscStepX, kDiscRadius, kWidth - 1 - kDiscRadius);
  const std::int32_t centreY =
      bounce(frame + kDiscLeadY, kDiscStepY, kDiscRadius, kHeight - 1 - kDiscRadius);
  for (std::size_t line = 0; line < discHalfWidth_.size(); ++line) {
    const std::uint32_t half = discHalfWidth_[line];
    const auto y = static_cast<std::uint32_t>(centreY - kDiscRadius + static_cast<std::int32_t>(line));
    fill(static_cast<std::uint32_t>(centreX) - half, y, 2 * half + 1, 1, kBlack);
  }
}

void CameraScene::drawCount(std::uint64_t count) {
  std::array<std::uint8_t, kMostDigits> digits{};
  std::uint32_t used = 0;
  do {
    digits[used++] = static_cast<std::uint8_t>(count % 10);
    count /= 10;
  } while (count > 0 && used < kMostDigits);
  fill(kMargin, kMargin, used * (kDigitWidth + kDigitGap) + kDigitGap, kDigitHeight + 2 * kDigitGap,
       kBlack);
  for (std::uint32_t place = 0; place < used; ++place) {
    const std::uint32_t left = kMargin + kDigitGap + place * (kDigitWidth + kDigitGap);
    const std::uint32_t top = kMargin + kDigitGap;
    const std::uint8_t lit = kDigitSegments[digits[used - 1 - place]];
    for (std::size_t s = 0; s < kSegments.size(); ++s) {
      if ((lit & (1u << s)) == 0) continue;
      const Segment& segment = kSegments[s];
      fill(left + segment.x, top + segment.y, segment.width, segment.height, kWhite);
    }
  }
}

}  // namespace brenvik::simboard
