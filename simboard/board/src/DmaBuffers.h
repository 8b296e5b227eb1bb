// DMA buffers that the control interface allocates for one board. An acquisition fills
// them in turn (picture k lands in buffer (k - 1) mod count); each buffer remembers which
// picture it holds and whether the application has read it. The state is touched only
// under the owning board's mutex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "FrameRenderer.h"

namespace brenvik::simboard {

class Board;

class BufferSet {
 public:
  struct Slot {
    std::int64_t picture = 0;  // 0: none yet
    bool unread = false;
    bool lent = false;         // borrowed in place: new pictures pass it by, lost
    std::int64_t passedBy = 0;  // newest picture lost while the buffer was lent
    FrameGeometry geometry;
  };

  // Throws std::bad_alloc when the memory is not there.
  BufferSet(std::shared_ptr<Board> board, std::uint32_t count, std::uint64_t bytes);

  Board& board() const { return *board_; }
  std::uint32_t count() const { return static_cast<std::uint32_t>(slots_.size()); }
  std::uint64_t bytes() const { return bytes_; }
  std::byte* data(std::uint32_t index) { return memory_.get() + index * bytes_; }
  Slot& slot(std::uint32_t index) { return slots_[index]; }
  // Forgets every picture (a new acquisition starts).
  void clear();
  bool anyLent() const;

 private:
  std::shared_ptr<Board> board_;
  std::uint64_t bytes_;
  std::unique_ptr<std::byte[]> memory_;
  std::vector<Slot> slots_;
};

using BufferSetPtr = std::shared_ptr<BufferSet>;

// Largest buffer set the board hands out, in bytes, and most buffers in one set.
inline constexpr std::uint64_t kMostBufferBytes = std::uint64_t{4} << 30;
inline constexpr std::uint32_t kMostBuffers = 4096;

}  // namespace brenvik::simboard
