// Reading parameters through the exports: every parameter in its own form, initial values,
// the width a get writes, the DMA rules, handed-out strings, hardware values played on the
// board, and failures that leave the applet usable.
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "AppletFixture.h"
#include "LogLines.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::test {
namespace {

using parameters::kSdkParameters;
using parameters::sdkId;
using parameters::ValueForm;

class ParameterValues : public AppletTest {
 protected:
  void play(const std::string& name, const std::string& value) {
    ASSERT_EQ(simboard_set(board_, name.c_str(), value.c_str()), 0) << name;
  }
  std::uint32_t getUint32(std::int32_t id) {
    std::uint32_t value = 0xDEADBEEF;
    EXPECT_EQ(Fg_getParameterWithType(&handle_, id, &value, 0, 2), 0) << id;
    return value;
  }
  double getDouble(std::int32_t id) {
    double value = -1;
    EXPECT_EQ(Fg_getParameterWithType(&handle_, id, &value, 0, 5), 0) << id;
    return value;
  }
  std::string getText(std::int32_t id) {
    std::array<char, 2048> text{};
    EXPECT_EQ(Fg_getParameterWithType(&handle_, id, text.data(), 0, 6), 0) << id;
    return text.data();
  }
};

// Reads a parameter in the type its form asks for. The board refuses a type code that does
// not fit a hardware parameter, so a getter that reads with the wrong code fails here.
int readInItsForm(AppletHandle* handle, const parameters::SdkParameter& parameter) {
  switch (parameter.form) {
    case ValueForm::kUint32: {
      std::uint32_t value = 0;
      return Fg_getParameterWithType(handle, parameter.id, &value, 0, 2);
    }
    case ValueForm::kUint64:
    case ValueForm::kAsRequested: {
      std::uint64_t value = 0;
      return Fg_getParameterWithType(handle, parameter.id, &value, 0, 4);
    }
    case ValueForm::kDouble: {
      double value = 0;
      return Fg_getParameterWithType(handle, parameter.id, &value, 0, 5);
    }
    case ValueForm::kText: {
      std::array<char, 2048> text{};
      const int result = Fg_getParameterWithType(handle, parameter.id, text.data(), 0, 6);
      if (result != 0) return result;
      char* copy = nullptr;
      const int handedOut = Fg_getParameterWithType(handle, parameter.id, &copy, 0, 22);
      if (handedOut != 0) return handedOut;
      if (std::strcmp(copy, text.data()) != 0) return -1;
      return Fg_freeParameterStringWithType(handle, parameter.id, copy, 0, 22);
    }
    case ValueForm::kLutEntries: {
      std::array<std::uint32_t, 1024> entries{};
      runtime::FieldParameterAccess access{2, 0, 1024, entries.data()};
      return Fg_getParameterWithType(handle, parameter.id, &access, 0, 4096);
    }
  }
  return -1;
}

TEST_F(ParameterValues, EveryParameterReadsInItsOwnForm) {
  for (const auto& parameter : kSdkParameters) {
    EXPECT_EQ(readInItsForm(&handle_, parameter), 0) << parameter.name;
    EXPECT_EQ(lastError(), 0) << parameter.name;
  }
}

TEST_F(ParameterValues, StartFromTheirInitialAndHardwareValues) {
  using Expected = std::variant<std::uint32_t, double, std::string>;
  const std::vector<std::pair<std::int32_t, Expected>> expected{
      {sdkId("FG_TIMEOUT"), 1000000u},
      {sdkId("FG_APPLET_VERSION"), 2u},
      {sdkId("FG_APPLET_ID"), std::string("42170")},
      {sdkId("FG_HAP_FILE"), std::string("Brenvik.hap")},
      {sdkId("FG_CAMERA_LINK_CAMTYPE"), 308u},
      {sdkId("FG_TAPGEOMETRY"), 25165824u},
      {sdkId("FG_WIDTH"), 1024u},
      {sdkId("FG_FORMAT"), 3u},
      {sdkId("FG_PIXELDEPTH"), 10u},
      {sdkId("FG_CAMERASIMULATOR_WIDTH"), 1024u},
      {sdkId("FG_CAMERASIMULATOR_SELECT_MODE"), 2u},
      {sdkId("FG_CAMERASIMULATOR_PIXEL_FREQUENCY"), 999.9999999999999},
      {sdkId("FG_LUT_TYPE"), 3u},
      {sdkId("FG_PROCESSING_GAIN"), 1.0},
      {sdkId("FG_LUT_CUSTOM_FILE"), std::string()},
      {sdkId("FG_AREATRIGGERMODE"), 1u},
      {sdkId("FG_TRIGGERSTATE"), 2u},
      {sdkId("FG_TRIGGER_FRAMESPERSECOND"), 8.0},
      {sdkId("FG_TRIGGERIN_DEBOUNCE"), 42 * 24 / 1000.0},
      {sdkId("FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD"), 2047u},
      {sdkId("FG_TRIGGER_PULSEFORMGEN2_WIDTH"), 4.0},
      {sdkId("FG_TRIGGERCC_SELECT0"), 6u},
      {sdkId("FG_TRIGGERCC_SELECT3"), 5u},
      {sdkId("FG_TRIGGEROUT_SELECT_GPO_1"), 61u},
      {sdkId("FG_TRIGGEROUT_SELECT_FRONT_GPO_0"), 60u},
      {sdkId("FG_SYSTEMMONITOR_FPGA_TEMPERATURE"), 48.5},
      {sdkId("FG_ALTERNATIVE_BOARD_DETECTION"), 0u},
      {sdkId("FG_DEBUGINSERT"), 1u},
      {sdkId("FG_DEBUGSOURCENAME"), std::string("CameraInput")},
      {sdkId("FG_DEBUGREADY"), 1u},
      {sdkId("FG_NR_OF_DMAS"), 1u},
  };
  for (const auto& [id, value] : expected) {
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
      EXPECT_EQ(getUint32(id), *number) << id;
    } else if (const auto* real = std::get_if<double>(&value)) {
      EXPECT_DOUBLE_EQ(getDouble(id), *real) << id;
    } else {
      EXPECT_EQ(getText(id), std::get<std::string>(value)) << id;
    }
  }
  std::uint64_t dna = 0;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, sdkId("FG_SYSTEMMONITOR_FPGA_DNA"), &dna, 0, 3), 0);
  EXPECT_EQ(dna, 0x00A1B2C3D4E5F607u);
}

