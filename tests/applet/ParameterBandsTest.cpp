// Parameter ids by band: direct registers (with VURN_ENABLE_DRA), direct hardware
// parameters, and SDK ids, which the get and set paths answer.
#include "AppletFixture.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/HardwareAppletRuntime.h"

namespace brenvik::test {
namespace {

using ParameterBands = AppletTest;

TEST_F(ParameterBands, SdkIdsAreReadAndSetOnDmaZero) {
  std::uint32_t value = 7;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, 100, &value, 0, 2), 0);
  EXPECT_EQ(value, 1024u);
  value = 512;
  EXPECT_EQ(Fg_setParameterWithType(&handle_, 100, &value, 0, 2), 0);
  EXPECT_EQ(Fg_setParameterWithType(&handle_, 100, &value, 1, 2), -2070);
  // Without direct register access a register id is an unknown SDK id.
  EXPECT_EQ(Fg_setParameterWithType(&handle_, 1000005, &value, 0, 2), -2070);
  EXPECT_EQ(Fg_getParameterWithType(&handle_, 1000005, &value, 0, 2), -2070);
  EXPECT_EQ(lastError(), -2070);
  value = 0;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, 100, &value, 0, 2), 0);
  EXPECT_EQ(value, 512u);
  EXPECT_EQ(Fg_getNrOfParameter(&handle_),
            static_cast<int>(parameters::kSdkParameterCount));
}

// Above 2000000 an id is the SDK runtime's own, passed with the caller's DMA index and type:
// the runtime's time-out (600) is written there without touching the applet's FG_TIMEOUT.
TEST_F(ParameterBands, DirectParameterIdsGoToTheRuntime) {
  std::uint64_t value = 0;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, 2000600, &value, 0, 4), 0);
  EXPECT_EQ(value, 1000000u);
  const std::uint32_t timeout = 4711;
  ASSERT_EQ(Fg_setParameterWithType(&handle_, 2000600, &timeout, 0, 2), 0);
  std::uint32_t stored = 0;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, 2000600, &stored, 0, 2), 0);
  EXPECT_EQ(stored, 4711u);
  ASSERT_EQ(Fg_getParameterWithType(&handle_, 600, &stored, 0, 2), 0);
  EXPECT_EQ(stored, 1000000u);
  // The runtime's own parameters know DMA 0 only; its refusal is the result.
  EXPECT_EQ(Fg_getParameterWithType(&handle_, 2000600, &stored, 1, 2), -2070);
  EXPECT_EQ(lastError(), -2070);
}

using DirectRegisterVariant = AppletTest;

// Finds a register of the design by width and writability.
std::uint32_t findRegister(void* hap, std::uint32_t width, bool writable) {
  for (std::int32_t n = 1; n <= Molvrt_RegisterCount(hap); ++n) {
    const std::uint32_t id = Molvrt_RegisterId(hap, Molvrt_RegisterName(hap, n));
    if (Molvrt_RegisterWidth(hap, id) == width && (Molvrt_RegisterFlag(hap, id) != 0) == writable) {
      return id;
    }
  }
  return 0;
}

TEST_F(DirectRegisterVariant, RegistersAreReadAndWrittenAtTheirWidth) {
  std::uint64_t hapValue = 0;
  ASSERT_EQ(Info(0x1040, 0, 0, &hapValue, nullptr), 0);
  void* hap = reinterpret_cast<void*>(hapValue);
  const std::uint32_t wide = findRegister(hap, 64, true);
  const std::uint32_t narrow = findRegister(hap, 32, true);
  ASSERT_NE(wide, 0u);
  ASSERT_NE(narrow, 0u);

  const std::uint64_t big = 0x123456789ABCDEF0ull;
  ASSERT_EQ(Fg_setParameterWithType(&handle_, static_cast<int>(1000000 + wide), &big, 0, 4), 0);
  std::uint64_t read = 0;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, static_cast<int>(1000000 + wide), &read, 0, 4), 0);
  EXPECT_EQ(read, big);

  // A 32-bit register takes the low 32 bits of the caller's value and writes back 32 bits.
  const std::uint32_t small = 0xCAFE0001u;
  ASSERT_EQ(Fg_setParameterWithType(&handle_, static_cast<int>(1000000 + narrow), &small, 0, 2), 0);
  std::uint64_t pattern = ~0ull;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, static_cast<int>(1000000 + narrow), &pattern, 0, 2), 0);
  EXPECT_EQ(pattern, 0xFFFFFFFF00000000ull | small);
}

TEST_F(DirectRegisterVariant, TheRegisterLibrarysRefusalIsTheResult) {
  std::uint64_t hapValue = 0;
  Info(0x1040, 0, 0, &hapValue, nullptr);
  const std::uint32_t readOnly = findRegister(reinterpret_cast<void*>(hapValue), 32, false);
  ASSERT_NE(readOnly, 0u);
  const std::uint32_t value = 1;
  const int result = Fg_setParameterWithType(&handle_, static_cast<int>(1000000 + readOnly), &value, 0, 2);
  EXPECT_LT(result, 0);
  EXPECT_EQ(lastError(), result);
}

}  // namespace
}  // namespace brenvik::test
