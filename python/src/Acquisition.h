// Frames as NumPy arrays: an acquisition session, the one-call grab, and the rule that an
// array viewing a frame keeps that frame (and so its DMA buffer) alive.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <optional>

#include "AppletBinding.h"

namespace brenvik::python {

// One acquisition of an applet, started when made and stopped by stop() or on leaving its
// `with` block.
class PyAcquisition {
 public:
  PyAcquisition(py::object applet, std::uint32_t buffers, std::optional<std::int64_t> frames);
  ~PyAcquisition();  // stops an acquisition that was dropped without being stopped
  PyAcquisition(const PyAcquisition&) = delete;
  PyAcquisition& operator=(const PyAcquisition&) = delete;

  // The next frame: a copy, or a read-only view that holds the frame while it lives.
  py::array next(std::optional<double> timeout, bool copy);
  // Iteration: copies until the acquisition's frame count is reached.
  py::array iterate();
  void stop();
  void cancel() { applet_.applet().cancel(); }
  std::int64_t lost() const { return applet_.applet().lostFrames(); }
  std::int64_t delivered() const noexcept { return delivered_; }
  bool running() const { return !stopped_ && applet_.applet().acquiring(); }

 private:
  py::object owner_;  // keeps the applet alive as long as the acquisition
  PyApplet& applet_;
  std::optional<std::int64_t> frames_;
  std::int64_t delivered_ = 0;
  bool stopped_ = false;
};

// Acquires `count` frames into one new (count, height, width) array and stops.
py::array grab(PyApplet& applet, std::int64_t count, std::uint32_t buffers,
               std::optional<double> timeout);

}  // namespace brenvik::python
