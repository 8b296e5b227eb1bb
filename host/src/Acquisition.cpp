// Frames lent out of an acquisition's DMA buffers.
#include "Acquisition.h"

#include <string>

#include "brenvik/Error.h"
#include "simboard/control.h"

namespace brenvik {

namespace detail {

AcquisitionState::~AcquisitionState() { simboard_buffers_free(memory_); }

std::int32_t AcquisitionState::lend(std::int64_t picture, Frame& frame) {
  SimboardFrame shape{};
  const void* pixels = nullptr;
  const std::int32_t code = simboard_buffers_borrow(memory_, picture, &pixels, &shape);
  if (code != 0) return code;
  frame.owner_ = shared_from_this();
  frame.pixels_ = pixels;
  frame.width_ = shape.width;
  frame.height_ = shape.height;
  frame.bytesPerPixel_ = shape.bytesPerPixel;
  frame.bits_ = shape.bits;
  frame.number_ = shape.picture;
  wanted_ = picture + 1;
  return 0;
}

void AcquisitionState::release(Frame& frame) {
  simboard_buffers_release(memory_, frame.number_);
  frame.pixels_ = nullptr;
}

}  // namespace detail

Frame::~Frame() {
  if (pixels_ != nullptr && owner_) owner_->release(*this);
}

Frame::Frame(Frame&& other) noexcept
    : owner_(std::move(other.owner_)),
      pixels_(other.pixels_),
      width_(other.width_),
      height_(other.height_),
      bytesPerPixel_(other.bytesPerPixel_),
      bits_(other.bits_),
      number_(other.number_),
      lost_(other.lost_) {
  other.pixels_ = nullptr;
}

Frame& Frame::operator=(Frame&& other) noexcept {
  if (this == &other) return *this;
  if (pixels_ != nullptr && owner_) owner_->release(*this);
  owner_ = std::move(other.owner_);
  pixels_ = other.pixels_;
  width_ = other.width_;
  height_ = other.height_;
  bytesPerPixel_ = other.bytesPerPixel_;
  bits_ = other.bits_;
  number_ = other.number_;
  lost_ = other.lost_;
  other.pixels_ = nullptr;
  return *this;
}

void Frame::release() {
  if (pixels_ == nullptr || !owner_) {
    throw Error(ErrorCategory::kInvalidState,
                number_ > 0 ? "frame " + std::to_string(number_) + " was already released"
                            : std::string("the frame is empty: nothing to release"));
  }
  owner_->release(*this);
  owner_.reset();
}

}  // namespace brenvik
