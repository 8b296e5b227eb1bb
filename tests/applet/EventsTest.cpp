// Events through the exports: SDK names and hardware names against the hardware applet's
// own numbering, and masks back to names.
#include <set>
#include <string>

#include "AppletFixture.h"
#include "applet/EventTables.h"
#include "runtime/HardwareAppletRuntime.h"

namespace brenvik::test {
namespace {

class Events : public AppletTest {
 protected:
  // The mask that the hardware-applet runtime gives an event name: 2^n for its number n.
  std::uint64_t numberedMask(std::string_view name) {
    std::uint64_t hap = 0;
    EXPECT_EQ(Info(0x1040, 0, 0, &hap, nullptr), 0);
    for (std::uint32_t n = 0; n < kEventLimit; ++n) {
      const MolvrtEventDescriptor* event = Molvrt_EventDescriptor(reinterpret_cast<void*>(hap), n);
      if (event == nullptr) break;
      if (name == event->name) return std::uint64_t{1} << n;
    }
    return 0;
  }
};

TEST_F(Events, EverySdkNameHasTheMaskOfItsHardwareEvent) {
  std::set<std::uint64_t> masks;
  for (const EventAlias& alias : kEventAliases) {
    const std::string name(alias.sdkName);
    const std::uint64_t mask = Fg_getEventMask(&handle_, name.c_str());
    ASSERT_NE(mask, 0u) << name;
    EXPECT_EQ(lastError(), 0);
    EXPECT_EQ(mask, numberedMask(alias.hardwareName)) << name;
    EXPECT_STREQ(Fg_getEventName(&handle_, mask), name.c_str());
    masks.insert(mask);
  }
  EXPECT_EQ(masks.size(), kEventAliases.size());
}

TEST_F(Events, HardwareNamesOfPublishedEventsAreKnownToo) {
  // Aliased: found under both names; the mask names the SDK event.
  const char* frameEnd = "Device1_Process1_Trigger_Monitoring_FVALEvents_Cam0_FrameEnd";
  EXPECT_EQ(Fg_getEventMask(&handle_, frameEnd),
            Fg_getEventMask(&handle_, "FG_END_OF_FRAME_CAM_PORT_0"));
  // Published without an alias: the mask names the hardware event.
  const char* transferDone = "Device1_Process0_Dma_TransferDone";
  const std::uint64_t mask = Fg_getEventMask(&handle_, transferDone);
  ASSERT_EQ(mask, numberedMask(transferDone));
  EXPECT_STREQ(Fg_getEventName(&handle_, mask), transferDone);
  // Not published (kind 0): neither its name nor its mask is known.
  const char* transferStarted = "Device1_Process0_Dma_TransferStarted";
  EXPECT_EQ(Fg_getEventMask(&handle_, transferStarted), 0u);
  EXPECT_EQ(lastError(), -2070);
  EXPECT_EQ(Fg_getEventName(&handle_, numberedMask(transferStarted)), nullptr);
  EXPECT_EQ(lastError(), -2070);
}

TEST_F(Events, OnlySingleBitsNameAnEvent) {
  const std::uint64_t frameStart = Fg_getEventMask(&handle_, "FG_START_OF_FRAME_CAM_PORT_0");
  const std::uint64_t frameEnd = Fg_getEventMask(&handle_, "FG_END_OF_FRAME_CAM_PORT_0");
  EXPECT_EQ(Fg_getEventName(&handle_, frameStart | frameEnd), nullptr);
  EXPECT_EQ(Fg_getEventName(&handle_, std::uint64_t{1} << 63), nullptr);
  EXPECT_EQ(Fg_getEventMask(&handle_, "fg_start_of_frame_cam_port_0"), 0u)
      << "names keep their case";
}

}  // namespace
}  // namespace brenvik::test
