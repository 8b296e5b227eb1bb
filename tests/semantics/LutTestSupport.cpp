// The lookup table as the tests expect it.
#include "LutTestSupport.h"

#include <cmath>
#include <cstdint>

namespace brenvik::test {

Table expectedTable(double offset, double gain, double gamma, std::uint32_t invert) {
  Table table{};
  for (int i = 0; i < 1024; ++i) {
    const double x = (i / 1023.0 + offset) * gain;
    std::int64_t entry = 0;
    if (x >= 0) {
      const double product = std::pow(x, 1.0 / gamma) * 1023 + 0.5;
      // Out of the 32-bit range or not a number: the processor's "integer indefinite".
      entry = std::isfinite(product) && std::trunc(product) < 2147483648.0
                  ? static_cast<std::int64_t>(std::trunc(product))
                  : INT32_MIN;
    }
    if (invert == 1) entry = static_cast<std::int32_t>(static_cast<std::uint32_t>(1023 - entry));
    table[static_cast<std::size_t>(i)] =
        static_cast<std::uint32_t>(entry < 0 ? 0 : (entry > 1023 ? 1023 : entry));
  }
  return table;
}

Table identityTable() {
  Table table{};
  for (std::uint32_t i = 0; i < table.size(); ++i) table[i] = i;
  return table;
}

std::string tableWrite(const Table& table, int result) {
  std::string line = "LookupTable_LookupTable_LUTcontent 4096 0:";
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (i > 0) line += ',';
    line += std::to_string(table[i]);
  }
  return line + " " + std::to_string(result);
}

}  // namespace brenvik::test
