// Starting, stopping and watching the acquisition of one board.
#include <algorithm>

#include "Board.h"

namespace brenvik::simboard {

std::int32_t Board::startAcquisition(std::uint32_t dma, std::int64_t pictures) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  if (pictures == 0) return SIMBOARD_OUT_OF_RANGE;
  Lock lock(mutex_);
  if (!design_) return SIMBOARD_NO_DESIGN;
  const auto now = Acquisition::Clock::now();
  // One acquisition at a time, as on the hardware; it ends by a stop or by its last picture.
  if (acquisition_.running(now)) return SIMBOARD_BUSY;
  acquisition_.start(pictures, transferBytesLocked(), now);
  pictureDelivered_.notify_all();
  return SIMBOARD_OK;
}

std::int32_t Board::stopAcquisition(std::uint32_t dma) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  acquisition_.stop(Acquisition::Clock::now());  // stopping a stopped channel is no error
  pictureDelivered_.notify_all();
  return SIMBOARD_OK;
}

std::int64_t Board::lastPicture(std::uint32_t dma) const {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  return acquisition_.delivered(Acquisition::Clock::now());
}

// Sleeps on the condition variable until the picture's delivery time or the deadline;
// starts, stops and loads wake the waiters so they look again.
std::int64_t Board::waitForPicture(std::int64_t picture, std::uint32_t dma, int timeoutSeconds) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  if (picture < 1 || timeoutSeconds < 0) return SIMBOARD_OUT_OF_RANGE;
  Lock lock(mutex_);
  auto now = Acquisition::Clock::now();
  const auto deadline = now + std::chrono::seconds(timeoutSeconds);
  while (true) {
    std::int64_t delivered = acquisition_.delivered(now);
    if (delivered >= picture) return delivered;  // the number of the last delivered picture
    if (now >= deadline) return SIMBOARD_TIMEOUT;
    auto wake = deadline;
    if (auto when = acquisition_.deliveryTime(picture)) wake = std::min(wake, *when);
    pictureDelivered_.wait_until(lock, wake);
    now = Acquisition::Clock::now();
  }
}

std::int64_t Board::status(int selector, std::int64_t /*data*/, std::uint32_t dma) const {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  const auto now = Acquisition::Clock::now();
  switch (selector) {
    case SIMBOARD_STATUS_DELIVERED:
      return acquisition_.delivered(now);
    case SIMBOARD_STATUS_ACQUIRING:
      return acquisition_.running(now) ? 1 : 0;
    case SIMBOARD_STATUS_REQUESTED:
      return acquisition_.requested();
    case SIMBOARD_STATUS_PERIOD_US:
      return acquisition_.period().count();
    default:
      return SIMBOARD_INVALID_PARAMETER;
  }
}

}  // namespace brenvik::simboard
