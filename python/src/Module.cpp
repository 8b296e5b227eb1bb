// The Python module brenvik: what Python users see, with its documentation.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "Acquisition.h"
#include "AppletBinding.h"
#include "BoardBinding.h"
#include "PythonTypes.h"

namespace brenvik::python {
namespace {

using namespace pybind11::literals;

constexpr const char* kModuleDoc = R"doc(The Brenvik acquisition applet on its simulated board.

    import brenvik
    with brenvik.Applet() as a:
        a["FG_WIDTH"] = 512
        a["FG_FORMAT"] = "FG_GRAY16"
        frames = a.grab(10)          # numpy array (10, height, width) of uint16

Parameters are keys of the Applet (SDK names such as "FG_WIDTH", or their ids). Refusals of
the applet or the board raise AppletError with the result code; usage errors raise TypeError
(a value of the wrong type), KeyError (an unknown name) or ValueError (a value out of what the
parameter's type holds, or a closed applet); a wait past its time-out raises TimeoutError and
Ctrl-C ends a wait with KeyboardInterrupt.

Threads may share one Applet. Gets and sets run with the GIL held, one at a time; waits for
frames, saving, loading and the XML run without it. close() waits for calls in progress and
ends a wait for a frame.)doc";

constexpr const char* kAppletDoc = R"doc(Applet(board=0, flags=0, applet=None)

The applet created on simulated board `board` (its board handle) with creation `flags` (bit 0
skips writing the parameter defaults), from the applet module `applet` (default: the installed
Brenvik module beside the client library). AppletError when the module does not load or the
applet cannot be created (`code` is the creation's code).

A context manager: leaving the `with` block closes the applet. Parameters are its keys:

    a["FG_WIDTH"]                   # 1024
    a["FG_WIDTH"] = 512
    a["FG_FORMAT"] = "FG_GRAY16"    # enumerations by symbol or number
    a["FG_FORMAT"]                  # EnumValue, prints FG_GRAY16, equals its number
    a["FG_LUT_VALUE"]               # the lookup table as a numpy uint32 array

Integers come back as int, enumerations as EnumValue, doubles as float, texts as str and
the lookup table as a numpy array (a copy).)doc";

constexpr const char* kAcquisitionDoc = R"doc(A running acquisition, made by Applet.acquire().

    with a.acquire(buffers=4) as s:
        image = s.next(timeout=1.0)

Leaving the `with` block (or stop()) stops it. Iterating over it yields copies of the frames
until the acquisition's `frames` pictures were delivered or lost (forever when it was started
without a count).)doc";

// A `with` block: entering gives the object itself, leaving calls `leave` and lets the
// block's exception go on.
template <typename Class>
void withBlock(py::class_<Class>& type, void (Class::*leave)(), const char* leaving) {
  type.def(
      "__enter__", [](py::object self) { return self; }, "Returns the object itself.");
  type.def(
      "__exit__",
      [leave](Class& self, const py::args&) {
        (self.*leave)();
        return false;
      },
      leaving);
}

