// The simulated board's side of an applet, for Python: played values and the camera input.
#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>

#include "brenvik/Board.h"

namespace brenvik::python {

namespace py = pybind11;

class PyBoard {
 public:
  explicit PyBoard(std::uint64_t number) : board_(number) {}

  std::uint64_t number() const noexcept { return board_.number(); }
  std::string value(const std::string& name) const { return board_.value(name); }
  // Plays a str, int (enumeration values by number), float or bool (1 or 0).
  void play(const std::string& name, const py::object& value);
  // File paths or uint8/uint16 arrays (one, a list, or a stack of frames); empty: none.
  void cameraInput(const py::object& images);
  void setSceneCamera(bool on) { board_.setSceneCamera(on); }
  void setPaced(bool paced) { board_.setPaced(paced); }
  void setPicturePeriod(std::uint32_t microseconds) { board_.setPicturePeriod(microseconds); }

 private:
  Board board_;
};

}  // namespace brenvik::python