TEST_F(ParameterValues, AGetWritesItsOwnWidth) {
  std::uint64_t wide = ~0ull;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, sdkId("FG_WIDTH"), &wide, 0, 3), 0);
  EXPECT_EQ(wide, 1024u) << "the export clears all 8 bytes first";
  wide = ~0ull;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, sdkId("FG_WIDTH"), &wide, 0, 2), 0);
  EXPECT_EQ(wide, 0xFFFFFFFF00000000ull | 1024u);
  // A double parameter asked for with a 32-bit type code still writes its double.
  double real = 0;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, sdkId("FG_PROCESSING_GAMMA"), &real, 0, 2), 0);
  EXPECT_EQ(real, 1.0);
}

TEST_F(ParameterValues, OnlyDmaZeroHasParameters) {
  std::uint32_t value = 9;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, sdkId("FG_WIDTH"), &value, 1, 2), -2070);
  EXPECT_EQ(Fg_getParameterWithType(&handle_, sdkId("FG_SYSTEMMONITOR_FPGA_TEMPERATURE"), &value,
                                    0xFFFFFFFFu, 5),
            -2070);
  EXPECT_EQ(value, 9u);
  EXPECT_EQ(lastError(), -2070);
  // The process count answers for any DMA index.
  ASSERT_EQ(Fg_getParameterWithType(&handle_, sdkId("FG_NR_OF_PROCESSES"), &value, 7, 2), 0);
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(lastError(), 0);
}

