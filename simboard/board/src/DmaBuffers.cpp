// The memory of a buffer set.
#include "DmaBuffers.h"

namespace brenvik::simboard {

BufferSet::BufferSet(std::shared_ptr<Board> board, std::uint32_t count, std::uint64_t bytes)
    : board_(std::move(board)),
      bytes_(bytes),
      memory_(new std::byte[count * bytes]()),
      slots_(count) {}

bool BufferSet::anyLent() const {
  for (const Slot& slot : slots_) {
    if (slot.lent) return true;
  }
  return false;
}

void BufferSet::clear() {
  for (Slot& slot : slots_) slot = Slot();
}

}  // namespace brenvik::simboard
