// The lookup table as the tests expect it: the processing formula written out here, apart
// from the applet's, and the journal line of a whole-table write.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace brenvik::test {

using Table = std::array<std::uint32_t, 1024>;

// The table for offset, gain, gamma and invert (0 or 1).
Table expectedTable(double offset, double gain, double gamma, std::uint32_t invert);

// Entry i = i: the table of the initial processing values.
Table identityTable();

// The journal line of a whole-table write of `table` with result `result`.
std::string tableWrite(const Table& table, int result = 0);

}  // namespace brenvik::test
