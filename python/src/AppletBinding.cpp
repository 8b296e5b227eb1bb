// The applet's parameters as Python keys and values: names and ids looked up in a dict built
// at creation, integers, enumerations, doubles, texts and the lookup table converted both
// ways, usage errors raised as TypeError, KeyError or ValueError.
#include "AppletBinding.h"

#include <cmath>
#include <limits>

#include "PythonTypes.h"

namespace brenvik::python {

namespace {

std::unique_ptr<Applet> open(std::uint64_t board, std::uint32_t flags, const std::string& path) {
  OpenOptions options;
  options.board = board;
  options.flags = flags;
  options.appletPath = path;
  py::gil_scoped_release released;
  return std::make_unique<Applet>(options);
}

std::string typeName(py::handle value) { return Py_TYPE(value.ptr())->tp_name; }

py::object toPython(const Value& value) {
  if (const auto* integer = std::get_if<std::int64_t>(&value)) return py::int_(*integer);
  if (const auto* real = std::get_if<double>(&value)) return py::float_(*real);
  if (const auto* text = std::get_if<std::string>(&value)) return py::str(*text);
  const auto& entries = std::get<std::vector<std::uint32_t>>(value);
  return py::array_t<std::uint32_t>(static_cast<py::ssize_t>(entries.size()), entries.data());
}

py::object toPython(const std::optional<Value>& value) {
  return value ? toPython(*value) : py::none();
}

bool isText(py::handle value) { return PyUnicode_Check(value.ptr()) != 0; }

// An int or anything that stands for one (numpy integers, EnumValue); not floats.
std::int64_t integerOf(const std::string& name, py::handle value) {
  if (isText(value) || !PyIndex_Check(value.ptr())) {
    raise(PyExc_TypeError, name + " takes an integer, not " + typeName(value));
  }
  const py::object number = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
  if (!number) throw py::error_already_set();
  int overflow = 0;
  const long long result = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
  if (overflow != 0) {
    raise(PyExc_ValueError,
          name + " takes a 64-bit integer, not " + py::str(number).cast<std::string>());
  }
  return result;
}

double doubleOf(const std::string& name, py::handle value) {
  if (isText(value) || !PyNumber_Check(value.ptr())) {
    raise(PyExc_TypeError, name + " takes a number, not " + typeName(value));
  }
  const double result = PyFloat_AsDouble(value.ptr());
  if (result == -1.0 && PyErr_Occurred()) {
    PyErr_Clear();
    raise(PyExc_TypeError, name + " takes a real number, not " + typeName(value));
  }
  if (!std::isfinite(result)) {
    raise(PyExc_ValueError, name + " takes a finite number, not " + std::to_string(result));
  }
  return result;
}

// Table entries from a sequence or array of integers, each an unsigned 32-bit number.
std::vector<std::uint32_t> tableOf(const std::string& name, py::handle value) {
  if (isText(value)) raise(PyExc_TypeError, name + " takes an array of integers, not str");
  const py::array given = py::module_::import("numpy").attr("asarray")(value);
  if (given.size() == 0) return {};  // the applet's own check names the size it takes
  if (given.ndim() != 1) {
    raise(PyExc_ValueError, name + " takes a one-dimensional array, not " +
                                std::to_string(given.ndim()) + " dimensions");
  }
  const char kind = given.dtype().kind();
  if (kind != 'i' && kind != 'u') {
    raise(PyExc_TypeError,
          name + " takes integers, not an array of " + py::str(given.dtype()).cast<std::string>());
  }
  constexpr auto kMost = std::numeric_limits<std::uint32_t>::max();
  std::vector<std::uint32_t> entries(static_cast<std::size_t>(given.size()));
  auto check = [&](auto number, py::ssize_t at) {
    if (number < 0 || static_cast<std::uint64_t>(number) > kMost) {
      raise(PyExc_ValueError, name + " takes entries from 0 to " + std::to_string(kMost) +
                                  ", not " + std::to_string(number) + " (entry " +
                                  std::to_string(at) + ")");
    }
    entries[static_cast<std::size_t>(at)] = static_cast<std::uint32_t>(number);
  };
  if (kind == 'u') {
    const auto numbers = given.cast<py::array_t<std::uint64_t, py::array::forcecast>>();
    for (py::ssize_t at = 0; at < numbers.size(); ++at) check(numbers.at(at), at);
  } else {
    const auto numbers = given.cast<py::array_t<std::int64_t, py::array::forcecast>>();
    for (py::ssize_t at = 0; at < numbers.size(); ++at) check(numbers.at(at), at);
  }
  return entries;
}

}  // namespace

PyApplet::PyApplet(std::uint64_t board, std::uint32_t flags, const std::string& appletPath)
    : board_(board), applet_(open(board, flags, appletPath)) {
  const std::vector<ParameterInfo> all = applet_->parameters();
  entries_.reserve(all.size());
  for (const ParameterInfo& info : all) {
    const py::int_ position(entries_.size());
    entries_.push_back({applet_->handle(info.name), info.name, false, {}, {}});
    index_[py::str(info.name)] = position;
    if (info.listedId) index_[py::int_(info.id)] = position;
  }
}

PyApplet::~PyApplet() = default;

void PyApplet::throwClosed() { throw Error(ErrorCategory::kClosed, "the applet is closed"); }

void PyApplet::close() {
  if (applet_->closed()) return;
  closing_ = true;
  applet_->cancel();
  std::unique_lock<std::shared_mutex> alone(use_, std::defer_lock);
  {
    py::gil_scoped_release released;
    alone.lock();
  }
  applet_->close();
}

PyApplet::Entry& PyApplet::entryOf(py::handle key) {
  return const_cast<Entry&>(std::as_const(*this).entryOf(key));
}

const PyApplet::Entry& PyApplet::entryOf(py::handle key) const {
  if (!isText(key) && !PyLong_Check(key.ptr())) {
    raise(PyExc_TypeError, "parameters are named by str or numbered by int, not " + typeName(key));
  }
  PyObject* position = PyDict_GetItemWithError(index_.ptr(), key.ptr());
  if (position == nullptr) {
    if (PyErr_Occurred()) throw py::error_already_set();
    raise(PyExc_KeyError, "no parameter " + py::repr(key).cast<std::string>() + " in this applet");
  }
  return entries_[PyLong_AsSize_t(position)];
}

void PyApplet::loadSymbols(Entry& entry) {
  const ParameterInfo info = applet_->parameter(entry.handle);
  for (const EnumEntry& each : info.entries) {
    py::object value = each.symbol.empty() ? py::object(py::int_(each.value))
                                           : enumValueType()(each.value, each.symbol);
    entry.values.emplace_back(each.value, std::move(value));
    entry.symbols.push_back(each.symbol);
  }
  entry.symbolsLoaded = true;
}

std::int64_t PyApplet::enumerationNumber(Entry& entry, py::handle value) {
  if (!isText(value)) return integerOf(entry.name, value);
  if (!entry.symbolsLoaded) loadSymbols(entry);
  const auto symbol = value.cast<std::string>();
  std::string known;
  for (std::size_t at = 0; at < entry.symbols.size(); ++at) {
    if (entry.symbols[at].empty()) continue;
    if (entry.symbols[at] == symbol) return entry.values[at].first;
    known.append(known.empty() ? "" : ", ").append(entry.symbols[at]);
  }
  raise(PyExc_ValueError,
        entry.name + " takes one of " + known + " (or their numbers), not '" + symbol + "'");
}

py::object PyApplet::get(const py::object& key) {
  Entry& entry = entryOf(key);
  const ParameterHandle& parameter = entry.handle;
  switch (parameter.kind) {
    case Kind::kInteger:
      return py::reinterpret_steal<py::object>(PyLong_FromLongLong(applet_->getInteger(parameter)));
    case Kind::kEnumeration: {
      const std::int64_t number = applet_->getInteger(parameter);
      if (!entry.symbolsLoaded) loadSymbols(entry);
      for (const auto& [value, object] : entry.values) {
        if (value == number) return object;
      }
      return py::int_(number);  // a number the applet lists no symbol for
    }
    case Kind::kDouble:
      return py::float_(applet_->getDouble(parameter));
    case Kind::kString:
    case Kind::kLookupTable:
      break;
  }
  return toPython(applet_->get(parameter));
}

void PyApplet::set(const py::object& key, const py::object& value) {
  Entry& entry = entryOf(key);
  const ParameterHandle& parameter = entry.handle;
  switch (parameter.kind) {
    case Kind::kInteger:
      applet_->setInteger(parameter, integerOf(entry.name, value));
      return;
    case Kind::kEnumeration:
      applet_->setInteger(parameter, enumerationNumber(entry, value));
      return;
    case Kind::kDouble:
      applet_->setDouble(parameter, doubleOf(entry.name, value));
      return;
    case Kind::kString:
      if (!isText(value))
        raise(PyExc_TypeError, entry.name + " takes a str, not " + typeName(value));
      applet_->set(parameter, Value(value.cast<std::string>()));
      return;
    case Kind::kLookupTable:
      applet_->set(parameter, Value(tableOf(entry.name, value)));
      return;
  }
}

bool PyApplet::contains(const py::object& key) const {
  if (!isText(key) && !PyLong_Check(key.ptr())) return false;
  return index_.contains(key);
}

py::list PyApplet::keys() const {
  py::list names;
  for (const Entry& entry : entries_) names.append(py::str(entry.name));
  return names;
}

py::object PyApplet::record(const ParameterInfo& info) const {
  py::list entries;
  for (const EnumEntry& each : info.entries) {
    entries.append(entryType()(each.value, each.symbol, each.displayName));
  }
  return parameterType()(info.name, info.id, info.displayName, info.category, kindName(info.kind),
                         toPython(info.minimum), toPython(info.maximum), toPython(info.step),
                         info.unit, accessName(info), entries);
}

py::list PyApplet::parameters() const {
  py::list records;
  for (const ParameterInfo& info : applet_->parameters()) records.append(record(info));
  return records;
}

py::object PyApplet::parameter(const py::object& key) const {
  return record(applet_->parameter(entryOf(key).handle));
}

void PyApplet::save(const std::string& path) {
  unlocked([&] { applet_->saveConfig(path); });
}

void PyApplet::load(const std::string& path) {
  unlocked([&] { applet_->loadConfig(path); });
}

std::string PyApplet::xml(int port) {
  return unlocked([&] { return applet_->xml(port); });
}

void PyApplet::fireTrigger(std::uint32_t pulses) { applet_->fireSoftwareTrigger(pulses); }

}  // namespace brenvik::python
