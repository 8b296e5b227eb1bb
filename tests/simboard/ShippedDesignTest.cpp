// The shipped design: every hardware parameter the applet binds, readable with the type
// code the applet uses; the discovery tables; the events and registers the applet expects.
#include <set>

#include "BoardTestSupport.h"
#include "parameters/HardwareParameters.h"

namespace brenvik::simboard::test {
namespace {

// The type code the applet reads each name with; fields are read one entry at a time.
int typeCodeOf(const std::string& name) {
  for (const char* real :
       {"FpgaTemperature", "FpgaVccInt", "FpgaVccAux", "FpgaVccBram", "PcieCurrentLinkSpeed"}) {
    if (name.ends_with(real)) return runtime::kTypeDouble;
  }
  if (name.ends_with("FpgaDNA")) return runtime::kTypeUint64;
  if (name.find("AppletProperties") != std::string::npos) return runtime::kTypeString;
  if (name.ends_with("TapOrder") || name.ends_with("_Field") || name.ends_with("LUTcontent")) {
    return runtime::kTypeLutEntry;
  }
  return runtime::kTypeUint32;
}

class ShippedDesign : public RuntimeTest {
 protected:
  std::string design() const override { return realDesign(); }
  std::string read(const std::string& name) const { return value(name.c_str()); }
};

// Every name of the applet's own binding table, each a parameter of its own.
TEST_F(ShippedDesign, DescribesEveryBoundParameterWithTheTypeTheAppletReads) {
  const auto& names = parameters::hardwareParameterNames();
  std::set<int> ids;
  for (const std::string name : names) {
    int parameter = id(name.c_str());
    EXPECT_GT(parameter, 0) << name;
    ids.insert(parameter);
    char buffer[1024] = {};
    runtime::LutEntry entry{0, 9};
    void* target = typeCodeOf(name) == runtime::kTypeLutEntry ? static_cast<void*>(&entry) : buffer;
    EXPECT_EQ(Fg_getParameterWithType(runtime_, parameter, target, 0, typeCodeOf(name)), 0) << name;
  }
  EXPECT_EQ(ids.size(), names.size());
  EXPECT_LT(*ids.rbegin(), 600);
}

TEST_F(ShippedDesign, HasPlausibleStatusValuesAndIdentity) {
  EXPECT_EQ(read("Device1_Process0_BoardStatus_FpgaTemperature"), "48.5");
  EXPECT_EQ(read("Device1_Process0_BoardStatus_FpgaVccAux"), "1.8");
  EXPECT_EQ(read("Device1_Process0_BoardStatus_PcieCurrentLinkWidth"), "4");
  EXPECT_EQ(read("Device1_Process0_BoardStatus_PoCLStatePortA"), "7");
  EXPECT_EQ(read("Device1_Process0_Overflow_OverflowOccurred"), "0");
  EXPECT_EQ(read("Device1_Process0_Buffer_0_TapGeometrySorter_TapOrder"), "0,1,2,3,4,5,6,7,8,8");
  EXPECT_EQ(read("Device1_Process0_AppletProperties_AppletUid"),
            std::to_string(Fg_getAppletId(runtime_, 0)));
  std::uint32_t value = 1;
  EXPECT_EQ(set("Device1_Process0_BoardStatus_PcieCurrentLinkWidth", &value, 2),
            SIMBOARD_READ_ONLY);
}

TEST_F(ShippedDesign, DescribesTheOutputFormatAndDebugPoints) {
  const std::string format = "Device1_Process0_OutputFormat_";
  EXPECT_EQ(read(format + "FG_FORMAT_NoOfInputs"), "3");
  EXPECT_EQ(read(format + "FG_FORMAT_MaxBits"), "16");
  const char* inputs[] = {"FG_GRAY", "FG_GRAY10", "FG_GRAY16"};
  for (int i = 0; i < 3; ++i) {
    const std::string digit = std::to_string(i);
    EXPECT_EQ(read(format + "FG_FORMAT_Input" + digit), inputs[i]);
    EXPECT_EQ(read(format + "FG_FORMAT_InputFlag" + digit), "1");
    std::uint32_t on = 1;
    EXPECT_EQ(set((format + "Convert" + digit + "_VirtualTrash_EnableTrash_Value").c_str(), &on, 2),
              0);
  }
  const std::string debug = "Device1_Process0_Debug_";
  ASSERT_EQ(read(debug + "Entries"), "2");
  EXPECT_EQ(read(debug + "Type0"), "Inject");
  EXPECT_EQ(read(debug + "Type1"), "InjectMonitor");
  for (int point = 0; point < 2; ++point) {
    const std::string path = "Device1_Process0_" + read(debug + "Path" + std::to_string(point));
    std::uint64_t pixel = (1ull << 57) - 1;
    EXPECT_EQ(set((path + "_Inject_WritePixel").c_str(), &pixel, 4), 0);
    EXPECT_EQ(set((path + "_DebugFile").c_str(), "image.raw", 6), 0);
    std::uint32_t mode = 3;
    EXPECT_EQ(set((path + "_OperationMode").c_str(), &mode, 2), 0);
    EXPECT_EQ(set((path + "_Insert").c_str(), &mode, 2), 0);
    EXPECT_EQ(set((path + "_Inject_WriteFlag").c_str(), &mode, 2), 0);
    EXPECT_EQ(read(path + "_Inject_ReadyForInjection"), "1");
    EXPECT_EQ(set((path + "_Inject_ReadyForInjection").c_str(), &mode, 2), SIMBOARD_READ_ONLY);
    for (const char* monitor : {"_XPosition", "_YPosition", "_PixelValue"}) {
      EXPECT_EQ(id((path + monitor).c_str()) > 0, point == 1) << path + monitor;
    }
  }
}

TEST_F(ShippedDesign, ListsEveryAliasedEventWithMasksNotInAliasOrder) {
  const std::string input = "Device1_Process1_Trigger_TriggerInput_InputEvents_";
  const std::string monitoring = "Device1_Process1_Trigger_Monitoring_";
  std::vector<std::string> aliased = {"Device1_Process0_Overflow_Overflow",
                                      monitoring + "FVALEvents_Cam0_FrameStart",
                                      monitoring + "FVALEvents_Cam0_FrameEnd"};
  for (int pin = 0; pin < 8; ++pin) {
    aliased.push_back(input + "InputEvents_Pin" + std::to_string(pin));
    aliased.push_back(input + "InputEvents_NotPin" + std::to_string(pin));
  }
  for (int pin = 0; pin < 4; ++pin) {
    aliased.push_back(input + "InputFrontEvents_FrontPin" + std::to_string(pin));
    aliased.push_back(input + "InputFrontEvents_FrontNotPin" + std::to_string(pin));
  }
  for (const char* name : {"Cam0Override", "Cam0MissingFrame", "Cam0HysteresisOn",
                           "Cam0HysteresisOff", "Cam0OutputEvent"}) {
    aliased.push_back(monitoring + "MonitoringEvents_" + name);
  }
  std::vector<std::string> events;
  int unaliasedReported = 0;
  int internal = 0;
  for (std::uint32_t n = 0; const MolvrtEventDescriptor* event = Molvrt_EventDescriptor(hap_, n);
       ++n) {
    events.push_back(event->name);
    bool isAlias = std::find(aliased.begin(), aliased.end(), event->name) != aliased.end();
    if (isAlias) {
      EXPECT_EQ(event->kind, 1) << event->name;
    }
    if (!isAlias && event->kind == 1) ++unaliasedReported;
    if (event->kind == 0) ++internal;
  }
  EXPECT_LE(events.size(), 64u);
  EXPECT_GE(unaliasedReported, 1);
  EXPECT_GE(internal, 1);
  std::vector<std::size_t> positions;
  for (const std::string& name : aliased) {
    auto found = std::find(events.begin(), events.end(), name);
    ASSERT_NE(found, events.end()) << name;
    positions.push_back(static_cast<std::size_t>(found - events.begin()));
  }
  EXPECT_FALSE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_NE(positions[0], 0u);
}

TEST_F(ShippedDesign, HasRegistersOfEveryWidthClass) {
  const std::int32_t count = Molvrt_RegisterCount(hap_);
  ASSERT_GE(count, 8);
  std::set<std::uint32_t> widths;
  int readOnly = 0;
  int idsInOrder = 0;
  for (std::int32_t number = 1; number <= count; ++number) {
    const char* name = Molvrt_RegisterName(hap_, number);
    ASSERT_NE(name, nullptr);
    std::uint32_t registerId = Molvrt_RegisterId(hap_, name);
    if (registerId == static_cast<std::uint32_t>(number)) ++idsInOrder;
    widths.insert(Molvrt_RegisterWidth(hap_, registerId));
    if (Molvrt_RegisterFlag(hap_, registerId) == 0) ++readOnly;
  }
  for (std::uint32_t width : {1u, 32u, 40u, 64u}) EXPECT_EQ(widths.count(width), 1u) << width;
  EXPECT_GE(readOnly, 2);
  EXPECT_LT(idsInOrder, count);
}

}  // namespace
}  // namespace brenvik::simboard::test
