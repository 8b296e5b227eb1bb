// Logging: the process-wide facility that hands out named loggers and feeds the dispatcher.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/logging/DispatcherLibrary.h"
#include "platform/logging/GuardedSingleton.h"
#include "platform/logging/Logger.h"

namespace vurn::tools::logging {

// The facility stores no messages: it forwards each enabled one to the external dispatcher
// library found in the installation. Without a dispatcher every name gets the default
// logger (threshold 7) and logging is silent. A dispatcher attaches at most once, when the
// facility is made; once it detaches, logging stays silent. Loggers live as long as the
// facility, which lives until the module is unloaded.
// Thread-safety: every operation may be called from any thread.
class Logging : public GuardedSingleton<Logging> {
 public:
  ~Logging() override;

  // Finds the installation, loads the dispatcher library from its "bin" folder and attaches
  // to it. Any failure leaves the facility without a dispatcher. Runs once, when the facility
  // is made; later calls do nothing once a library has been attempted.
  virtual void initialise();

  // The logger for a name, made on first request and shared by every caller asking for the
  // same name. The default logger when no dispatcher is attached, when name is null or when
  // the dispatcher refuses the name. Callers keep the pointer and never release it.
  static Logger* getLogger(const char* name);

  // Hands a message to the dispatcher, or does nothing when none is attached.
  void forward(std::uint64_t dispatcherId, std::uint32_t level, const char* text, std::uint64_t a,
               std::uint64_t b);

  // Sets the threshold of the logger with that dispatcher id; unknown ids are ignored. This
  // is what the dispatcher's set-level callback does.
  void setLevel(std::uint64_t dispatcherId, std::uint32_t level);

  Logger* defaultLogger();
  bool isDispatcherAttached() const;
  // The dispatcher library record, null when no load was attempted or the library lacked
  // the descriptor.
  const DispatcherLibrary* dispatcherLibrary() const;

 private:
  friend class GuardedSingleton<Logging>;
  struct Record;

  Logging();
  Logger* loggerFor(const char* name);
  void attach(DispatcherLibrary& library);
  void dispatcherDetached();

  // Called by the dispatcher; they reach the facility through its instance pointer.
  static void detachCallback() noexcept;
  static void setLevelCallback(std::uint64_t dispatcherId, std::uint32_t level) noexcept;

  std::unique_ptr<Record> record_;
};

}  // namespace vurn::tools::logging
