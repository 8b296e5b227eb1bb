// The applet opened the way the SDK runtime opens it, on a simulated board: its
// parameters by name or id with typed gets and sets, configuration files, the GenICam XML,
// events, the lookup table, the software trigger, and acquisition into DMA buffers seen in
// place.
//
// Threads. One Applet may be shared by several threads, as the applet itself may:
//  - gets, sets, parameter descriptions, parse, events, the lookup table, the software
//    trigger, saving, loading and the XML may run concurrently from any threads; gets and
//    sets reach the applet one at a time through its own parameter lock, and descriptions
//    are read under the Applet's lock, which every set also takes, so a description never
//    sees a record half rewritten;
//  - acquisition: start, stop, lostFrames and acquiring may run from any thread; next() from
//    one thread at a time; cancel() from any thread, at any time, ends a running next();
//    frames may be released on any thread;
//  - close() and destruction must not overlap any other call on the same Applet.
// Errors are thrown as brenvik::Error; a failed call leaves the applet's state as it was.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "brenvik/Board.h"
#include "brenvik/Error.h"
#include "brenvik/Export.h"
#include "brenvik/Frame.h"
#include "brenvik/Value.h"

namespace brenvik {

namespace detail {
struct AppletCore;
struct ModuleCore;
}  // namespace detail

// The applet module loaded into the process, every export resolved once.
class BRENVIK_HOST_API Module {
 public:
  // Loads the module at `appletPath` (empty: the installed Brenvik.so beside this library,
  // Brenvik.dll on Windows). A `runtimeDirectory` names the folder whose SDK runtime the
  // applet is to use: that runtime is loaded first, and the applet's own load by name then
  // binds to it. The runtime stays chosen for the process: a second directory while the
  // first runtime is loaded is refused. Error (kCannotLoad) when a file does not load or
  // an export is missing.
  static std::shared_ptr<Module> load(const std::string& appletPath = {},
                                      const std::string& runtimeDirectory = {});
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  const std::string& path() const noexcept;
  // The Info export, which needs no applet: its result as the export returns it.
  int info(int query, unsigned index1, unsigned index2, void* out1, void* out2) const;

 private:
  friend class Applet;
  explicit Module(std::unique_ptr<detail::ModuleCore> core);
  std::unique_ptr<detail::ModuleCore> core_;
};

// The path of the installed applet module beside this library.
BRENVIK_HOST_API std::string defaultAppletPath();

struct OpenOptions {
  std::uint64_t board = 0;       // the simulated board's number (its board handle)
  std::uint32_t flags = 0;       // creation flags; bit 0 skips writing the parameter defaults
  std::string appletPath;        // empty: defaultAppletPath()
  std::string runtimeDirectory;  // empty: the runtime that the applet finds by itself
};

// Pictures an acquisition delivers when started without a count: until stopped.
inline constexpr std::int64_t kUntilStopped = -1;

class BRENVIK_HOST_API Applet {
 public:
  // Loads the module and creates the applet on the board. Error (kCannotLoad) when the
  // module or the runtime does not load or creation fails; code() is the creation's code.
  explicit Applet(const OpenOptions& options = {});
  // Creates the applet from a module already loaded.
  Applet(std::shared_ptr<Module> module, std::uint64_t board, std::uint32_t flags = 0);
  ~Applet();  // stops an acquisition and frees the applet
  Applet(const Applet&) = delete;
  Applet& operator=(const Applet&) = delete;

  // Frees the applet; every later call but closed() fails with kClosed. Frames still held
  // stay readable until released.
  void close();
  bool closed() const noexcept;

  const Module& module() const noexcept;
  Board board() const noexcept;
  // The applet's last error (Fg_getLastErrorNumber).
  std::int32_t lastError() const;

