// Board handles and journal lines for tests.
#include "BoardJournal.h"

#include <atomic>

#include "simboard/control.h"

namespace brenvik::test {

std::uint64_t freshBoard() {
  static std::atomic<std::uint64_t> next{100};
  return next++;
}

std::vector<std::string> journal(std::uint64_t board) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < simboard_journal_size(board); ++i) {
    SimboardWrite write{};
    if (simboard_journal_entry(board, i, &write) != SIMBOARD_OK) break;
    lines.push_back(std::string(write.name) + " " + std::to_string(write.type) + " " +
                    write.value + " " + std::to_string(write.result));
  }
  return lines;
}

std::vector<std::string> withoutPrefix(std::vector<std::string> lines, std::string_view prefix) {
  for (std::string& line : lines) {
    if (line.starts_with(prefix)) line.erase(0, prefix.size());
  }
  return lines;
}

std::vector<std::string> takeWrites(std::uint64_t board) {
  std::vector<std::string> lines = withoutPrefix(journal(board));
  simboard_journal_clear(board);
  return lines;
}

}  // namespace brenvik::test
