// The value-name table: complete, exact, and built once.
#include <gtest/gtest.h>

#include "applet/Info.h"

namespace brenvik {
namespace {

TEST(ValueNames, HoldsEveryNameOnceWithItsNumber) {
  EXPECT_EQ(info::valueNameCount(), 113u);
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
