// The camera port's built-in camera: a generated scene that moves from frame to frame, so
// that a board without image files still shows a live picture. What it draws is told in
// control.h (SIMBOARD_SETTING_CAMERA).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "InputImages.h"

namespace brenvik::simboard {

class CameraScene {
 public:
  static constexpr std::uint32_t kWidth = 1024;
  static constexpr std::uint32_t kHeight = 1024;

  // Precomputes the gradient's bands, the square's circle and the disc's outline; the
  // frame itself is allocated on the first draw and reused after.
  CameraScene();

  // Frame `frame` of an acquisition (0 for the first) as camera input, valid until the
  // next call. Drawing the frame that is already there costs nothing.
  const InputImage& frame(std::uint64_t frame);

 private:
  static constexpr std::uint32_t kOrbitFrames = 240;

  void fill(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height,
            std::uint16_t value);
  void drawGradient(std::uint64_t frame);
  void drawSquare(std::uint64_t frame);
  void drawDisc(std::uint64_t frame);
  void drawCount(std::uint64_t count);

  InputImage image_;
  std::uint64_t drawn_ = ~std::uint64_t{0};
  std::vector<std::uint16_t> bands_;  // one period of the gradient and a line beyond it
  std::array<std::int32_t, kOrbitFrames> orbitX_{};
  std::array<std::int32_t, kOrbitFrames> orbitY_{};
  std::vector<std::uint32_t> discHalfWidth_;  // per line of the disc, from its top
};

}  // namespace brenvik::simboard
