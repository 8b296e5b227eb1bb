// A set allocates nothing on its way through the applet. The board journals scalar writes
// without allocating, so every allocation counted around such a set would be the applet's.
#include <atomic>
#include <cstdlib>
#include <new>

#include "SetPathFixture.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// Counts every allocation of the test program and of the libraries it loads. The replacement
// pairs malloc with free, which the compiler cannot see once it inlines delete expressions.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

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
    const long before = allocations.load();
    const int result = Fg_setParameterWithType(&handle_, c.id, &value, 0, 2);
    const long counted = allocations.load() - before;
    EXPECT_EQ(result, c.result) << c.id;
    EXPECT_EQ(counted, 0) << c.id;
  }
}

}  // namespace
}  // namespace brenvik::test
