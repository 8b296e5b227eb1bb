// Picture counting of the simulated acquisition.
#include "Acquisition.h"

#include <algorithm>
#include <limits>

namespace brenvik::simboard {

void Acquisition::start(std::int64_t pictures, std::uint64_t transferBytes, Clock::time_point now) {
  previousTransfer_ = transferLength(now);
  active_ = true;
  limit_ = pictures < 0 ? -1 : pictures;
  base_ = 0;
  frozen_ = 0;
  segmentStart_ = now;
  transfer_ = transferBytes;
}

void Acquisition::stop(Clock::time_point now) {
  if (!active_) return;
  frozen_ = delivered(now);
  active_ = false;
}

void Acquisition::reset() {
  std::chrono::microseconds period = period_;
  *this = Acquisition();
  period_ = period;
}

std::int64_t Acquisition::delivered(Clock::time_point now) const {
  if (!active_) return frozen_;
  std::int64_t count = base_;
  if (now > segmentStart_) count += (now - segmentStart_) / period_;
  return limit_ >= 0 ? std::min(count, limit_) : count;
}

bool Acquisition::running(Clock::time_point now) const {
  return active_ && (limit_ < 0 || delivered(now) < limit_);
}

std::optional<Acquisition::Clock::time_point> Acquisition::deliveryTime(
    std::int64_t picture) const {
  if (!active_ || (limit_ >= 0 && picture > limit_)) return std::nullopt;
  if (picture <= base_) return segmentStart_;
  // Pictures too far ahead to be expressed on the clock never arrive in a caller's wait.
  const std::int64_t ahead = picture - base_;
  const auto room = Clock::time_point::max() - segmentStart_;
  if (ahead > room / period_) return std::nullopt;
  return segmentStart_ + std::chrono::duration_cast<Clock::duration>(period_) * ahead;
}

std::uint64_t Acquisition::transferLength(Clock::time_point now) const {
  return delivered(now) > 0 ? transfer_ : previousTransfer_;
}

void Acquisition::setPeriod(std::chrono::microseconds period, Clock::time_point now) {
  if (active_) {
    base_ = delivered(now);
    segmentStart_ = now;
  }
  period_ = period;
}

}  // namespace brenvik::simboard
