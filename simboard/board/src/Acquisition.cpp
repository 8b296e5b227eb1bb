// Which pictures of an acquisition are due.
#include "Acquisition.h"

#include <algorithm>
#include <limits>

namespace brenvik::simboard {

void Acquisition::start(Start start, Clock::time_point now, std::uint64_t pulses) {
  const std::uint64_t previous = transferLength();
  *this = Acquisition();
  previous_ = previous;
  started_ = true;
  active_ = true;
  limit_ = start.pictures < 0 ? -1 : start.pictures;
  buffers_ = std::move(start.buffers);
  geometry_ = start.geometry;
  selectPeriod_ = std::max<std::uint32_t>(start.selectPeriod, 1);
  selectPhase_ = start.selectPhase % selectPeriod_;
  pace_ = start.pace;
  paced_ = start.paced;
  segmentStart_ = now;
  pulseBase_ = pulses;
}

void Acquisition::repace(const Pace& pace, Clock::time_point now, std::uint64_t pulses) {
  sourceBase_ = sourceFrames(now, pulses);
  pace_ = pace;
  segmentStart_ = now;
  pulseBase_ = pulses;
  demanded_ = 0;
}

bool Acquisition::stop() {
  if (!active_) return false;
  active_ = false;
  return true;
}

std::uint64_t Acquisition::sourceFrames(Clock::time_point now, std::uint64_t pulses) const {
  std::uint64_t produced = 0;
  switch (pace_.pacing) {
    case Pacing::None:
      break;
    case Pacing::FreeRun:
      if (!paced_) {
        produced = demanded_;
      } else if (now > segmentStart_ && pace_.period.count() > 0) {
        produced = static_cast<std::uint64_t>((now - segmentStart_) / pace_.period);
      }
      break;
    case Pacing::FramePulses:
    case Pacing::LinePulses:
      if (pulses > pulseBase_) produced = (pulses - pulseBase_) / std::max(pace_.pulsesPerFrame, 1u);
      break;
  }
  return sourceBase_ + produced;
}

std::int64_t Acquisition::due(Clock::time_point now, std::uint64_t pulses) const {
  if (!active_) return delivered_;
  const std::uint64_t frames = sourceFrames(now, pulses);
  std::uint64_t pictures = frames <= selectPhase_ ? 0 : (frames - selectPhase_ - 1) / selectPeriod_ + 1;
  pictures = std::min<std::uint64_t>(pictures, std::numeric_limits<std::int64_t>::max());
  auto count = static_cast<std::int64_t>(pictures);
  if (limit_ >= 0) count = std::min(count, limit_);
  return std::max(count, delivered_);
}

std::uint64_t Acquisition::sourceFrame(std::int64_t picture) const {
  return selectPhase_ + static_cast<std::uint64_t>(picture - 1) * selectPeriod_;
}

void Acquisition::demand(std::int64_t picture) {
  if (!active_ || paced_ || pace_.pacing != Pacing::FreeRun || picture < 1) return;
  if (limit_ >= 0) picture = std::min(picture, limit_);
  const std::uint64_t needed = sourceFrame(picture) + 1;
  if (needed > sourceBase_) demanded_ = std::max(demanded_, needed - sourceBase_);
}

std::optional<Acquisition::Clock::time_point> Acquisition::readyTime(std::int64_t picture) const {
  if (!active_ || !paced_ || pace_.pacing != Pacing::FreeRun || pace_.period.count() <= 0 ||
      (limit_ >= 0 && picture > limit_)) {
    return std::nullopt;
  }
  const std::uint64_t needed = sourceFrame(picture) + 1;
  if (needed <= sourceBase_) return segmentStart_;
  const std::uint64_t ahead = needed - sourceBase_;
  // Frames too far ahead to be expressed on the clock never arrive in a caller's wait.
  const auto room = Clock::time_point::max() - segmentStart_;
  if (ahead > static_cast<std::uint64_t>(room / pace_.period)) return std::nullopt;
  return segmentStart_ + std::chrono::duration_cast<Clock::duration>(pace_.period) *
                             static_cast<Clock::rep>(ahead);
}

}  // namespace brenvik::simboard
