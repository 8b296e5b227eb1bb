// The module's own Python types (the applet's exceptions, enumeration values, parameter
// records) and the translation of the client library's errors into Python exceptions.
#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>

namespace brenvik::python {

namespace py = pybind11;

// Defines AppletError, Cancelled, EnumValue, Parameter and Entry in `module` and installs the
// translator of brenvik::Error. Called once, while the module is imported.
void defineTypes(py::module_& module);

// The module's own types, once defined.
py::handle enumValueType();
py::handle parameterType();
py::handle entryType();

// A Python exception as a C++ one, for pybind11 to raise: raises `type` with `message`.
[[noreturn]] void raise(py::handle type, const std::string& message);

// A file path given as str, bytes or os.PathLike, as the client library takes it; TypeError
// for anything else.
std::string pathOf(py::handle path);

// Checks for pending signals with the GIL taken; true when a handler raised (Ctrl-C gives
// KeyboardInterrupt), whose exception is then set for this thread.
bool signalRaised();

}  // namespace brenvik::python
