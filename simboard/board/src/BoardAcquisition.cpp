// The image path and the acquisition of one board: what is due is delivered into the DMA
// buffers whenever the board is asked, rendered from the hardware values of that moment.
#include <algorithm>
#include <cstring>

#include "Board.h"

namespace brenvik::simboard {

namespace {

using Clock = Acquisition::Clock;

constexpr std::int64_t kNanosecondsPerTick = 8;
// Simulator pixels last 2000 / A ns at a pixel-frequency numerator A (A / 2 MHz).
constexpr std::int64_t kPixelFrequencyDenominator = 2000;
// A triggered source is looked at this often while a picture is waited for.
constexpr std::chrono::milliseconds kPulsePoll{1};
constexpr std::uint64_t kFullPercent = 100;
const int kImageTimeout = runtimeParameterIndexByName("FG_TIMEOUT");

}  // namespace

std::uint64_t Board::pulsesLocked(Clock::time_point now) {
  return trigger_ == nullptr ? 0 : trigger_->pulsesStarted(values_, now);
}

// Where frames come from: the simulator at its own timing or at trigger pulses; the camera
// port's images at trigger pulses while the trigger is active and free-running at the
// picture period otherwise (no images: no camera, nothing arrives). A design without an
// image path delivers pictures at the picture period.
Pace Board::paceLocked(const ImageSettings& settings) {
  const Pace freeRun{Pacing::FreeRun, picturePeriod_, 1};
  if (!image_.present()) return freeRun;
  if (!settings.simulator) {
    if (!cameraPresentLocked()) return {};
    if (trigger_ != nullptr && trigger_->active(values_)) return {Pacing::FramePulses, {}, 1};
    return freeRun;
  }
  if (!settings.freeRun) {
    if (settings.valveMode == 2) return {Pacing::FramePulses, {}, 1};
    if (settings.valveMode == 1) {
      return {Pacing::LinePulses, {}, std::max<std::uint32_t>(settings.frameLines, 1)};
    }
    return {};
  }
  const std::int64_t lines = settings.frameLines;
  std::int64_t nanoseconds = 0;
  if (settings.pixelClockMode == 0) {
    // A stopped pixel clock delivers nothing.
    if (settings.activePixels == 0) return {};
    nanoseconds = std::int64_t{settings.lineGroups} * 8 * lines * kPixelFrequencyDenominator /
                  settings.activePixels;
  } else {
    nanoseconds = std::int64_t{settings.sequenceLength} * kNanosecondsPerTick * lines;
  }
  if (nanoseconds <= 0) return {};
  return {Pacing::FreeRun, std::chrono::nanoseconds(nanoseconds), 1};
}

std::int32_t Board::startAcquisition(std::uint32_t dma, std::int64_t pictures,
                                     BufferSetPtr buffers) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  if (pictures == 0) return SIMBOARD_OUT_OF_RANGE;
  Lock lock(mutex_);
  if (!design_) return SIMBOARD_NO_DESIGN;
  if (!buffers) return SIMBOARD_NO_BUFFERS;
  if (&buffers->board() != this) return SIMBOARD_INVALID_PARAMETER;
  const auto now = Clock::now();
  deliverLocked(now);
  // One acquisition at a time, as on the hardware; it ends by a stop or by its last picture.
  if (acquisition_.running()) return SIMBOARD_BUSY;
  // A lent buffer belongs to the application until it gives it back.
  if (buffers->anyLent()) return SIMBOARD_BUSY;
  const ImageSettings settings = image_.read(values_);
  FrameGeometry geometry;
  if (image_.present()) {
    geometry = geometryOf(settings);
  } else {
    // Without an image path a picture is the design's transfer, byte for byte.
    geometry.width = static_cast<std::uint32_t>(std::min<std::uint64_t>(transferBytesLocked(), 0xffffffffu));
    geometry.height = 1;
  }
  if (geometry.bytes() > buffers->bytes()) return SIMBOARD_BUFFERS_TOO_SMALL;
  buffers->clear();
  Acquisition::Start start{.pictures = pictures,
                           .buffers = std::move(buffers),
                           .geometry = geometry,
                           .selectPeriod = settings.selectPeriod,
                           .selectPhase = settings.selectPhase,
                           .pace = paceLocked(settings),
                           .paced = paced_};
  acquisition_.start(std::move(start), now, pulsesLocked(now));
  overflow_ = false;
  publishBufferStateLocked();
  pictureDelivered_.notify_all();
  return SIMBOARD_OK;
}

std::int32_t Board::stopAcquisition(std::uint32_t dma) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  deliverLocked(Clock::now());
  // A started acquisition stops once, whether or not its last picture has arrived.
  if (!acquisition_.stop()) return SIMBOARD_NOT_RUNNING;
  pictureDelivered_.notify_all();
  return SIMBOARD_OK;
}

void Board::releaseBuffers(const BufferSet& buffers) {
  Lock lock(mutex_);
  if (acquisition_.buffers() != &buffers) return;
  deliverLocked(Clock::now());
  acquisition_.detachBuffers();
  publishBufferStateLocked();
  pictureDelivered_.notify_all();
}