  // --- Parameters ---
  // Every parameter in the applet's order: the SDK parameters, then the direct register and
  // hardware entries that the environment switched on.
  std::vector<ParameterInfo> parameters() const;
  // The described parameters in the order of the applet's description tree: root
  // categories in the order they were made, each category's parameters and sub-categories
  // depth first. Empty when the applet hands out no description.
  std::vector<ParameterInfo> descriptionTree() const;
  ParameterInfo parameter(std::string_view name) const;  // kUnknownName when there is none
  ParameterInfo parameter(std::int32_t id) const;
  ParameterInfo parameter(const ParameterHandle& parameter) const;
  // A name or an id given as text ("FG_WIDTH", "100"). kUnknownName for a name the applet
  // does not know. An id it does not list gives a handle read as a 64-bit integer, for which
  // the applet answers (refusing ids it does not know); descriptions and the generic set
  // refuse it with kUnknownName.
  ParameterHandle handle(std::string_view nameOrId) const;
  ParameterHandle handle(std::int32_t id) const;
  // The SDK name of a resolved parameter.
  const std::string& name(const ParameterHandle& parameter) const;

  // Typed paths: no allocation and no lookup by name (except on failure). Integers include
  // enumerations; kBadValue for a parameter of another kind, kRefused with the applet's code.
  std::int64_t getInteger(const ParameterHandle& parameter) const;
  double getDouble(const ParameterHandle& parameter) const;
  void setInteger(const ParameterHandle& parameter, std::int64_t value);
  void setDouble(const ParameterHandle& parameter, double value);

  // The generic form, for any kind.
  Value get(const ParameterHandle& parameter) const;
  void set(const ParameterHandle& parameter, const Value& value);
  // Types what a user gave by the parameter's kind: enumerations by one of the parameter's
  // own symbols or by number, integers (decimal, 0x hexadecimal, negative for signed ones),
  // doubles, texts, lookup-table entries (an array, or text as comma-separated numbers).
  // kBadValue naming the parameter's kind when it does not fit: "FG_WIDTH takes an integer
  // (from 8 to 16384), not 'FG_GRAY16'".
  Value parse(const ParameterHandle& parameter, const Input& given) const;
  void set(const ParameterHandle& parameter, const Input& given) {
    set(parameter, parse(parameter, given));
  }

  // --- Files, description, events, lookup table, trigger ---
  void saveConfig(const std::string& path) const;
  void loadConfig(const std::string& path);
  std::string xml(int port = 0) const;
  // The mask of an event name; kUnknownName with the applet's code when it has none.
  std::uint64_t eventMask(std::string_view name) const;
  // The name of the event of a mask, nothing when the mask names none.
  std::optional<std::string> eventName(std::uint64_t mask) const;
  // The lookup table's entries, as many as its description says.
  std::vector<std::uint32_t> lookupTable() const;
  // Writes entries from `first` on.
  void setLookupTable(const std::vector<std::uint32_t>& entries, std::uint32_t first = 0);
  void fireSoftwareTrigger(std::uint32_t pulses = 1);

  // --- Acquisition ---
  // Allocates `buffers` DMA buffers for the current picture size and format and starts an
  // acquisition of `frames` pictures (kUntilStopped: until stopped). kInvalidState when one
  // is running.
  void start(std::uint32_t buffers, std::int64_t frames = kUntilStopped);
  // Waits for the next picture and lends it out in place. kTimeout after `timeout`;
  // kCancelled when `shouldStop` (asked every few milliseconds) says so or cancel() is
  // called; kInvalidState without an acquisition. Pictures lost in between are skipped.
  Frame next(std::chrono::milliseconds timeout, const std::function<bool()>& shouldStop = {});
  // Ends the wait of a running next() on another thread (and of the next one to start, if
  // none is running).
  void cancel() noexcept;
  // Stops the acquisition; frames still held stay readable until released.
  void stop();
  bool acquiring() const;
  // Pictures of the current (or last) acquisition lost so far.
  std::int64_t lostFrames() const;

 private:
  std::shared_ptr<detail::AppletCore> core_;
};

}  // namespace brenvik
