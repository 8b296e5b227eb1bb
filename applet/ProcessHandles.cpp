// Process-wide record of the last created board and hardware-applet handles.
#include "applet/ProcessHandles.h"

#include <atomic>

namespace brenvik {

namespace {
// Plain process-wide values; relaxed atomics keep concurrent creations free of data races
// while the later write still wins.
std::atomic<std::uint64_t> gLastBoardHandle{0};
std::atomic<std::uint64_t> gLastAppletHandle{0};
}  // namespace

void recordCreatedHandles(std::uint64_t boardHandle, void* hapHandle) {
  if (boardHandle != 0) gLastBoardHandle.store(boardHandle, std::memory_order_relaxed);
  const auto hap = reinterpret_cast<std::uintptr_t>(hapHandle);
  if (hap != 0) gLastAppletHandle.store(hap, std::memory_order_relaxed);
}

std::uint64_t lastBoardHandle() { return gLastBoardHandle.load(std::memory_order_relaxed); }

std::uint64_t lastAppletHandle() { return gLastAppletHandle.load(std::memory_order_relaxed); }

}  // namespace brenvik