TEST_F(ParameterValues, HandedOutStringsAreGivenBackOnce) {
  constexpr std::int32_t kHapFile = sdkId("FG_HAP_FILE");
  char* copy = nullptr;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, kHapFile, &copy, 0, 22), 0);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "Brenvik.hap");

  // The runtime's own parameters give their strings back to the runtime, which does not know
  // this one; it stays handed out.
  EXPECT_EQ(Fg_freeParameterStringWithType(&handle_, sdkId("FG_APC_STOP_TIMEOUT"), copy, 0, 22),
            -2070);
  EXPECT_EQ(Fg_freeParameterStringWithType(&handle_, kHapFile, copy, 1, 22), -2070);
  EXPECT_EQ(Fg_freeParameterStringWithType(&handle_, kHapFile, copy, 0, 22), 0);
  EXPECT_EQ(Fg_freeParameterStringWithType(&handle_, kHapFile, copy, 0, 22), -2070);
  EXPECT_EQ(lastError(), -2070);

  char never[] = "never handed out";
  EXPECT_EQ(Fg_freeParameterStringWithType(&handle_, kHapFile, never, 0, 22), -2070);
  EXPECT_EQ(Fg_freeParameterStringWithType(&handle_, kHapFile, nullptr, 0, 22), -2070);

  // Strings still handed out go with the applet.
  ASSERT_EQ(Fg_getParameterWithType(&handle_, sdkId("FG_APPLET_BUILD_TIME"), &copy, 0, 22), 0);
  EXPECT_STREQ(copy, "2024-03-18 14:52:07");
}

TEST_F(ParameterValues, DescriptionsAnswerTheNameInTheBuffer) {
  constexpr std::int32_t kDescription = parameters::kParameterDescriptionQuery;
  std::array<char, 512> buffer{};
  std::strcpy(buffer.data(), "FG_WIDTH");
  ASSERT_EQ(Fg_getParameterWithType(&handle_, kDescription, buffer.data(), 0, 6), 0);
  EXPECT_STREQ(buffer.data(), "Image width of the acquisition ROI.");
  std::strcpy(buffer.data(), "FG_NR_OF_DMAS");
  ASSERT_EQ(Fg_getParameterWithType(&handle_, kDescription, buffer.data(), 0, 6), 0);
  EXPECT_STREQ(buffer.data(), "");
  std::strcpy(buffer.data(), "FG_NO_SUCH_PARAMETER");
  ASSERT_EQ(Fg_getParameterWithType(&handle_, kDescription, buffer.data(), 0, 6), 0);
  EXPECT_STREQ(buffer.data(), "-");

  std::strcpy(buffer.data(), "FG_GPI");
  ASSERT_EQ(Fg_getParameterWithType(&handle_, kDescription, buffer.data(), 0, 22), 0);
  char* copy = nullptr;
  std::memcpy(&copy, buffer.data(), sizeof copy);
  EXPECT_STREQ(copy, "Current input signal levels of all GPI inputs (Bitmask).");
  EXPECT_EQ(Fg_freeParameterStringWithType(&handle_, kDescription, copy, 0, 22), 0);
}

TEST_F(ParameterValues, StatusFollowsTheHardware) {
  constexpr std::int32_t kFill = sdkId("FG_FILLLEVEL");
  constexpr std::int32_t kExtended = sdkId("FG_CAMSTATUS_EXTENDED");
  play("Device1_Process0_Buffer_0_DRAM_A_0_FillLevel", "60");
  EXPECT_EQ(getUint32(kFill), 60u);
  EXPECT_EQ(getUint32(kExtended), 0x07u | (2u << 6));
  play("Device1_Process0_Overflow_OverflowOccurred", "1");
  EXPECT_EQ(getUint32(kFill), 100u) << "an overflowing buffer is full, whatever its level says";
  EXPECT_EQ(getUint32(kExtended), 0x07u | 0x20u | (3u << 6));
  EXPECT_EQ(getUint32(sdkId("FG_OVERFLOW")), 1u);
  play("FG_CAMSTATUS_EXTENDED", "6");
  EXPECT_EQ(getUint32(sdkId("FG_CAMSTATUS")), 0u);

  play("Device1_Process0_BoardStatus_FpgaTemperature", "71.25");
  EXPECT_EQ(getDouble(sdkId("FG_SYSTEMMONITOR_FPGA_TEMPERATURE")), 71.25);
  play("Device1_Process1_Trigger_TriggerInput_InputStatus_Status", "0x81");
  EXPECT_EQ(getUint32(sdkId("FG_GPI")), 0x81u);
  play("Device1_Process0_Camera_PixelClockZ", "40");
  EXPECT_EQ(getUint32(sdkId("FG_CAMERA_LINK_PIXEL_CLOCK_Z")), 40u);
}

