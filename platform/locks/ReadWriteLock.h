// ReadWriteLock: many readers or one writer, a waiting writer keeping new readers out.
#pragma once

#include <cstdint>

#include "platform/os/NativeSync.h"

namespace vurn::templates::platform {

// Readers proceed together; a writer waits until every reader has left and, while it waits,
// no new reader gets in (writers take precedence). One unlock() ends either mode. Not
// re-entrant: a thread holding the lock must not lock it again in any mode.
// Thread-safety: shared between threads; blocks without time limit.
class ReadWriteLock {
 public:
  ReadWriteLock();
  virtual ~ReadWriteLock() = default;
  ReadWriteLock(const ReadWriteLock&) = delete;
  ReadWriteLock& operator=(const ReadWriteLock&) = delete;

  void lockRead();
  void lockWrite();
  // Ends the caller's read or write hold; without any hold it does nothing.
  void unlock();

  // Snapshots of the counters (diagnostics and tests).
  std::uint32_t readerCount();
  std::uint32_t waitingWriterCount();
  bool isWriterActive();

 private:
  std::uint32_t readers_ = 0;
  std::uint32_t waitingWriters_ = 0;
  bool writerActive_ = false;
  ::brenvik::platform::NativeEvent noReaders_;
  ::brenvik::platform::NativeEvent noWriter_;
  ::brenvik::platform::NativeCriticalSection counters_;
};

}  // namespace vurn::templates::platform
