// A frame of an acquisition, seen in place in its DMA buffer: no copy is made. The frame
// stays valid (its buffer is not overwritten) until it is released or destroyed; the board
// drops a picture due for a buffer that is still lent out, which the lost count shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "brenvik/Export.h"

namespace brenvik {

namespace detail {
class AcquisitionState;
}

class BRENVIK_HOST_API Frame {
 public:
  Frame() = default;  // an empty frame: valid() is false
  ~Frame();           // releases the frame when it is still held
  Frame(Frame&& other) noexcept;
  Frame& operator=(Frame&& other) noexcept;
  Frame(const Frame&) = delete;
  Frame& operator=(const Frame&) = delete;

  // Gives the buffer back to the board. Releasing a frame that was already released (or
  // an empty one) throws Error (kInvalidState).
  void release();
  bool valid() const noexcept { return pixels_ != nullptr; }

  // The pixels, row after row without padding, bytesPerPixel() bytes each in native byte
  // order; null once the frame is released.
  const void* pixels() const noexcept { return pixels_; }
  std::uint32_t width() const noexcept { return width_; }
  std::uint32_t height() const noexcept { return height_; }
  std::uint32_t bytesPerPixel() const noexcept { return bytesPerPixel_; }
  std::uint32_t bits() const noexcept { return bits_; }  // significant bits per pixel
  std::size_t bytes() const noexcept { return std::size_t{width_} * height_ * bytesPerPixel_; }
  std::int64_t number() const noexcept { return number_; }  // picture number, from 1
  // Pictures of this acquisition lost so far (overwritten before they were read, or due
  // while their buffer was lent out), when this frame was handed out.
  std::int64_t lost() const noexcept { return lost_; }

 private:
  friend class detail::AcquisitionState;
  std::shared_ptr<detail::AcquisitionState> owner_;
  const void* pixels_ = nullptr;
  std::uint32_t width_ = 0, height_ = 0, bytesPerPixel_ = 0, bits_ = 0;
  std::int64_t number_ = 0;
  std::int64_t lost_ = 0;
};

}  // namespace brenvik