void bindApplet(py::module_& module) {
  py::class_<PyApplet> type(module, "Applet", kAppletDoc);
  withBlock(type, &PyApplet::close, "Closes the applet; exceptions of the block go on.");
  type.def(py::init([](std::uint64_t board, std::uint32_t flags,
                       const std::optional<std::string>& applet) {
             return std::make_unique<PyApplet>(board, flags, applet.value_or(std::string()));
           }),
           "board"_a = 0, "flags"_a = 0, "applet"_a = py::none(),
           "Creates the applet on simulated board `board`; see the class documentation.")
      .def("close", &PyApplet::close,
           "Frees the applet. Ends a wait for a frame in another thread (it raises ValueError),\n"
           "waits for calls in progress, and stops a running acquisition. Every later call\n"
           "raises ValueError; arrays already handed out stay valid. Closing twice is harmless.")
      .def_property_readonly("closed", &PyApplet::closed, "True once the applet is closed.")
      .def("__getitem__", &PyApplet::get, "key"_a,
           "The value of a parameter by name or id: int, EnumValue, float, str or, for the\n"
           "lookup table, a numpy uint32 array (a copy). KeyError for an unknown parameter,\n"
           "AppletError when the applet refuses the read.")
      .def("__setitem__", &PyApplet::set, "key"_a, "value"_a,
           "Sets a parameter: integers take int, enumerations a symbol (str) or a number,\n"
           "doubles a number, texts a str, the lookup table a sequence or array of integers.\n"
           "TypeError for a value of another type, ValueError for one out of what the\n"
           "parameter's type holds (or an unknown symbol), AppletError with the applet's code\n"
           "when it refuses (out of range -6000, read-only -12, ...); the old value stays.")
      .def("__contains__", &PyApplet::contains, "key"_a,
           "True when the applet has a parameter of this name or id.")
      .def("keys", &PyApplet::keys, "The parameters' names, in the applet's order.")
      .def("parameters", &PyApplet::parameters,
           "Every parameter as a Parameter record (name, id, display_name, category, kind,\n"
           "minimum, maximum, step, unit, access, entries), in the applet's order, with the\n"
           "limits and access as they are now.")
      .def("parameter", &PyApplet::parameter, "key"_a,
           "One parameter's Parameter record, by name or id.")
      .def(
          "save", [](PyApplet& self, const py::object& path) { self.save(pathOf(path)); }, "path"_a,
          "Saves the settings to a configuration file (.mcf). AppletError (-5001, ...) when\n"
          "the file cannot be written.")
      .def(
          "load", [](PyApplet& self, const py::object& path) { self.load(pathOf(path)); }, "path"_a,
          "Loads settings from a configuration file (.mcf) through the parameters' own\n"
          "setters. AppletError (-2076 for a missing file or one of another type, -5000 for\n"
          "one that does not read).")
      .def("xml", &PyApplet::xml, "port"_a = 0, "The GenICam XML description, as str.")
      .def("fire_trigger", &PyApplet::fireTrigger, "pulses"_a = 1,
           "Sends software trigger pulses. AppletError outside software trigger mode (-2140),\n"
           "with the trigger stopped (-2141) or busy (-60).")
      .def_property_readonly("last_error", &PyApplet::lastError,
                             "The applet's last result code (0 after a call that succeeded).")
      .def_property_readonly(
          "board", [](const PyApplet& self) { return PyBoard(self.boardNumber()); },
          "The simulated board under the applet (a Board).")
      .def(
          "acquire",
          [](py::object self, std::uint32_t buffers, std::optional<std::int64_t> frames) {
            return std::make_unique<PyAcquisition>(std::move(self), buffers, frames);
          },
          "buffers"_a = 4, "frames"_a = py::none(),
          "Starts an acquisition into `buffers` DMA buffers of the current picture size and\n"
          "format, of `frames` pictures (None: until stopped), and returns it as an\n"
          "Acquisition, to use in a `with` block. RuntimeError when one is running.")
      .def(
          "grab",
          [](PyApplet& self, std::int64_t count, std::uint32_t buffers,
             std::optional<double> timeout) { return grab(self, count, buffers, timeout); },
          "count"_a, "buffers"_a = 4, "timeout"_a = 5.0,
          "Acquires `count` frames (lost pictures are made up by later ones) and returns them as "
          "one new array of shape (count,\n"
          "height, width): uint8 for FG_GRAY, uint16 for the wider formats. A copy: it is\n"
          "yours to keep and change. `timeout` (seconds, None: no limit) bounds the wait for\n"
          "each frame: TimeoutError past it. Ctrl-C ends the grab with KeyboardInterrupt;\n"
          "the acquisition is stopped in every case.")
      .def("__repr__", [](const PyApplet& self) {
        return std::string("<brenvik.Applet on board ") + std::to_string(self.boardNumber()) +
               (self.closed() ? ", closed>" : ">");
      });
}

