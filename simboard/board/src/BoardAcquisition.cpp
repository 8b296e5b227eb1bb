// The board's acquisition calls, dispatched to its DMA unit under the board's mutex; the
// board keeps the waiting, since waiters sleep on its condition variable.
#include <algorithm>

#include "Board.h"

namespace brenvik::simboard {

namespace {

const int kImageTimeout = runtimeParameterIndexByName("FG_TIMEOUT");

}  // namespace

std::int32_t Board::startAcquisition(std::uint32_t dma, std::int64_t pictures,
                                     BufferSetPtr buffers) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  if (pictures == 0) return SIMBOARD_OUT_OF_RANGE;
  Lock lock(mutex_);
  if (!design_) return SIMBOARD_NO_DESIGN;
  if (!buffers) return SIMBOARD_NO_BUFFERS;
  if (&buffers->board() != this) return SIMBOARD_INVALID_PARAMETER;
  const std::int32_t result = dma_.start(pictures, std::move(buffers), values_, Clock::now());
  if (result == SIMBOARD_OK) pictureDelivered_.notify_all();
  return result;
}

std::int32_t Board::stopAcquisition(std::uint32_t dma) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  deliverLocked();
  // A started acquisition stops once, whether or not its last picture has arrived.
  if (!dma_.stop()) return SIMBOARD_NOT_RUNNING;
  pictureDelivered_.notify_all();
  return SIMBOARD_OK;
}

void Board::releaseBuffers(const BufferSet& buffers) {
  Lock lock(mutex_);
  if (dma_.detach(buffers, values_)) pictureDelivered_.notify_all();
}

std::int64_t Board::lastPicture(std::uint32_t dma) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  deliverLocked();
  return dma_.delivered();
}

// Sleeps on the condition variable until the picture is due or the deadline passes;
// starts, stops, loads and hardware writes wake the waiters so they look again.
std::int64_t Board::waitForPicture(std::int64_t picture, std::uint32_t dma, int timeoutSeconds) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  if (picture < 1 || timeoutSeconds < 0) return SIMBOARD_OUT_OF_RANGE;
  Lock lock(mutex_);
  // The runtime's own image time-out (FG_TIMEOUT, seconds; 0: none) bounds every wait.
  std::int64_t seconds = timeoutSeconds;
  if (kImageTimeout >= 0) {
    const std::uint32_t limit = runtime_.stored(static_cast<std::size_t>(kImageTimeout));
    if (limit > 0) seconds = std::min<std::int64_t>(seconds, limit);
  }
  auto now = Clock::now();
  const auto deadline = now + std::chrono::seconds(seconds);
  while (true) {
    dma_.demand(picture);
    dma_.deliver(values_, now);
    const std::int64_t delivered = dma_.delivered();
    if (delivered >= picture) return delivered;  // the number of the last delivered picture
    if (now >= deadline) return SIMBOARD_TIMEOUT;
    auto wake = deadline;
    if (auto when = dma_.nextLook(picture, now)) wake = std::min(wake, *when);
    pictureDelivered_.wait_until(lock, wake);
    now = Clock::now();
  }
}

std::int64_t Board::status(int selector, std::int64_t /*data*/, std::uint32_t dma) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  deliverLocked();
  return dma_.status(selector);
}

std::int32_t Board::copyPicture(BufferSet& buffers, std::int64_t picture, void* out,
                                std::size_t size, SimboardFrame* frame) {
  Lock lock(mutex_);
  return dma_.copy(buffers, picture, out, size, frame, values_);
}

std::int32_t Board::borrowPicture(BufferSet& buffers, std::int64_t picture, const void** pixels,
                                  SimboardFrame* frame) {
  Lock lock(mutex_);
  return dma_.borrow(buffers, picture, pixels, frame, values_);
}

std::int32_t Board::releasePicture(BufferSet& buffers, std::int64_t picture) {
  Lock lock(mutex_);
  return dma_.release(buffers, picture, values_, Clock::now());
}

std::int32_t Board::latestPicture(std::uint32_t dma, void* out, std::size_t size,
                                  SimboardFrame* frame) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  deliverLocked();
  return dma_.latest(out, size, frame);
}

}  // namespace brenvik::simboard
