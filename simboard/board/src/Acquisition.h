// Acquisition on the board's one DMA channel: pictures are delivered one per period from
// the start, up to the requested count. Delivery is computed from the clock when asked, so
// no thread runs behind it.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace brenvik::simboard {

class Acquisition {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::microseconds kDefaultPeriod{1000};
  static constexpr std::chrono::microseconds kShortestPeriod{1};
  static constexpr std::chrono::microseconds kLongestPeriod{60'000'000};

  // Starts counting from picture 1; a negative count runs until stopped.
  void start(std::int64_t pictures, std::uint64_t transferBytes, Clock::time_point now);
  void stop(Clock::time_point now);
  // Back to the state of a board that never acquired (the period stays).
  void reset();

  // Number of the last delivered picture (0: none yet).
  std::int64_t delivered(Clock::time_point now) const;
  // True from the start until stopped or until the last requested picture is delivered.
  bool running(Clock::time_point now) const;
  // When `picture` will be delivered by the running acquisition, if it ever will.
  std::optional<Clock::time_point> deliveryTime(std::int64_t picture) const;
  // Bytes of the last delivered picture of this or an earlier acquisition, else 0.
  std::uint64_t transferLength(Clock::time_point now) const;
  // The requested count (-1: until stopped), 0 before the first start.
  std::int64_t requested() const { return limit_; }

  std::chrono::microseconds period() const { return period_; }
  // Changing the period keeps the pictures delivered so far and counts on from `now`.
  void setPeriod(std::chrono::microseconds period, Clock::time_point now);

 private:
  bool active_ = false;
  std::int64_t limit_ = 0;
  std::int64_t base_ = 0;    // delivered before segmentStart_
  std::int64_t frozen_ = 0;  // delivered when stopped
  Clock::time_point segmentStart_{};
  std::chrono::microseconds period_ = kDefaultPeriod;
  std::uint64_t transfer_ = 0;
  std::uint64_t previousTransfer_ = 0;
};

}  // namespace brenvik::simboard
