// Applets created from a modified copy of the design file (in a process of its own, with
// the external design forced and the applet's level-4 messages in a log file): a hardware
// parameter missing, and events in another order with one of them missing.

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "AppletFixture.h"
#include "LogLines.h"
#include "DesignCopy.h"
#include "applet/EventTables.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/HardwareAppletRuntime.h"

namespace brenvik::test {
namespace {

using parameters::sdkId;
using Lines = std::vector<std::string>;

class ModifiedDesign : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::getenv("BRENVIK_LOG_FILE"), nullptr);
    logStart_ = logText().size();
  }
  void TearDown() override {
    if (handle_.applet != nullptr) {
      EXPECT_EQ(Fg_FreeGrabber(&handle_), 0);
    }
  }

  // Writes the design with its lines as they are now and creates the applet from it.
  void create() {
    design_.write();
    std::int32_t code = -1;
    handle_.applet = Std_entry(freshBoard(), &code, 0);
    ASSERT_EQ(code, 0);
    ASSERT_NE(handle_.applet, nullptr);
  }
  void removeLineStartingWith(const std::string& start) { design_.removeLineStartingWith(start); }
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

  DesignCopy design_;
  Lines& lines_ = design_.lines();
  std::size_t logStart_ = 0;
  AppletHandle handle_{nullptr};
};

TEST_F(ModifiedDesign, AMissingHardwareParameterFailsOnlyWhatNeedsIt) {
  removeLineStartingWith("parameter Device1_Process0_BoardStatus_FpgaTemperature ");
  create();
  EXPECT_EQ(countLogged(logStart_,
                        "cannot retrieve Tolq id for Tolq parameter: "
                        "'Device1_Process0_BoardStatus_FpgaTemperature'"),
            1);
  EXPECT_EQ(countLoggedStartingWith(logStart_, "cannot retrieve Tolq id"), 1);

  double value = -1;
  const int result =
      Fg_getParameterWithType(&handle_, sdkId("FG_SYSTEMMONITOR_FPGA_TEMPERATURE"), &value, 0, 5);
  EXPECT_LT(result, 0);
  EXPECT_EQ(Fg_getLastErrorNumber(&handle_), result);
  ASSERT_EQ(Fg_getParameterWithType(&handle_, sdkId("FG_SYSTEMMONITOR_FPGA_VCC_AUX"), &value, 0, 5),
            0);
  EXPECT_EQ(value, 1.8);
  std::uint32_t width = 0;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, sdkId("FG_WIDTH"), &width, 0, 2), 0);
  EXPECT_EQ(width, 1024u);
}

TEST_F(ModifiedDesign, EventsFollowTheDesignsNumbering) {
  const std::string missing =
      "Device1_Process1_Trigger_Monitoring_MonitoringEvents_Cam0OutputEvent";
  removeLineStartingWith("event " + missing + " ");
  // The events in reverse order: every event gets another number.
  const auto first = std::find_if(lines_.begin(), lines_.end(), [](const std::string& line) {
    return line.starts_with("event ");
  });
  ASSERT_NE(first, lines_.end());
  std::reverse(first, lines_.end());
  create();

  EXPECT_EQ(
      countLogged(logStart_, "cannot retrieve event id for internal event: '" + missing + "'"), 1);
  EXPECT_EQ(countLoggedStartingWith(logStart_, "cannot retrieve event id"), 1);
  for (const EventAlias& alias : kEventAliases) {
    const std::string name(alias.sdkName);
    const std::uint64_t mask = Fg_getEventMask(&handle_, name.c_str());
    if (alias.hardwareName == missing) {
      EXPECT_EQ(mask, 0u);
      EXPECT_EQ(Fg_getLastErrorNumber(&handle_), -2070);
      continue;
    }
    EXPECT_EQ(mask, numberedMask(alias.hardwareName)) << name;
    EXPECT_STREQ(Fg_getEventName(&handle_, mask), name.c_str());
  }
  EXPECT_EQ(Fg_getEventMask(&handle_, "Device1_Process1_Trigger_SoftwareTrigger_PulseAccepted"), 1u)
      << "the last event of the file is number 0 now";
}

}  // namespace
}  // namespace brenvik::test
