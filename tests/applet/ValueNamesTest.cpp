// The value-name table: complete, exact, and built once.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "applet/Info.h"
#include "parameters/Enumerations.h"

namespace brenvik {
namespace {

TEST(ValueNames, HoldsEveryNameOnceWithItsNumber) {
  // Every entry of every list, each symbol once (the lists that share a symbol agree on it).
  std::set<std::string> symbols;
  for (const parameters::EnumerationList* list : parameters::enumerations::kAll) {
    for (const parameters::EnumerationEntry& entry : list->entries) {
      symbols.insert(entry.name);
      EXPECT_EQ(info::valueOfName(entry.name), entry.value) << entry.name;
    }
  }
  EXPECT_EQ(info::valueNameCount(), symbols.size());
  const std::pair<const char*, std::int32_t> samples[] = {
      {"FG_YES", 1}, {"FG_POCL_DISABLED", 8}, {"FG_GEOMETRY_10X", 0xA100000},
      {"FG_GRAY16", 1}, {"RISING_EDGE_TRIGGERS_FRAME", 9}, {"TS_SYNC_STOP", 2},
      {"TRGINSRC_GPI_0", 0}, {"TRGINSRC_GPI_7", 7}, {"TRGINSRC_FRONT_GPI_0", 16},
      {"CAM_A_PULSEGEN3", 53}, {"BYPASS_GPI_6", 16}, {"NOT_BYPASS_FRONT_GPI_0", 40},
      {"PULSEGEN0", 0}, {"NOT_PULSEGEN3", 9}, {"VCC", 5}, {"GND", 4}};
  for (const auto& [name, value] : samples) {
    EXPECT_EQ(info::valueOfName(name), value) << name;
  }
  for (const char* missing : {"TRGINSRC_GPI_8", "PULSEGEN4", "FG_GEOMETRY_1x8", "VCC "}) {
    EXPECT_FALSE(info::valueOfName(missing)) << missing;
  }
}

}  // namespace
}  // namespace brenvik
