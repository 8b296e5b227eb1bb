// The applet as Python sees it: a client-library Applet with its parameters looked up by
// Python keys, values converted to Python types, and a guard that keeps close() from
// overlapping calls that run without the GIL.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <utility>
#include <vector>

#include "brenvik/Applet.h"

namespace brenvik::python {

namespace py = pybind11;

// Thrown (without the GIL) when a signal handler raised during a wait; the handler's
// exception is pending for the thread.
struct Interrupted {};

class PyApplet {
 public:
  PyApplet(std::uint64_t board, std::uint32_t flags, const std::string& appletPath);
  ~PyApplet();
  PyApplet(const PyApplet&) = delete;
  PyApplet& operator=(const PyApplet&) = delete;

  // Cancels a running wait, waits for calls running without the GIL, then frees the applet.
  void close();
  bool closed() const noexcept { return applet_->closed(); }

  // a[key] and a[key] = value, keys being names or ids.
  py::object get(const py::object& key);
  void set(const py::object& key, const py::object& value);
  bool contains(const py::object& key) const;
  py::list keys() const;

  py::list parameters() const;
  py::object parameter(const py::object& key) const;

  void save(const std::string& path);
  void load(const std::string& path);
  std::string xml(int port);
  void fireTrigger(std::uint32_t pulses);
  std::int32_t lastError() const { return applet_->lastError(); }
  std::uint64_t boardNumber() const noexcept { return board_; }

  Applet& applet() noexcept { return *applet_; }
  // Held by whoever waits for frames: the client library serves one waiter at a time.
  std::mutex& waitLock() noexcept { return waitLock_; }

  // Runs `call` without the GIL while close() is held off; close() waits for it to end. A
  // wait that Ctrl-C interrupted (Interrupted) raises the handler's exception here.
  template <typename Call>
  auto unlocked(Call&& call) {
    try {
      py::gil_scoped_release released;
      std::shared_lock use(use_);
      if (closing_) throwClosed();
      return call();
    } catch (const Interrupted&) {
      throw py::error_already_set();
    }
  }

  // True once close() has begun: a wait it cancelled reports the closing, not a cancel.
  bool closing() const noexcept { return closing_; }
  [[noreturn]] static void throwClosed();

 private:
  struct Entry {
    ParameterHandle handle;
    std::string name;
    // Enumerations: each entry's number with its value object and symbol, made on first use.
    bool symbolsLoaded = false;
    std::vector<std::pair<std::int64_t, py::object>> values;
    std::vector<std::string> symbols;
  };

  Entry& entryOf(py::handle key);
  const Entry& entryOf(py::handle key) const;
  void loadSymbols(Entry& entry);
  std::int64_t enumerationNumber(Entry& entry, py::handle value);
  py::object record(const ParameterInfo& info) const;

  std::uint64_t board_;
  std::unique_ptr<Applet> applet_;
  std::vector<Entry> entries_;
  py::dict index_;  // names and listed ids to positions in entries_
  std::shared_mutex use_;
  std::atomic<bool> closing_{false};
  std::mutex waitLock_;
};

}  // namespace brenvik::python
