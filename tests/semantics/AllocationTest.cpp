// A set allocates nothing on its way through the applet, and neither does a get of a stored
// value. The board journals scalar writes without allocating, so every allocation counted
// around such a set would be the applet's.
#include "AllocationCount.h"
#include "SetPathFixture.h"

namespace brenvik::test {
namespace {

using Allocations = SetPathTest;

TEST_F(Allocations, SetsOfScalarHardwareParametersAllocateNothing) {
  struct Case {
    std::int32_t id;
    std::uint32_t value;
    int result;
  };
  const Case cases[] = {
      {sdkId("FG_IMG_SELECT"), 0, 0},
      {sdkId("FG_FORMAT"), 21, 0},
      {sdkId("FG_CUSTOM_BIT_SHIFT_RIGHT"), 3, 0},  // through the alignment and the format
      {sdkId("FG_TIMEOUT"), 5000, 0},
      {sdkId("FG_WIDTH"), 1020, -7080},
      {sdkId("FG_PIXELDEPTH"), 8, -12},
      {12345, 0, -2070},
  };
  for (const Case& c : cases) {
    std::uint32_t value = c.value;
    const long before = allocationCount();
    const int result = Fg_setParameterWithType(&handle_, c.id, &value, 0, 2);
    const long counted = allocationCount() - before;
    EXPECT_EQ(result, c.result) << c.id;
    EXPECT_EQ(counted, 0) << c.id;
  }
}

TEST_F(Allocations, GetsOfStoredValuesAllocateNothing) {
  const long before = allocationCount();
  EXPECT_EQ(get(sdkId("FG_WIDTH")), 1024u);
  EXPECT_EQ(get(sdkId("FG_TIMEOUT")), get(sdkId("FG_TIMEOUT")));
  EXPECT_EQ(getDouble(sdkId("FG_PROCESSING_GAMMA")), 1.0);
  EXPECT_EQ(allocationCount() - before, 0);
}

}  // namespace
}  // namespace brenvik::test
