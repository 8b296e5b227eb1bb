// Frames lent out of an acquisition's DMA buffers.
#include "Acquisition.h"

#include <string>

#include "brenvik/Error.h"
#include "simboard/control.h"

namespace brenvik {

namespace detail {

AcquisitionState::~AcquisitionState() { simboard_buffers_free(memory_); }

std::int32_t AcquisitionState::lend(std::int64_t picture, std::int64_t lost, Frame& frame) {
  SimboardFrame shape{};
#if defined(BRENVIK_HOST_BOARD_LENDS)
  const void* pixels = nullptr;
  const std::int32_t code = simboard_buffers_borrow(memory_, picture, &pixels, &shape);
  if (code != 0) return code;
  const std::uint32_t slot = 0;
#else
  // A board without lending: the picture is copied out into a buffer of our own.
  std::int32_t code = simboard_buffers_copy(memory_, picture, nullptr, 0, &shape);
  if (code != 0) return code;
  std::uint32_t slot = 0;
  std::vector<std::uint8_t>* copy = nullptr;
  {
    std::lock_guard guard(lock_);
    if (freeCopies_.empty()) {
      slot = static_cast<std::uint32_t>(copies_.size());
      copies_.emplace_back();
    } else {
      slot = freeCopies_.back();
      freeCopies_.pop_back();
    }
    copy = &copies_[slot];
    copy->resize(shape.bytes);
  }
  code = simboard_buffers_copy(memory_, picture, copy->data(), copy->size(), &shape);
  if (code != 0) {
    std::lock_guard guard(lock_);
    freeCopies_.push_back(slot);
    return code;
  }
  const void* pixels = copy->data();
#endif
  frame.owner_ = shared_from_this();
  frame.pixels_ = pixels;
  frame.width_ = shape.width;
  frame.height_ = shape.height;
  frame.bytesPerPixel_ = shape.bytesPerPixel;
  frame.bits_ = shape.bits;
  frame.number_ = shape.picture;
  frame.lost_ = lost;
  frame.slot_ = slot;
  wanted_ = picture + 1;
  return 0;
}

void AcquisitionState::release(Frame& frame) {
#if defined(BRENVIK_HOST_BOARD_LENDS)
  simboard_buffers_release(memory_, frame.number_);
#else
  std::lock_guard guard(lock_);
  freeCopies_.push_back(frame.slot_);
#endif
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
      lost_(other.lost_),
      slot_(other.slot_) {
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
  slot_ = other.slot_;
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
