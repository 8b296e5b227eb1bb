// The simulated board from Python: values played into it, and the camera on its camera port
// fed with image files or NumPy arrays.
#include "BoardBinding.h"

#include <pybind11/numpy.h>

#include <string>
#include <vector>

#include "PythonTypes.h"

namespace brenvik::python {

namespace {

std::string shapeText(const py::array& image) {
  std::string text = "(";
  for (py::ssize_t axis = 0; axis < image.ndim(); ++axis) {
    text.append(axis == 0 ? "" : ", ").append(std::to_string(image.shape(axis)));
  }
  return text + (image.ndim() == 1 ? ",)" : ")");
}

CameraImage cameraImage(const py::array& given) {
  CameraImage image;
  if (given.dtype().is(py::dtype::of<std::uint8_t>())) {
    image.bits = 8;
  } else if (given.dtype().is(py::dtype::of<std::uint16_t>())) {
    image.bits = 16;
  } else {
    raise(PyExc_TypeError, "camera images are uint8 or uint16 arrays, not " +
                               py::str(given.dtype()).cast<std::string>());
  }
  if (given.ndim() != 2 || given.shape(0) == 0 || given.shape(1) == 0) {
    raise(PyExc_ValueError,
          "a camera image is a non-empty 2-D array (height, width), not shape " + shapeText(given));
  }
  image.height = static_cast<std::uint32_t>(given.shape(0));
  image.width = static_cast<std::uint32_t>(given.shape(1));
  const py::array packed = py::module_::import("numpy").attr("ascontiguousarray")(given);
  const auto* bytes = static_cast<const std::uint8_t*>(packed.data());
  image.pixels.assign(bytes, bytes + packed.nbytes());
  return image;
}

bool isPath(py::handle item) {
  return PyUnicode_Check(item.ptr()) || PyBytes_Check(item.ptr()) ||
         py::hasattr(item, "__fspath__");
}

}  // namespace

void PyBoard::play(const std::string& name, const py::object& value) {
  std::string text;
  if (PyBool_Check(value.ptr())) {
    text = value.ptr() == Py_True ? "1" : "0";
  } else if (PyUnicode_Check(value.ptr())) {
    text = value.cast<std::string>();
  } else if (PyIndex_Check(value.ptr())) {
    // By number: an enumeration value's str() is its symbol.
    text = py::str(py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr())));
  } else if (PyFloat_Check(value.ptr())) {
    text = py::repr(value);
  } else {
    raise(PyExc_TypeError, "a board value is a str, int, float or bool, not " +
                               std::string(Py_TYPE(value.ptr())->tp_name));
  }
  board_.play(name, text);
}

void PyBoard::cameraInput(const py::object& images) {
  // One image or file, or a stack of images (frames, height, width), stands for a list.
  py::list items;
  if (py::isinstance<py::array>(images) &&
      py::array(py::reinterpret_borrow<py::array>(images)).ndim() == 3) {
    for (py::handle image : py::reinterpret_borrow<py::iterable>(images)) items.append(image);
  } else if (isPath(images) || py::isinstance<py::array>(images)) {
    items.append(images);
  } else if (py::isinstance<py::iterable>(images)) {
    for (py::handle item : py::reinterpret_borrow<py::iterable>(images)) items.append(item);
  } else {
    raise(PyExc_TypeError, "camera input takes file paths or NumPy arrays, not " +
                               std::string(Py_TYPE(images.ptr())->tp_name));
  }
  std::vector<std::string> files;
  std::vector<CameraImage> arrays;
  for (py::handle item : items) {
    if (isPath(item)) {
      files.push_back(pathOf(item));
    } else if (py::isinstance<py::array>(item)) {
      arrays.push_back(cameraImage(py::reinterpret_borrow<py::array>(item)));
    } else {
      raise(PyExc_TypeError, "camera input takes file paths or NumPy arrays, not " +
                                 std::string(Py_TYPE(item.ptr())->tp_name));
    }
  }
  if (!files.empty() && !arrays.empty()) {
    raise(PyExc_TypeError, "camera input takes file paths or arrays, not both at once");
  }
  if (arrays.empty()) {
    board_.setCameraFiles(files);
  } else {
    board_.setCameraImages(arrays);
  }
}

}  // namespace brenvik::python
