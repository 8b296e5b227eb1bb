// The simulated board as tests see it: board handles of their own and the journal of the
// writes that reached the hardware.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik::test {

// A board handle that no other test of this process uses.
std::uint64_t freshBoard();

// The writes journaled on a board, oldest first, one "name type value result" line each.
std::vector<std::string> journal(std::uint64_t board);

// The journal's lines with `prefix` taken off the names that start with it.
std::vector<std::string> withoutPrefix(std::vector<std::string> lines,
                                       std::string_view prefix = "Device1_Process0_");

// The writes since the journal was last cleared, without the image process's prefix; the
// journal starts over.
std::vector<std::string> takeWrites(std::uint64_t board);

}  // namespace brenvik::test
