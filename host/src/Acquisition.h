// One acquisition's DMA buffers and the frames lent out of them. The buffers live as long as
// the acquisition or any frame of it, so a frame stays readable after the acquisition stops.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>

#include "brenvik/Frame.h"

namespace brenvik::detail {

class AcquisitionState : public std::enable_shared_from_this<AcquisitionState> {
 public:
  // Takes over a buffer set of the board with `buffers` buffers.
  AcquisitionState(void* memory, std::uint32_t buffers) : memory_(memory), buffers_(buffers) {}
  ~AcquisitionState();  // frees the buffer set
  AcquisitionState(const AcquisitionState&) = delete;
  AcquisitionState& operator=(const AcquisitionState&) = delete;

  void* memory() const { return memory_; }
  // The picture the next frame is to be, from 1.
  std::int64_t wanted() const { return wanted_; }
  // The oldest picture that can still be in its buffer once `arrived` has arrived.
  std::int64_t oldestKept(std::int64_t arrived) const {
    return std::max(wanted_, arrived - static_cast<std::int64_t>(buffers_) + 1);
  }

  // Lends picture `picture` out as a frame; the board's code when it cannot (a lost picture,
  // or one not there yet). On success the next frame wanted is the one after it.
  std::int32_t lend(std::int64_t picture, Frame& frame);
  // Pictures of the acquisition lost so far, as the frame reports them.
  static void setLost(Frame& frame, std::int64_t lost) { frame.lost_ = lost; }
  // Skips pictures up to and including `picture` (they were lost).
  void skipThrough(std::int64_t picture) { wanted_ = picture + 1; }

  void release(Frame& frame);

 private:
  void* memory_;
  std::uint32_t buffers_;
  std::int64_t wanted_ = 1;
};

}  // namespace brenvik::detail
