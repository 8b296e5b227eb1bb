// One acquisition's DMA buffers and the frames lent out of them. The buffers live as long as
// the acquisition or any frame of it, so a frame stays readable after the acquisition stops.
#pragma once

#include <cstdint>
#include <memory>

#include "brenvik/Frame.h"

namespace brenvik::detail {

class AcquisitionState : public std::enable_shared_from_this<AcquisitionState> {
 public:
  // Takes over a buffer set of the board.
  explicit AcquisitionState(void* memory) : memory_(memory) {}
  ~AcquisitionState();  // frees the buffer set
  AcquisitionState(const AcquisitionState&) = delete;
  AcquisitionState& operator=(const AcquisitionState&) = delete;

  void* memory() const { return memory_; }
  // The picture the next frame is to be, from 1.
  std::int64_t wanted() const { return wanted_; }

  // Lends picture `picture` out as a frame; the board's code when it cannot (a lost picture,
  // or one not there yet). On success the next frame wanted is the one after it.
  std::int32_t lend(std::int64_t picture, std::int64_t lost, Frame& frame);
  // Skips pictures up to and including `picture` (they were lost).
  void skipThrough(std::int64_t picture) { wanted_ = picture + 1; }

  void release(Frame& frame);

 private:
  void* memory_;
  std::int64_t wanted_ = 1;
};

}  // namespace brenvik::detail
