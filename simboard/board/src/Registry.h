// Process-wide registries: boards by board handle (created on first use), open design
// handles, live runtime handles, and the process-wide error states. Handles are opaque
// tokens, never addresses, so a stale handle is recognised instead of dereferenced.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>

#include "Board.h"
#include "Design.h"
#include "DmaBuffers.h"

namespace brenvik::simboard {

// One runtime handle: the board it was initialised on, its last error and the strings it
// handed out (released with the handle at the latest).
class RuntimeSession {
 public:
  explicit RuntimeSession(std::shared_ptr<Board> board) : board_(std::move(board)) {}
  ~RuntimeSession();
  RuntimeSession(const RuntimeSession&) = delete;
  RuntimeSession& operator=(const RuntimeSession&) = delete;

  Board& board() const { return *board_; }
  std::int32_t lastError() const { return lastError_.load(std::memory_order_relaxed); }
  std::int32_t setLastError(std::int32_t code) {
    // Only the value matters, not its order with other memory: no fence on every call.
    lastError_.store(code, std::memory_order_relaxed);
    return code;
  }
  // Remembers a handed-out string; frees it and returns false when that is not possible.
  bool keepString(char* text);
  // Frees a string this handle handed out; false for any other address.
  bool releaseString(char* text);
  // Frees every string still handed out (when the handle is freed).
  void releaseStrings();

 private:
  std::shared_ptr<Board> board_;
  std::atomic<std::int32_t> lastError_{0};
  std::mutex stringsMutex_;
  std::unordered_set<char*> strings_;
};

std::shared_ptr<Board> boardFor(std::uint64_t handle);

void* registerSession(std::shared_ptr<RuntimeSession> session);
std::shared_ptr<RuntimeSession> findSession(const void* handle);
namespace session_cache {
// Counts every registration and removal of a runtime handle.
extern constinit std::atomic<std::uint64_t> changes;
// The session a thread found last. Trivially destructible: where thread-local storage is
// emulated (the MinGW runtime), a thread's block can be freed before the destructors of its
// thread_local objects run. The session itself is kept alive in the registries instead.
struct Entry {
  const void* handle = nullptr;
  std::uint64_t changes = ~std::uint64_t{0};
  RuntimeSession* session = nullptr;
};
extern constinit thread_local Entry entry;
// Looks the handle up, fills `cache` and keeps the session alive for the calling thread.
RuntimeSession* refresh(Entry& cache, const void* handle, std::uint64_t count);
}  // namespace session_cache

// The session of a live handle, or null; valid on the calling thread until its next call of
// this function (a per-thread cache keeps it alive), found without a lock while no handle has
// been registered or removed since the thread last asked. Inline: every runtime call asks.
inline RuntimeSession* cachedSession(const void* handle) {
  if (handle == nullptr) return nullptr;
  // The thread's block is looked up once: in a library that is loaded at run time every
  // access to a thread_local goes through the C library's lookup.
  session_cache::Entry& cache = session_cache::entry;
  const std::uint64_t count = session_cache::changes.load(std::memory_order_acquire);
  if (cache.handle == handle && cache.changes == count) return cache.session;
  return session_cache::refresh(cache, handle, count);
}
std::shared_ptr<RuntimeSession> removeSession(const void* handle);
std::int32_t sessionCount();

void* registerDesign(DesignPtr design);
DesignPtr findDesign(const void* handle);
bool removeDesign(const void* handle);
std::int32_t designCount();

void* registerBuffers(BufferSetPtr buffers);
BufferSetPtr findBuffers(const void* handle);
BufferSetPtr removeBuffers(const void* handle);
std::int32_t bufferSetCount();

void setLastInitError(std::int32_t code);
std::int32_t lastInitError();
void setLastDesignError(std::string message);
std::string lastDesignError();
std::int32_t outstandingStrings();

}  // namespace brenvik::simboard
