// Logging: the facility's record, attaching to the dispatcher, the logger map and teardown.
#include "platform/logging/Logging.h"

#include <atomic>
#include <map>
#include <string>

#include "platform/locks/ReadWriteLock.h"
#include "platform/locks/ReadWriteLockGuard.h"
#include "platform/logging/DispatcherInterface.h"
#include "platform/logging/InstallationDirectory.h"
#include "platform/os/LibraryNames.h"

namespace vurn::tools::logging {

using templates::platform::ReadWriteLock;
using templates::platform::ReadWriteLockGuard;

struct Logging::Record {
  Logger defaultLogger{0, Logger::kDefaultThreshold};
  // Written by the dispatcher's attach function only, before the facility is published.
  LoggingGetLoggerFunction getLogger = nullptr;
  LoggingLogFunction log = nullptr;
  // Non-null exactly while a dispatcher is attached.
  std::atomic<const LoggingDispatcherDescriptor*> descriptor{nullptr};
  std::map<std::uint64_t, std::unique_ptr<Logger>> loggers;  // guarded by loggersLock
  std::unique_ptr<DispatcherLibrary> library;
  ReadWriteLock loggersLock;
};

Logging::Logging() : record_(std::make_unique<Record>()) {}

Logging::~Logging() {
  {
    ReadWriteLockGuard guard(record_->loggersLock, ReadWriteLockGuard::kWrite);
    record_->loggers.clear();
  }
  if (const LoggingDispatcherDescriptor* descriptor = record_->descriptor.exchange(nullptr)) {
    descriptor->detach(this, descriptor);
  }
  record_->library.reset();
  record_.reset();
}

void Logging::initialise() {
  // A dispatcher is attached at most once, when the facility is made.
  if (record_->library != nullptr || isDispatcherAttached()) return;
  const char* installation = installationDirectory();
  if (installation == nullptr) return;

  auto library = std::make_unique<DispatcherLibrary>();
  library->path =
      ::brenvik::platform::installedLibraryPath(installation, LOGGING_DISPATCHER_LIBRARY_NAME);
  unsigned errorCode = 0;
  library->module =
      ::brenvik::platform::DynamicLibrary::open(library->path, &library->errorMessage, &errorCode);
  library->errorCode = errorCode;
  library->loaded = library->module != nullptr;
  if (library->loaded) attach(*library);
  // A library without a usable descriptor is unloaded again; a failed load keeps its record.
  if (library->loaded && record_->descriptor.load() == nullptr) return;
  record_->library = std::move(library);
}

void Logging::attach(DispatcherLibrary& library) {
  const auto* descriptor = static_cast<const LoggingDispatcherDescriptor*>(
      library.module->symbol(LOGGING_DISPATCHER_DESCRIPTOR_SYMBOL));
  if (descriptor == nullptr || descriptor->attach == nullptr || descriptor->detach == nullptr) {
    return;
  }
  if (descriptor->attach(this, &Logging::detachCallback, &Logging::setLevelCallback,
                         &record_->getLogger, &record_->log) != 0) {
    record_->getLogger = nullptr;
    record_->log = nullptr;
    return;
  }
  if (record_->getLogger == nullptr || record_->log == nullptr) {
    descriptor->detach(this, descriptor);
    record_->getLogger = nullptr;
    record_->log = nullptr;
    return;
  }
  record_->descriptor.store(descriptor, std::memory_order_release);
}

Logger* Logging::getLogger(const char* name) { return instance().loggerFor(name); }

Logger* Logging::loggerFor(const char* name) {
  if (name == nullptr || record_->descriptor.load(std::memory_order_acquire) == nullptr) {
    return &record_->defaultLogger;
  }
  std::uint64_t id = 0;
  std::uint32_t threshold = Logger::kDefaultThreshold;
  if (record_->getLogger(name, &id, &threshold) != 0) return &record_->defaultLogger;

  ReadWriteLockGuard guard(record_->loggersLock, ReadWriteLockGuard::kWrite);
  std::unique_ptr<Logger>& logger = record_->loggers[id];
  if (!logger) logger = std::make_unique<Logger>(id, threshold);
  return logger.get();
}

void Logging::forward(std::uint64_t dispatcherId, std::uint32_t level, const char* text,
                      std::uint64_t a, std::uint64_t b) {
  if (text == nullptr || record_->descriptor.load(std::memory_order_acquire) == nullptr) return;
  record_->log(dispatcherId, level, text, a, b);
}

void Logging::setLevel(std::uint64_t dispatcherId, std::uint32_t level) {
  ReadWriteLockGuard guard(record_->loggersLock, ReadWriteLockGuard::kRead);
  const auto found = record_->loggers.find(dispatcherId);
  if (found != record_->loggers.end()) found->second->setThreshold(level);
}

void Logging::dispatcherDetached() {
  record_->descriptor.store(nullptr, std::memory_order_release);
}

Logger* Logging::defaultLogger() { return &record_->defaultLogger; }

bool Logging::isDispatcherAttached() const {
  return record_->descriptor.load(std::memory_order_acquire) != nullptr;
}

const DispatcherLibrary* Logging::dispatcherLibrary() const { return record_->library.get(); }

void Logging::detachCallback() noexcept {
  if (Logging* facility = existingInstance()) facility->dispatcherDetached();
}

void Logging::setLevelCallback(std::uint64_t dispatcherId, std::uint32_t level) noexcept {
  if (Logging* facility = existingInstance()) facility->setLevel(dispatcherId, level);
}

}  // namespace vurn::tools::logging
