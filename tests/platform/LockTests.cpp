// Tests of the lock family: misuse checks, exclusion, re-entry, reader/writer admission and
// spin guards.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "platform/locks/CriticalSectionGuard.h"
#include "platform/locks/ReadWriteLockGuard.h"
#include "platform/locks/RecursiveMutexGuard.h"
#include "platform/locks/SpinLockVariableGuard.h"
#include "platform/os/Process.h"

namespace {

using brenvik::tests::expectLogicError;
using brenvik::tests::onOtherThread;
using vurn::templates::platform::CriticalSection;
using vurn::templates::platform::CriticalSectionGuard;
using vurn::templates::platform::ReadWriteLock;
using vurn::templates::platform::ReadWriteLockGuard;
using vurn::templates::platform::RecursiveMutex;
using vurn::templates::platform::RecursiveMutexGuard;
using vurn::templates::platform::SpinLockVariableGuard;

bool takenByOtherThread(CriticalSection& section) {
  return onOtherThread([&] {
    const bool taken = section.tryAcquire();
    if (taken) section.release();
    return taken;
  });
}

void waitUntil(const std::function<bool()>& condition) {
  while (!condition()) brenvik::platform::yieldThread();
}

TEST(GenericLock, SecondEnterThrowsAndGivesBackOnlyTheSecondHold) {
  CriticalSection section;
  section.enter();
  expectLogicError([&] { section.enter(); },
                   "GenericLock object got lock but is already marked as locked");
  EXPECT_TRUE(section.isHeld());
  EXPECT_FALSE(takenByOtherThread(section));  // the first hold is still there
  section.leave();
  EXPECT_TRUE(takenByOtherThread(section));  // and nothing else is left behind
}

TEST(GenericLock, LeaveWithoutHoldThrowsAndKeepsTheLockUsable) {
  CriticalSection section;
  expectLogicError([&] { section.leave(); }, "GenericLock::leave() called with lock not held");
  section.enter();
  section.leave();
  EXPECT_TRUE(takenByOtherThread(section));
}

TEST(GenericLock, DestroyingAHeldSectionThrows) {
  expectLogicError(
      [] {
        CriticalSection section;
        section.enter();
      },
      "GenericLock object destroyed with lock still held");
}

TEST(GenericLock, BorrowedSectionIsSharedAndOutlivesTheLock) {
  brenvik::platform::NativeCriticalSection native;
  {
    CriticalSection section(native);
    EXPECT_TRUE(section.isBorrowed());
    section.enter();
    EXPECT_FALSE(onOtherThread([&] {
      const bool taken = native.tryEnter();
      if (taken) native.leave();
      return taken;
    }));
    section.leave();
  }
  EXPECT_TRUE(native.tryEnter());
  native.leave();
}

TEST(GenericLock, NestedGuardOnOneSectionThrowsAndTheOuterGuardStillReleases) {
  CriticalSection section;
  {
    CriticalSectionGuard outer(section);
    expectLogicError([&] { CriticalSectionGuard inner(section); },
                     "GenericLock object got lock but is already marked as locked");
    EXPECT_TRUE(outer.ownsLock());
    EXPECT_FALSE(takenByOtherThread(section));
  }
  EXPECT_FALSE(section.isHeld());
  EXPECT_TRUE(takenByOtherThread(section));
}

// Threads that take turns on one section: each increment of the plain counter happens under
// the section, so none is lost, and threads that find it held sleep until a leave wakes them
// (a lost wake-up hangs the test). The holder sometimes yields, so that others do find it
// held and sleep.
TEST(CriticalSection, ExcludesOtherThreadsAndWakesThoseThatWait) {
  CriticalSection section;
  constexpr int kThreads = 4;
  constexpr int kTurns = 20000;
  long counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kTurns; ++i) {
        CriticalSectionGuard guard(section);
        ++counter;
        if (i % 512 == 0) brenvik::platform::yieldThread();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(counter, long{kThreads} * kTurns);
  EXPECT_TRUE(takenByOtherThread(section));
}

TEST(RecursiveMutex, OwnerReentersAndOtherThreadsWaitForTheLastRelease) {
  RecursiveMutex mutex;
  std::atomic<bool> fullyReleased{false};
  std::atomic<bool> otherEntered{false};
  bool releasedBeforeOtherEntered = false;
  std::thread other;
  {
    RecursiveMutexGuard outer(mutex);
    {
      RecursiveMutexGuard inner(mutex);
      EXPECT_EQ(mutex.recursionCount(), 2);
      other = std::thread([&] {
        RecursiveMutexGuard guard(mutex);
        releasedBeforeOtherEntered = fullyReleased.load();
        otherEntered = true;
      });
    }
    EXPECT_EQ(mutex.recursionCount(), 1);
    for (int i = 0; i < 100; ++i) brenvik::platform::yieldThread();
    EXPECT_FALSE(otherEntered.load());
    fullyReleased = true;
  }
  other.join();
  EXPECT_TRUE(releasedBeforeOtherEntered);
  EXPECT_EQ(mutex.recursionCount(), 0);
}

TEST(ReadWriteLock, ReadersProceedTogether) {
  ReadWriteLock lock;
  ReadWriteLockGuard first(lock, ReadWriteLockGuard::kRead);
  const std::uint32_t readersSeen = onOtherThread([&] {
    ReadWriteLockGuard second(lock, ReadWriteLockGuard::kRead);
    return lock.readerCount();
  });
  EXPECT_EQ(readersSeen, 2u);
  EXPECT_EQ(lock.readerCount(), 1u);
}

TEST(ReadWriteLock, WaitingWriterKeepsNewReadersOutUntilItHasBeenThrough) {
  ReadWriteLock lock;
  std::atomic<int> sequence{0};
  int writerTurn = 0;
  int lateReaderTurn = 0;
  std::atomic<bool> lateReaderStarting{false};

  lock.lockRead();
  std::thread writer([&] {
    ReadWriteLockGuard guard(lock, ReadWriteLockGuard::kWrite);
    writerTurn = ++sequence;
  });
  waitUntil([&] { return lock.waitingWriterCount() == 1; });

  std::thread lateReader([&] {
    lateReaderStarting = true;
    ReadWriteLockGuard guard(lock, ReadWriteLockGuard::kRead);
    lateReaderTurn = ++sequence;
  });
  waitUntil([&] { return lateReaderStarting.load(); });
  for (int i = 0; i < 100; ++i) brenvik::platform::yieldThread();
  EXPECT_EQ(sequence.load(), 0);  // neither got in while the first reader is inside
  EXPECT_EQ(lock.readerCount(), 1u);

  lock.unlock();
  writer.join();
  lateReader.join();
  EXPECT_EQ(writerTurn, 1);
  EXPECT_EQ(lateReaderTurn, 2);
}

TEST(ReadWriteLock, WritersExcludeReadersAndEachOther) {
  ReadWriteLock lock;
  std::atomic<std::uint32_t> first{0};
  std::atomic<std::uint32_t> second{0};
  std::atomic<int> tornReads{0};
  std::vector<std::thread> threads;
  for (std::uint32_t t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (std::uint32_t i = 1; i <= 2000; ++i) {
        if ((i + t) % 2 == 0) {
          ReadWriteLockGuard guard(lock, ReadWriteLockGuard::kWrite);
          const std::uint32_t value = t * 10000 + i;
          first.store(value, std::memory_order_relaxed);
          brenvik::platform::yieldThread();
          second.store(value, std::memory_order_relaxed);
        } else {
          ReadWriteLockGuard guard(lock, ReadWriteLockGuard::kRead);
          if (first.load(std::memory_order_relaxed) != second.load(std::memory_order_relaxed)) {
            ++tornReads;
          }
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(tornReads.load(), 0);
  EXPECT_EQ(lock.readerCount(), 0u);
  EXPECT_FALSE(lock.isWriterActive());
}

TEST(ReadWriteLock, GuardModesAndStrayUnlock) {
  ReadWriteLock lock;
  lock.unlock();  // without any hold: no counter goes astray
  EXPECT_EQ(lock.readerCount(), 0u);
  for (std::uint32_t mode : {0u, 3u, 0xFFFFFFFFu}) {
    ReadWriteLockGuard guard(lock, mode);
    EXPECT_FALSE(guard.ownsLock()) << mode;
    EXPECT_EQ(lock.readerCount(), 0u);
    EXPECT_FALSE(lock.isWriterActive());
  }
  {
    ReadWriteLockGuard guard(lock, ReadWriteLockGuard::kRead);
    EXPECT_EQ(lock.readerCount(), 1u);
  }
  {
    ReadWriteLockGuard guard(lock, ReadWriteLockGuard::kWrite);
    EXPECT_TRUE(lock.isWriterActive());
  }
  EXPECT_FALSE(lock.isWriterActive());
  EXPECT_EQ(lock.readerCount(), 0u);
}

TEST(SpinLockVariableGuard, OwnerReentryNeitherSpinsNorReleases) {
  std::atomic<std::uint32_t> spin{0};
  std::atomic<std::uint32_t> owner{0};
  {
    SpinLockVariableGuard outer(&spin, &owner);
    EXPECT_TRUE(outer.ownsLock());
    EXPECT_EQ(owner.load(), brenvik::platform::currentThreadId());
    {
      SpinLockVariableGuard inner(&spin, &owner);
      EXPECT_FALSE(inner.ownsLock());
    }
    EXPECT_EQ(spin.load(), 1u);
    EXPECT_EQ(owner.load(), brenvik::platform::currentThreadId());
  }
  EXPECT_EQ(spin.load(), 0u);
  EXPECT_EQ(owner.load(), 0u);
}

TEST(SpinLockVariableGuard, ExcludesOtherThreads) {
  std::atomic<std::uint32_t> spin{0};
  std::atomic<std::uint32_t> owner{0};
  std::atomic<std::uint32_t> counter{0};  // updated non-atomically below, on purpose
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 5000; ++i) {
        SpinLockVariableGuard guard(&spin, t % 2 == 0 ? &owner : nullptr);
        const std::uint32_t seen = counter.load(std::memory_order_relaxed);
        counter.store(seen + 1, std::memory_order_relaxed);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(counter.load(), 20000u);
  EXPECT_EQ(spin.load(), 0u);
}

}  // namespace