// Works buffer by buffer, so that a long stretch of pictures nobody asked for costs no more
// than one round of the buffers.
void Board::deliverLocked(Clock::time_point now) {
  if (!acquisition_.active()) return;
  const std::int64_t due = acquisition_.due(now, pulsesLocked(now));
  const std::int64_t from = acquisition_.delivered();
  if (due <= from) return;
  BufferSet& buffers = *acquisition_.buffers();
  const std::int64_t count = buffers.count();
  const ImageSettings settings = image_.read(values_);
  // Pictures 1 ... n that land in buffer b (picture k lands in (k - 1) mod count).
  auto landed = [count](std::int64_t pictures, std::int64_t buffer) {
    return pictures > buffer ? (pictures - buffer - 1) / count + 1 : 0;
  };
  std::uint64_t pending = acquisition_.pending();
  for (std::int64_t buffer = 0; buffer < count; ++buffer) {
    const std::int64_t arrivals = landed(due, buffer) - landed(from, buffer);
    if (arrivals == 0) continue;
    BufferSet::Slot& slot = buffers.slot(static_cast<std::uint32_t>(buffer));
    if (slot.lent) {
      // The application holds the buffer: every picture due for it is lost.
      acquisition_.countLost(static_cast<std::uint64_t>(arrivals));
      overflow_ = true;
      slot.passedBy = buffer + 1 + (landed(due, buffer) - 1) * count;
      continue;
    }
    // Each arrival overwrites the picture before it; one never read is lost.
    const std::int64_t lost = (slot.unread ? 1 : 0) + arrivals - 1;
    if (lost > 0) {
      acquisition_.countLost(static_cast<std::uint64_t>(lost));
      overflow_ = true;
    }
    if (!slot.unread) ++pending;
    slot.picture = buffer + 1 + (landed(due, buffer) - 1) * count;
    slot.unread = true;
    slot.geometry = acquisition_.geometry();
    renderLocked(slot.picture, buffers, static_cast<std::uint32_t>(buffer), settings);
  }
  acquisition_.setPending(pending);
  acquisition_.setDelivered(due);
  publishBufferStateLocked();
}

void Board::renderLocked(std::int64_t picture, BufferSet& buffers, std::uint32_t index,
                         const ImageSettings& settings) {
  if (!image_.present()) return;
  renderer_.prepare(settings, acquisition_.geometry(), version_);
  const std::uint64_t frame = acquisition_.sourceFrame(picture);
  if (settings.simulator) {
    renderer_.renderGenerated(frame, buffers.data(index));
  } else if (!inputs_.empty()) {
    renderer_.renderImage(inputs_[frame % inputs_.size()], buffers.data(index));
  } else if (scene_) {
    if (!sceneFrames_) sceneFrames_ = std::make_unique<CameraScene>();
    renderer_.renderImage(sceneFrames_->frame(frame), buffers.data(index));
  }
}

void Board::settingsChangedLocked(Clock::time_point now) {
  ++version_;
  if (!acquisition_.active()) return;
  const Pace pace = paceLocked(image_.read(values_));
  if (!(pace == acquisition_.pace())) acquisition_.repace(pace, now, pulsesLocked(now));
  // A software trigger or a new pace may complete a picture someone waits for.
  pictureDelivered_.notify_all();
}

void Board::publishBufferStateLocked() {
  if (!image_.present()) return;
  const BufferSet* buffers = acquisition_.buffers();
  const std::uint64_t fill =
      buffers == nullptr ? 0 : acquisition_.pending() * kFullPercent / buffers->count();
  const std::uint64_t overflow = overflow_ ? 1 : 0;
  // Written only on news, so that values played in stay until the model changes them.
  if (publishedFill_ != fill) {
    publishedFill_ = fill;
    values_.at(image_.fillLevel()).bits = fill;
  }
  if (publishedOverflow_ != overflow) {
    publishedOverflow_ = overflow;
    values_.at(image_.overflow()).bits = overflow;
  }
}

std::int64_t Board::lastPicture(std::uint32_t dma) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  deliverLocked(Clock::now());
  return acquisition_.delivered();
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
    acquisition_.demand(picture);
    deliverLocked(now);
    const std::int64_t delivered = acquisition_.delivered();
    if (delivered >= picture) return delivered;  // the number of the last delivered picture
    if (now >= deadline) return SIMBOARD_TIMEOUT;
    auto wake = deadline;
    if (auto when = acquisition_.readyTime(picture)) wake = std::min(wake, *when);
    const Pacing pacing = acquisition_.pace().pacing;
    if (acquisition_.running() &&
        (pacing == Pacing::FramePulses || pacing == Pacing::LinePulses)) {
      wake = std::min(wake, now + kPulsePoll);
    }
    pictureDelivered_.wait_until(lock, wake);
    now = Clock::now();
  }
}

