// Acquisition on the board's one DMA channel: which pictures are due and when. The source
// produces frames either free-running at a period, one per trigger pulse, or one per so many
// line pulses; the image selector passes one of every n of them as a picture, up to the
// requested count. Nothing runs behind it: the board asks what is due whenever it is asked
// itself, and fills the buffers then. Unpaced, a free-running source produces a frame as
// soon as a picture is waited for.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "DmaBuffers.h"
#include "FrameRenderer.h"

namespace brenvik::simboard {

// The camera port's free-running period and the pace of designs without an image path.
inline constexpr std::chrono::microseconds kDefaultPicturePeriod{1000};
inline constexpr std::chrono::microseconds kShortestPicturePeriod{1};
inline constexpr std::chrono::microseconds kLongestPicturePeriod{60'000'000};

enum class Pacing : std::uint8_t {
  None,         // nothing arrives (no camera, or a stopped clock)
  FreeRun,      // one frame per period
  FramePulses,  // one frame per trigger pulse
  LinePulses,   // one frame per `pulsesPerFrame` trigger pulses
};

struct Pace {
  Pacing pacing = Pacing::None;
  std::chrono::nanoseconds period{0};
  std::uint32_t pulsesPerFrame = 1;
  bool operator==(const Pace&) const = default;
};

class Acquisition {
 public:
  using Clock = std::chrono::steady_clock;

  struct Start {
    std::int64_t pictures = 0;  // negative: until stopped
    BufferSetPtr buffers;
    FrameGeometry geometry;
    std::uint32_t selectPeriod = 1;
    std::uint32_t selectPhase = 0;
    Pace pace;
    bool paced = true;
  };

  void start(Start start, Clock::time_point now, std::uint64_t pulses);
  // Keeps the frames produced so far and goes on at the new pace.
  void repace(const Pace& pace, Clock::time_point now, std::uint64_t pulses);
  // Ends the acquisition where it stands; false when there was nothing to stop.
  bool stop();
  // Stops and lets go of the buffers (they are being freed); the counters stay.
  void detachBuffers() {
    active_ = false;
    buffers_.reset();
    pending_ = 0;
  }
  // Back to a board that never acquired.
  void reset() { *this = Acquisition(); }

  bool started() const { return started_; }
  bool active() const { return active_; }
  // Active and still short of the requested count.
  bool running() const { return active_ && (limit_ < 0 || delivered_ < limit_); }
  const Pace& pace() const { return pace_; }
  bool paced() const { return paced_; }
  BufferSet* buffers() const { return buffers_.get(); }
  const BufferSetPtr& bufferSet() const { return buffers_; }
  const FrameGeometry& geometry() const { return geometry_; }

  // Pictures that are due by `now` with `pulses` trigger pulses started so far.
  std::int64_t due(Clock::time_point now, std::uint64_t pulses) const;
  // Unpaced: lets a free-running source produce what `picture` needs.
  void demand(std::int64_t picture);
  // When a paced free-running source completes `picture`, if it will.
  std::optional<Clock::time_point> readyTime(std::int64_t picture) const;
  // The source frame (counted from the start) that becomes `picture`.
  std::uint64_t sourceFrame(std::int64_t picture) const;

  std::int64_t delivered() const { return delivered_; }
  void setDelivered(std::int64_t delivered) { delivered_ = delivered; }
  std::int64_t requested() const { return limit_; }
  std::uint64_t lost() const { return lost_; }
  void countLost(std::uint64_t pictures = 1) { lost_ += pictures; }
  std::uint64_t pending() const { return pending_; }
  void setPending(std::uint64_t pending) { pending_ = pending; }
  // Bytes of the last delivered picture of this or an earlier acquisition, else 0.
  std::uint64_t transferLength() const { return delivered_ > 0 ? geometry_.bytes() : previous_; }

 private:
  std::uint64_t sourceFrames(Clock::time_point now, std::uint64_t pulses) const;

  bool started_ = false;
  bool active_ = false;
  std::int64_t limit_ = 0;
  std::int64_t delivered_ = 0;
  std::uint64_t lost_ = 0;
  std::uint64_t pending_ = 0;
  std::uint64_t previous_ = 0;
  BufferSetPtr buffers_;
  FrameGeometry geometry_;
  std::uint32_t selectPeriod_ = 1;
  std::uint32_t selectPhase_ = 0;
  Pace pace_;
  bool paced_ = true;
  // Frames produced before the current pace took over, and where it took over.
  std::uint64_t sourceBase_ = 0;
  Clock::time_point segmentStart_{};
  std::uint64_t pulseBase_ = 0;
  std::uint64_t demanded_ = 0;  // unpaced frames produced in this segment
};

}  // namespace brenvik::simboard
