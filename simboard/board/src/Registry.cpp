// The process-wide registries of boards, design handles and runtime handles.
#include "Registry.h"

#include <cstdlib>
#include <map>
#include <thread>
#include <unordered_map>

namespace brenvik::simboard {

namespace {

std::atomic<std::int32_t> stringsOut{0};

// Tokens count up in steps of 16 from an odd-looking base, so they are never null, never
// reused within a process, and easy to spot in a debugger.
std::atomic<std::uintptr_t> nextToken{0x5b0000};

void* newToken() { return reinterpret_cast<void*>(nextToken.fetch_add(16)); }

template <typename T>
struct TokenTable {
  std::mutex mutex;
  std::unordered_map<const void*, T> entries;

  void* add(T value) {
    void* token = newToken();
    std::lock_guard lock(mutex);
    entries.emplace(token, std::move(value));
    return token;
  }
  T find(const void* token) {
    std::lock_guard lock(mutex);
    auto found = entries.find(token);
    return found == entries.end() ? T() : found->second;
  }
  T remove(const void* token) {
    std::lock_guard lock(mutex);
    auto found = entries.find(token);
    if (found == entries.end()) return T();
    T value = std::move(found->second);
    entries.erase(found);
    return value;
  }
  std::int32_t size() {
    std::lock_guard lock(mutex);
    return static_cast<std::int32_t>(entries.size());
  }
};

// The registries live for the whole process and are never destroyed, so exports called
// from other libraries' destructors at exit still find them.
struct Registries {
  std::mutex boardsMutex;
  std::unordered_map<std::uint64_t, std::shared_ptr<Board>> boards;
  TokenTable<std::shared_ptr<RuntimeSession>> sessions;
  TokenTable<DesignPtr> designs;
  TokenTable<BufferSetPtr> buffers;
  std::atomic<std::int32_t> lastInitError{0};
  std::mutex designErrorMutex;
  std::string lastDesignError;
  // The session each thread last looked up through its cache, kept alive until that
  // thread's next lookup.
  std::mutex keptMutex;
  std::map<std::thread::id, std::shared_ptr<RuntimeSession>> kept;
};

Registries& registries() {
  static Registries* instance = new Registries();
  return *instance;
}

}  // namespace

RuntimeSession::~RuntimeSession() { releaseStrings(); }

void RuntimeSession::releaseStrings() {
  std::lock_guard lock(stringsMutex_);
  for (char* text : strings_) {
    std::free(text);
    stringsOut.fetch_sub(1);
  }
  strings_.clear();
}

bool RuntimeSession::keepString(char* text) {
  try {
    std::lock_guard lock(stringsMutex_);
    strings_.insert(text);
  } catch (...) {
    std::free(text);
    return false;
  }
  stringsOut.fetch_add(1);
  return true;
}

bool RuntimeSession::releaseString(char* text) {
  {
    std::lock_guard lock(stringsMutex_);
    if (strings_.erase(text) == 0) return false;
  }
  std::free(text);
  stringsOut.fetch_sub(1);
  return true;
}

std::shared_ptr<Board> boardFor(std::uint64_t handle) {
  Registries& all = registries();
  std::lock_guard lock(all.boardsMutex);
  std::shared_ptr<Board>& board = all.boards[handle];
  if (!board) board = std::make_shared<Board>();
  return board;
}

void* registerSession(std::shared_ptr<RuntimeSession> session) {
  void* handle = registries().sessions.add(std::move(session));
  session_cache::changes.fetch_add(1, std::memory_order_release);
  return handle;
}

std::shared_ptr<RuntimeSession> findSession(const void* handle) {
  if (handle == nullptr) return nullptr;
  return registries().sessions.find(handle);
}

std::shared_ptr<RuntimeSession> removeSession(const void* handle) {
  if (handle == nullptr) return nullptr;
  std::shared_ptr<RuntimeSession> session = registries().sessions.remove(handle);
  if (session) session_cache::changes.fetch_add(1, std::memory_order_release);
  // A thread's cache may keep the session a while longer; its strings go now.
  if (session) session->releaseStrings();
  return session;
}

namespace session_cache {

constinit std::atomic<std::uint64_t> changes{0};
constinit thread_local Entry entry;

RuntimeSession* refresh(Entry& cache, const void* handle, std::uint64_t count) {
  std::shared_ptr<RuntimeSession> session = findSession(handle);
  cache.session = session.get();
  cache.handle = handle;
  cache.changes = count;
  Registries& all = registries();
  std::lock_guard lock(all.keptMutex);
  all.kept[std::this_thread::get_id()] = std::move(session);
  return cache.session;
}

}  // namespace session_cache

std::int32_t sessionCount() { return registries().sessions.size(); }

void* registerDesign(DesignPtr design) { return registries().designs.add(std::move(design)); }

DesignPtr findDesign(const void* handle) {
  if (handle == nullptr) return nullptr;
  return registries().designs.find(handle);
}

bool removeDesign(const void* handle) {
  if (handle == nullptr) return false;
  return registries().designs.remove(handle) != nullptr;
}

std::int32_t designCount() { return registries().designs.size(); }

void setLastInitError(std::int32_t code) { registries().lastInitError.store(code); }
std::int32_t lastInitError() { return registries().lastInitError.load(); }

void setLastDesignError(std::string message) {
  Registries& all = registries();
  std::lock_guard lock(all.designErrorMutex);
  all.lastDesignError = std::move(message);
}

std::string lastDesignError() {
  Registries& all = registries();
  std::lock_guard lock(all.designErrorMutex);
  return all.lastDesignError;
}

std::int32_t outstandingStrings() { return stringsOut.load(); }

}  // namespace brenvik::simboard

namespace brenvik::simboard {

void* registerBuffers(BufferSetPtr buffers) { return registries().buffers.add(std::move(buffers)); }

BufferSetPtr findBuffers(const void* handle) {
  if (handle == nullptr) return nullptr;
  return registries().buffers.find(handle);
}

BufferSetPtr removeBuffers(const void* handle) {
  if (handle == nullptr) return nullptr;
  return registries().buffers.remove(handle);
}

std::int32_t bufferSetCount() { return registries().buffers.size(); }

}  // namespace brenvik::simboard
