// The module's Python-side types, written in Python where Python does it best (an int
// subclass, named tuples, exceptions with attributes), and the one place where the client
// library's error categories become Python exceptions.
#include "PythonTypes.h"

#include <pybind11/eval.h>

#include "brenvik/Error.h"

namespace brenvik::python {

namespace {

constexpr const char* kTypesSource = R"python(
import collections as _collections


class AppletError(Exception):
    """The applet or the simulated board refused a call.

    ``code`` is the result code they answered (0 when a load failed without one),
    ``message`` says what was being done, with the code and its meaning.
    """

    def __init__(self, code, message):
        super().__init__(code, message)
        self.code = code
        self.message = message

    def __str__(self):
        return self.message


class Cancelled(Exception):
    """A wait for a frame was ended by Acquisition.cancel() from another thread."""


class EnumValue(int):
    """An enumeration parameter's value: an int that prints its symbol.

    ``v == 3`` and ``v == brenvik.EnumValue(3, "FG_GRAY")`` compare numbers; ``v.name`` is
    the symbol ("FG_GRAY"), ``v.value`` the number; ``str(v)`` and ``f"{v}"`` give the
    symbol, ``f"{v:d}"`` the number.
    """

    def __new__(cls, value, name):
        self = super().__new__(cls, value)
        self.name = name
        return self

    @property
    def value(self):
        return int(self)

    def __str__(self):
        return self.name

    def __repr__(self):
        return "<%s: %d>" % (self.name, int(self))

    def __format__(self, form):
        return self.name if form == "" else int.__format__(int(self), form)

    def __reduce__(self):
        return (EnumValue, (int(self), self.name))


Parameter = _collections.namedtuple(
    "Parameter",
    "name id display_name category kind minimum maximum step unit access entries")
Parameter.__doc__ = """A parameter as the applet describes it when asked.

name: the SDK name ("FG_WIDTH"); id: its SDK id; display_name and category (a path such as
"Image Format / ROI"): empty for parameters without a description; kind: "integer",
"enumeration", "double", "string" or "lookup table"; minimum, maximum, step: numbers or None;
unit: text; access: "read-only", "read-write", "write-only" or "none"; entries: the
enumeration's Entry records (empty for other kinds)."""

Entry = _collections.namedtuple("Entry", "value name display_name")
Entry.__doc__ = """An enumeration entry: its number, its symbol and its display name."""
)python";

// The module's types, kept for the module's life (the module is never unloaded).
py::handle appletErrorType, cancelledType, enumValueTypeHandle, parameterTypeHandle,
    entryTypeHandle;

void translate(const Error& error) {
  switch (error.category()) {
    case ErrorCategory::kRefused:
    case ErrorCategory::kCannotLoad: {
      py::object instance = appletErrorType(error.code(), error.what());
      PyErr_SetObject(appletErrorType.ptr(), instance.ptr());
      return;
    }
    case ErrorCategory::kUnknownName:
      PyErr_SetString(PyExc_KeyError, error.what());
      return;
    case ErrorCategory::kBadValue:
    case ErrorCategory::kClosed:
      PyErr_SetString(PyExc_ValueError, error.what());
      return;
    case ErrorCategory::kTimeout:
      PyErr_SetString(PyExc_TimeoutError, error.what());
      return;
    case ErrorCategory::kCancelled:
      PyErr_SetString(cancelledType.ptr(), error.what());
      return;
    case ErrorCategory::kInvalidState:
      break;
  }
  PyErr_SetString(PyExc_RuntimeError, error.what());
}

}  // namespace

void defineTypes(py::module_& module) {
  py::exec(kTypesSource, module.attr("__dict__"));
  appletErrorType = py::object(module.attr("AppletError")).release();
  cancelledType = py::object(module.attr("Cancelled")).release();
  enumValueTypeHandle = py::object(module.attr("EnumValue")).release();
  parameterTypeHandle = py::object(module.attr("Parameter")).release();
  entryTypeHandle = py::object(module.attr("Entry")).release();
  py::register_exception_translator([](std::exception_ptr pending) {
    try {
      if (pending) std::rethrow_exception(pending);
    } catch (const Error& error) {
      translate(error);
    }
  });
}

py::handle enumValueType() { return enumValueTypeHandle; }
py::handle parameterType() { return parameterTypeHandle; }
py::handle entryType() { return entryTypeHandle; }

void raise(py::handle type, const std::string& message) {
  PyErr_SetString(type.ptr(), message.c_str());
  throw py::error_already_set();
}

std::string pathOf(py::handle path) {
  const py::object text = py::reinterpret_steal<py::object>(PyOS_FSPath(path.ptr()));
  if (!text) throw py::error_already_set();
  return text.cast<std::string>();  // str as UTF-8, bytes as they are
}

bool signalRaised() { return PyErr_CheckSignals() != 0; }

}  // namespace brenvik::python
