// The logging dispatcher library: logger ids per name, thresholds from BRENVIK_LOG, file lines.
//
// Environment, read when the first facility attaches:
//   BRENVIK_LOG       thresholds per logger name as a comma-separated list of name=level
//                     items, e.g. "vurn.wrapper.Brenvik=4,*=6". A message passes when its
//                     level is at least its logger's threshold. "*" gives the threshold of
//                     every name without an item of its own; without "*" such names get 7,
//                     which lets none of the applet's messages (levels 4 to 6) through.
//                     Blanks around names and levels are ignored, a later item for the same
//                     name wins, malformed items (no "=", empty name, level not a decimal
//                     number below 2^32) are skipped.
//   BRENVIK_LOG_FILE  file that messages are appended to, one line each:
//                     "<logger name> [<level>] <text>". Unset, empty or not openable:
//                     standard error.
// Thresholds can be changed at run time with common_logging_dispatcher_set_level().
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "DispatcherControl.h"
#include "DispatcherRules.h"
#include "platform/logging/DispatcherInterface.h"

#define DISPATCHER_EXPORT BRENVIK_EXPORT

namespace brenvik::dispatcher {

namespace {

struct AttachedFacility {
  void* facility;
  LoggingDetachCallback detach;
  LoggingSetLevelCallback setLevel;
};

struct NamedLogger {
  std::string name;
  std::uint32_t threshold;
};

struct State {
  DispatcherRules rules;
  std::vector<AttachedFacility> facilities;
  std::map<std::string, std::uint64_t, std::less<>> ids;
  std::vector<NamedLogger> loggers;  // logger id - 1
  std::FILE* output = stderr;
  bool ownsOutput = false;

  State() = default;
  State(const State&) = delete;
  State& operator=(const State&) = delete;
  ~State() {
    if (ownsOutput) std::fclose(output);
  }
};

std::mutex stateMutex;
State* state = nullptr;  // under stateMutex; exists from the first attach to the last detach

std::unique_ptr<State> makeState() {
  auto made = std::make_unique<State>();
  const char* rules = std::getenv("BRENVIK_LOG");
  made->rules = parseRules(rules != nullptr ? rules : "");
  const char* file = std::getenv("BRENVIK_LOG_FILE");
  if (file != nullptr && *file != '\0') {
    if (std::FILE* opened = std::fopen(file, "a")) {
      made->output = opened;
      made->ownsOutput = true;
    }
  }
  return made;
}

int getLogger(const char* name, std::uint64_t* loggerId, std::uint32_t* threshold) noexcept {
  if (name == nullptr || loggerId == nullptr || threshold == nullptr) return -1;
  try {
    std::lock_guard lock(stateMutex);
    if (state == nullptr) return -1;
    auto found = state->ids.find(std::string_view(name));
    if (found == state->ids.end()) {
      state->loggers.push_back({name, state->rules.thresholdFor(name)});
      found = state->ids.emplace(name, state->loggers.size()).first;
    }
    *loggerId = found->second;
    *threshold = state->loggers[found->second - 1].threshold;
    return 0;
  } catch (...) {
    return -1;
  }
}

void log(std::uint64_t loggerId, std::uint32_t level, const char* text, std::uint64_t,
         std::uint64_t) noexcept {
  if (text == nullptr) return;
  std::lock_guard lock(stateMutex);
  if (state == nullptr || loggerId == 0 || loggerId > state->loggers.size()) return;
  std::fprintf(state->output, "%s [%u] %s\n", state->loggers[loggerId - 1].name.c_str(),
               static_cast<unsigned>(level), text);
  std::fflush(state->output);
}

int attach(void* facility, LoggingDetachCallback detachCallback,
           LoggingSetLevelCallback setLevelCallback, LoggingGetLoggerFunction* getLoggerField,
           LoggingLogFunction* logField) noexcept {
  if (facility == nullptr || getLoggerField == nullptr || logField == nullptr) return -1;
  try {
    std::lock_guard lock(stateMutex);
    if (state == nullptr) state = makeState().release();
    for (const AttachedFacility& attached : state->facilities) {
      if (attached.facility == facility) return -1;
    }
    state->facilities.push_back({facility, detachCallback, setLevelCallback});
    *getLoggerField = &getLogger;
    *logField = &log;
    return 0;
  } catch (...) {
    return -1;
  }
}

void detach(void* facility, const LoggingDispatcherDescriptor*) noexcept {
  std::lock_guard lock(stateMutex);
  if (state == nullptr) return;
  std::erase_if(state->facilities, [facility](const AttachedFacility& attached) {
    return attached.facility == facility;
  });
  if (state->facilities.empty()) {
    delete state;
    state = nullptr;
  }
}

int setLevel(const char* name, std::uint32_t level) noexcept {
  if (name == nullptr) return -1;
  try {
    std::uint64_t id = 0;
    std::vector<AttachedFacility> facilities;
    {
      std::lock_guard lock(stateMutex);
      if (state == nullptr || state->facilities.empty()) return -1;
      const auto found = state->ids.find(std::string_view(name));
      if (found == state->ids.end()) return -1;
      id = found->second;
      state->loggers[id - 1].threshold = level;
      facilities = state->facilities;
    }
    // Outside the lock: the facility takes locks of its own.
    for (const AttachedFacility& attached : facilities) {
      if (attached.setLevel != nullptr) attached.setLevel(id, level);
    }
    return 0;
  } catch (...) {
    return -1;
  }
}

// Runs when the library is unloaded; a facility still attached then is told that the
// dispatcher goes away.
__attribute__((destructor)) void unloadDispatcher() {
  State* last = nullptr;
  std::vector<AttachedFacility> facilities;
  {
    std::lock_guard lock(stateMutex);
    last = state;
    state = nullptr;
    if (last != nullptr) facilities.swap(last->facilities);
  }
  for (const AttachedFacility& attached : facilities) {
    if (attached.detach != nullptr) attached.detach();
  }
  delete last;
}

}  // namespace

}  // namespace brenvik::dispatcher

extern "C" {

DISPATCHER_EXPORT extern const LoggingDispatcherDescriptor logging_dispatcher_descriptor;
const LoggingDispatcherDescriptor logging_dispatcher_descriptor = {&brenvik::dispatcher::attach,
                                                                   &brenvik::dispatcher::detach};

DISPATCHER_EXPORT int common_logging_dispatcher_set_level(const char* name, std::uint32_t level) {
  return brenvik::dispatcher::setLevel(name, level);
}

}  // extern "C"