std::int64_t Board::status(int selector, std::int64_t /*data*/, std::uint32_t dma) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  deliverLocked(Clock::now());
  switch (selector) {
    case SIMBOARD_STATUS_DELIVERED:
      return acquisition_.delivered();
    case SIMBOARD_STATUS_ACQUIRING:
      return acquisition_.running() ? 1 : 0;
    case SIMBOARD_STATUS_REQUESTED:
      return acquisition_.requested();
    case SIMBOARD_STATUS_PERIOD_US:
      return picturePeriod_.count();
    case SIMBOARD_STATUS_LOST:
      return static_cast<std::int64_t>(acquisition_.lost());
    case SIMBOARD_STATUS_PENDING:
      return static_cast<std::int64_t>(acquisition_.pending());
    default:
      return SIMBOARD_INVALID_PARAMETER;
  }
}

namespace {

std::int32_t copyOut(const BufferSet::Slot& slot, const std::byte* data, void* out,
                     std::size_t size, SimboardFrame* frame) {
  if (frame != nullptr) {
    *frame = SimboardFrame{.picture = slot.picture,
                           .width = slot.geometry.width,
                           .height = slot.geometry.height,
                           .bits = slot.geometry.bits,
                           .bytesPerPixel = slot.geometry.bytesPerPixel,
                           .bytes = slot.geometry.bytes()};
  }
  if (out == nullptr && size == 0) return SIMBOARD_OK;  // only the frame's description
  if (out == nullptr) return SIMBOARD_INVALID_PARAMETER;
  if (size < slot.geometry.bytes()) return SIMBOARD_BUFFER_TOO_SMALL;
  std::memcpy(out, data, slot.geometry.bytes());
  return SIMBOARD_OK;
}

}  // namespace

std::int32_t Board::findPictureLocked(BufferSet& buffers, std::int64_t picture,
                                      std::uint32_t& index) const {
  index = static_cast<std::uint32_t>((picture - 1) % buffers.count());
  const BufferSet::Slot& slot = buffers.slot(index);
  if (slot.picture == picture) return SIMBOARD_OK;
  // Overwritten by a later picture, or passed by while the buffer was lent.
  if (slot.picture > picture || picture <= slot.passedBy) return SIMBOARD_PICTURE_LOST;
  return SIMBOARD_NO_PICTURE;
}

void Board::pictureReadLocked(BufferSet& buffers, BufferSet::Slot& slot) {
  if (!slot.unread) return;
  slot.unread = false;
  if (acquisition_.buffers() == &buffers) {
    acquisition_.setPending(acquisition_.pending() - 1);
    overflow_ = false;
    publishBufferStateLocked();
  }
}

std::int32_t Board::copyPicture(BufferSet& buffers, std::int64_t picture, void* out,
                                std::size_t size, SimboardFrame* frame) {
  if (picture < 1) return SIMBOARD_OUT_OF_RANGE;
  Lock lock(mutex_);
  deliverLocked(Clock::now());
  std::uint32_t index = 0;
  if (const std::int32_t found = findPictureLocked(buffers, picture, index); found != SIMBOARD_OK)
    return found;
  BufferSet::Slot& slot = buffers.slot(index);
  const std::int32_t result = copyOut(slot, buffers.data(index), out, size, frame);
  if (result == SIMBOARD_OK && out != nullptr) pictureReadLocked(buffers, slot);
  return result;
}

std::int32_t Board::borrowPicture(BufferSet& buffers, std::int64_t picture, const void** pixels,
                                  SimboardFrame* frame) {
  if (pixels == nullptr) return SIMBOARD_INVALID_PARAMETER;
  if (picture < 1) return SIMBOARD_OUT_OF_RANGE;
  Lock lock(mutex_);
  deliverLocked(Clock::now());
  std::uint32_t index = 0;
  if (const std::int32_t found = findPictureLocked(buffers, picture, index); found != SIMBOARD_OK)
    return found;
  BufferSet::Slot& slot = buffers.slot(index);
  copyOut(slot, buffers.data(index), nullptr, 0, frame);
  slot.lent = true;
  *pixels = buffers.data(index);
  pictureReadLocked(buffers, slot);
  return SIMBOARD_OK;
}

std::int32_t Board::releasePicture(BufferSet& buffers, std::int64_t picture) {
  if (picture < 1) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  const auto index = static_cast<std::uint32_t>((picture - 1) % buffers.count());
  BufferSet::Slot& slot = buffers.slot(index);
  if (!slot.lent || slot.picture != picture) return SIMBOARD_INVALID_PARAMETER;
  // Pictures due until now passed the lent buffer by; later ones land in it again.
  deliverLocked(Clock::now());
  slot.lent = false;
  return SIMBOARD_OK;
}

std::int32_t Board::latestPicture(std::uint32_t dma, void* out, std::size_t size,
                                  SimboardFrame* frame) {
  if (dma != 0) return SIMBOARD_INVALID_PARAMETER;
  Lock lock(mutex_);
  deliverLocked(Clock::now());
  BufferSet* buffers = acquisition_.buffers();
  const std::int64_t picture = acquisition_.delivered();
  if (buffers == nullptr || picture < 1) return SIMBOARD_NO_PICTURE;
  const auto index = static_cast<std::uint32_t>((picture - 1) % buffers->count());
  return copyOut(buffers->slot(index), buffers->data(index), out, size, frame);
}

}  // namespace brenvik::simboard