TEST_F(ParameterValues, TimesAndFrequenciesComeFromTicks) {
  const std::string statistics = "Device1_Process1_Trigger_TriggerCam0_InputStatistics_";
  play(statistics + "ReadPeriod_Status", "125000");
  play(statistics + "ReadMax_Status", "250000");
  play(statistics + "ReadMin_Status", "0");
  EXPECT_DOUBLE_EQ(getDouble(sdkId("FG_TRIGGERIN_STATS_FREQUENCY")), 1000.0);
  EXPECT_DOUBLE_EQ(getDouble(sdkId("FG_TRIGGERIN_STATS_MINFREQUENCY")), 500.0);
  EXPECT_TRUE(std::isinf(getDouble(sdkId("FG_TRIGGERIN_STATS_MAXFREQUENCY"))));
  EXPECT_EQ(lastError(), 0);

  play(
      "Device1_Process1_Trigger_TriggerCam0_PulseFormGenerators_PulseFormGenerator3_Delay_"
      "Delay_Width",
      "1250");
  EXPECT_DOUBLE_EQ(getDouble(sdkId("FG_TRIGGER_PULSEFORMGEN3_DELAY")), 10.0);
  EXPECT_DOUBLE_EQ(getDouble(sdkId("FG_TRIGGER_PULSEFORMGEN0_DELAY")), 0.008);
  play("Device1_Process1_Trigger_TriggerInput_Debounce8_Prescale_Period", "2");
  EXPECT_DOUBLE_EQ(getDouble(sdkId("FG_TRIGGERIN_DEBOUNCE")), 0.048);
}

TEST_F(ParameterValues, AlternativeBoardDetectionIsTheInvertedRegister) {
  constexpr std::int32_t kDetection = sdkId("FG_ALTERNATIVE_BOARD_DETECTION");
  play("Device1_Process0_BoardStatus_AlternativeBoardDetection", "0");
  EXPECT_EQ(getUint32(kDetection), 1u);
  play("Device1_Process0_BoardStatus_AlternativeBoardDetection", "2");
  std::uint32_t value = 5;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, kDetection, &value, 0, 2), -2031);
  EXPECT_EQ(value, 5u);
}

TEST_F(ParameterValues, AFailedHardwareReadReturnsTheRuntimesCodeAndTheAppletGoesOn) {
  constexpr std::int32_t kTemperature = sdkId("FG_SYSTEMMONITOR_FPGA_TEMPERATURE");
  constexpr std::int32_t kFill = sdkId("FG_FILLLEVEL");
  ASSERT_EQ(simboard_fail(board_, "Device1_Process0_BoardStatus_FpgaTemperature", SIMBOARD_READS,
                          -2073, 1),
            0);
  ASSERT_EQ(
      simboard_fail(board_, "Device1_Process0_Overflow_OverflowOccurred", SIMBOARD_READS, -2083, 1),
      0);
  double temperature = -1;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, kTemperature, &temperature, 0, 5), -2073);
  EXPECT_EQ(lastError(), -2073);
  std::uint32_t fill = 33;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, kFill, &fill, 0, 2), -2083);
  EXPECT_EQ(fill, 33u) << "a computed value writes nothing after a failed read";
  EXPECT_EQ(getDouble(kTemperature), 48.5);
  EXPECT_EQ(getUint32(kFill), 0u);
  EXPECT_EQ(lastError(), 0);
}

// --- With the applet's messages at level 4 written to a file (a process of its own) ---

using LoggedRefusal = AppletTest;

TEST_F(LoggedRefusal, UnknownIdsAreNamedOnceAndBadDmaIndicesSilently) {
  ASSERT_NE(std::getenv("BRENVIK_LOG_FILE"), nullptr);
  const std::size_t start = logText().size();
  std::uint32_t value = 0;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, 12345, &value, 0, 2), -2070);
  EXPECT_EQ(Fg_setParameterWithType(&handle_, -77, &value, 0, 2), -2070);
  EXPECT_EQ(Fg_getParameterWithType(&handle_, 23456, &value, 3, 2), -2070);
  EXPECT_EQ(Fg_setParameterWithType(&handle_, 23456, &value, 3, 2), -2070);
  EXPECT_EQ(countLogged(start, "trying to get unknown SDK parameter '12345' on process 0!"), 1);
  EXPECT_EQ(countLogged(start, "trying to set unknown SDK parameter '-77' on process 0!"), 1);
  EXPECT_EQ(logText().find("23456", start), std::string::npos);
}

}  // namespace
}  // namespace brenvik::test
