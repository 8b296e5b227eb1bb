// What the board's units offer each other and the board. Each interface has exactly one
// unit behind it on every board (Behaviours.cpp); a unit finds another through Units::find.
// Every call runs under the board's mutex.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Acquisition.h"
#include "DmaBuffers.h"
#include "FrameRenderer.h"
#include "ImageSettings.h"
#include "InputImages.h"
#include "ParameterStore.h"
#include "simboard/control.h"

namespace brenvik::simboard {

using UnitClock = std::chrono::steady_clock;

// The trigger unit: the pulses that pace triggered sources.
class PulseSource {
 public:
  virtual ~PulseSource() = default;
  // Pulses started since the design was loaded; never cleared, never wrapped.
  virtual std::uint64_t pulsesStarted(ParameterStore& values, UnitClock::time_point now) = 0;
  // Whether the generator runs (the trigger is active), so that the camera follows it.
  virtual bool active(const ParameterStore& values) const = 0;
};

// The image path: what the frames look like and where they come from.
class FrameSource {
 public:
  virtual ~FrameSource() = default;
  // Whether the design has an image path; without one, pictures are its transfer's bytes.
  virtual bool present() const = 0;
  // A snapshot of the path's hardware values.
  virtual ImageSettings settings(const ParameterStore& values) const = 0;
  // Whether a camera sends frames on the camera port (images, or the built-in scene).
  virtual bool cameraPresent() const = 0;
  // Draws source frame `frame` (counted from the acquisition's start) into `out`.
  virtual void render(std::uint64_t frame, const ImageSettings& settings,
                      const FrameGeometry& geometry, std::byte* out) = 0;
  // Makes images already read the camera port's input.
  virtual void setImages(std::vector<InputImage> images) = 0;
  // Where the frame buffer's fill level and overflow flag are published.
  virtual std::size_t fillLevelIndex() const = 0;
  virtual std::size_t overflowIndex() const = 0;
};

// The acquisition's pacing: how frames arrive from the path's source.
class FramePacer {
 public:
  virtual ~FramePacer() = default;
  virtual Pace pace(const ImageSettings& settings, const ParameterStore& values) const = 0;
  virtual std::uint64_t pulses(ParameterStore& values, UnitClock::time_point now) = 0;
  virtual bool paced() const = 0;
  virtual std::chrono::microseconds period() const = 0;
};

// The DMA channel and its buffers: the board's acquisition calls. Each brings the buffers
// up to date (delivers what is due by `now`) before it answers.
class DmaChannel {
 public:
  virtual ~DmaChannel() = default;
  virtual void deliver(ParameterStore& values, UnitClock::time_point now) = 0;
  virtual std::int32_t start(std::int64_t pictures, BufferSetPtr buffers, ParameterStore& values,
                             UnitClock::time_point now) = 0;
  // False when there was nothing to stop.
  virtual bool stop() = 0;
  // The set is being freed: false when no acquisition fills it, else it ends.
  virtual bool detach(const BufferSet& buffers, ParameterStore& values) = 0;
  // Whether an acquisition fills the buffers (pictures may still be due).
  virtual bool active() const = 0;
  virtual std::int64_t delivered() const = 0;
  virtual bool running() const = 0;
  // Bytes of the last delivered picture of this or an earlier acquisition, else 0.
  virtual std::uint64_t transferLength() const = 0;
  virtual std::int64_t status(int selector) const = 0;
  // Lets an unpaced source produce `picture`; when to look again while waiting for it.
  virtual void demand(std::int64_t picture) = 0;
  virtual std::optional<UnitClock::time_point> nextLook(std::int64_t picture,
                                                        UnitClock::time_point now) const = 0;
  virtual std::int32_t copy(BufferSet& buffers, std::int64_t picture, void* out,
                            std::size_t size, SimboardFrame* frame, ParameterStore& values) = 0;
  virtual std::int32_t borrow(BufferSet& buffers, std::int64_t picture, const void** pixels,
                              SimboardFrame* frame, ParameterStore& values) = 0;
  virtual std::int32_t release(BufferSet& buffers, std::int64_t picture,
                               ParameterStore& values, UnitClock::time_point now) = 0;
  virtual std::int32_t latest(void* out, std::size_t size, SimboardFrame* frame) const = 0;
};

}  // namespace brenvik::simboard
