// ReadWriteLock: the admission loops of readers and writers over two manual-reset events.
#include "platform/locks/ReadWriteLock.h"

#include "platform/os/Process.h"

namespace vurn::templates::platform {

namespace {
// Holds the counter section for one scope.
class CounterScope {
 public:
  explicit CounterScope(::brenvik::platform::NativeCriticalSection& section) : section_(section) {
    section_.enter();
  }
  ~CounterScope() { section_.leave(); }
  CounterScope(const CounterScope&) = delete;
  CounterScope& operator=(const CounterScope&) = delete;

 private:
  ::brenvik::platform::NativeCriticalSection& section_;
};
}  // namespace

ReadWriteLock::ReadWriteLock() : noReaders_(true), noWriter_(true) {}

void ReadWriteLock::lockRead() {
  for (;;) {
    noWriter_.wait();
    {
      CounterScope scope(counters_);
      if (!writerActive_ && waitingWriters_ == 0) {
        ++readers_;
        noReaders_.reset();
        return;
      }
    }
    // A writer is waiting but not yet active, so no-writer is still set: let it run.
    ::brenvik::platform::yieldThread();
  }
}

void ReadWriteLock::lockWrite() {
  {
    CounterScope scope(counters_);
    ++waitingWriters_;
  }
  for (;;) {
    noReaders_.wait();
    noWriter_.wait();
    {
      CounterScope scope(counters_);
      if (readers_ == 0 && !writerActive_) {
        --waitingWriters_;
        writerActive_ = true;
        noWriter_.reset();
        return;
      }
    }
    ::brenvik::platform::yieldThread();
  }
}

void ReadWriteLock::unlock() {
  CounterScope scope(counters_);
  if (writerActive_) {
    writerActive_ = false;
    noWriter_.set();
  } else if (readers_ > 0) {
    if (--readers_ == 0) noReaders_.set();
  }
}

std::uint32_t ReadWriteLock::readerCount() {
  CounterScope scope(counters_);
  return readers_;
}

std::uint32_t ReadWriteLock::waitingWriterCount() {
  CounterScope scope(counters_);
  return waitingWriters_;
}

bool ReadWriteLock::isWriterActive() {
  CounterScope scope(counters_);
  return writerActive_;
}

}  // namespace vurn::templates::platform