void bindAcquisition(py::module_& module) {
  py::class_<PyAcquisition> type(module, "Acquisition", kAcquisitionDoc);
  withBlock(type, &PyAcquisition::stop, "Stops the acquisition; exceptions of the block go on.");
  type.def("next", &PyAcquisition::next, "timeout"_a = 1.0, "copy"_a = true,
           "Waits for the next frame and returns it as an array of shape (height, width):\n"
           "uint8 for FG_GRAY, uint16 for the wider formats. Pictures lost meanwhile are\n"
           "skipped (see `lost`).\n\n"
           "copy=True (default): a copy of the frame, yours to keep; the frame's DMA buffer\n"
           "is handed back to the board at once.\n"
           "copy=False: a read-only view of the DMA buffer itself, no copy made. The view\n"
           "owns the frame: the buffer stays lent out, and is never overwritten, as long as\n"
           "the view or any array made from it lives (also after the acquisition stops or\n"
           "the applet closes). While lent out, pictures due for that buffer are dropped\n"
           "and counted as lost, so let views go (del) before the next frames are due.\n\n"
           "`timeout` in seconds (None: no limit): TimeoutError past it. Ctrl-C raises\n"
           "KeyboardInterrupt; cancel() from another thread raises Cancelled. One thread\n"
           "waits at a time; others wait for their turn.")
      .def("__iter__", [](py::object self) { return self; })
      .def("__next__", &PyAcquisition::iterate,
           "The next frame as a copy (no time-out); StopIteration once the acquisition's\n"
           "`frames` pictures were delivered or lost.")
      .def("stop", &PyAcquisition::stop,
           "Stops the acquisition; views handed out stay valid. Stopping twice is harmless.")
      .def("cancel", &PyAcquisition::cancel,
           "Ends a wait for a frame in another thread with Cancelled (or the next wait, when\n"
           "none is running).")
      .def_property_readonly("lost", &PyAcquisition::lost,
                             "Pictures of this acquisition lost so far.")
      .def_property_readonly("delivered", &PyAcquisition::delivered, "Frames handed out so far.")
      .def_property_readonly("running", &PyAcquisition::running,
                             "True until the acquisition is stopped.");
}

void bindBoard(py::module_& module) {
  py::class_<PyBoard>(module, "Board",
                      "Board(number): simulated board `number`, the applet's board handle.\n"
                      "Its hardware values and settings can be played, and its camera fed.")
      .def(py::init<std::uint64_t>(), "number"_a)
      .def_property_readonly("number", &PyBoard::number, "The board's number.")
      .def("value", &PyBoard::value, "name"_a,
           "A hardware parameter, a register (\"register:\" + name), one of the runtime's\n"
           "own parameters or a board setting (\"simboard:paced\", ...) as str. KeyError for\n"
           "an unknown name.")
      .def("play", &PyBoard::play, "name"_a, "value"_a,
           "Plays a value (str, int, float or bool) into any of those, read-only ones\n"
           "included, e.g. play(\"Device1_Process0_Overflow_OverflowOccurred\", 1).")
      .def("camera_input", &PyBoard::cameraInput, "images"_a,
           "What the camera on the camera port sends, one image per frame in turn: image\n"
           "file paths (binary PGM, or PNG) or numpy arrays of shape (height, width), uint8\n"
           "or uint16 (copied; a 3-D array is a stack of images). One item or a list; an\n"
           "empty list leaves the port to the built-in camera. TypeError for another dtype,\n"
           "ValueError for another shape.")
      .def("set_scene_camera", &PyBoard::setSceneCamera, "on"_a,
           "The built-in moving test scene on the camera port (True, the default) or no\n"
           "camera (False), while no camera input is given.")
      .def("set_paced", &PyBoard::setPaced, "paced"_a,
           "True (default): pictures arrive in real time; False: a free-running source\n"
           "delivers a picture as soon as it is waited for. Taken when an acquisition starts.")
      .def("set_picture_period", &PyBoard::setPicturePeriod, "microseconds"_a,
           "The camera port's frame period while the trigger does not drive it, in µs.")
      .def("__repr__", [](const PyBoard& self) {
        return "<brenvik.Board " + std::to_string(self.number()) + ">";
      });
}

}  // namespace
}  // namespace brenvik::python

PYBIND11_MODULE(brenvik, module) {
  namespace python = brenvik::python;
  using namespace pybind11::literals;
  module.doc() = python::kModuleDoc;
  python::defineTypes(module);
  python::bindApplet(module);
  python::bindAcquisition(module);
  python::bindBoard(module);
  module.def("applet_path", &brenvik::defaultAppletPath,
             "The installed applet module that Applet() opens by default.");
  module.def("code_meaning", &brenvik::codeMeaning, "code"_a,
             "The meaning of a result code of the applet or the board.");
}
