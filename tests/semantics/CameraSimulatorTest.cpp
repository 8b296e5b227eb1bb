// The camera simulator on the simulated board: register arithmetic of each timing mode at
// typical values and at the limits, the order of writes when the select mode changes, the
// refusals that keep the previous values, and the limits and access in the description.
#include <cmath>
#include <initializer_list>
#include <string>

#include "ScratchFiles.h"
#include "SetPathFixture.h"
#include "TextMode.h"
#include "description/DescriptionRows.h"
#include "simboard/control.h"
#include "semantics/SimulatorTiming.h"

namespace brenvik::test {
namespace {

using namespace semantics::simulator_timing;

constexpr std::int32_t kEnable = sdkId("FG_CAMERASIMULATOR_ENABLE");
constexpr std::int32_t kWidth = sdkId("FG_CAMERASIMULATOR_WIDTH");
constexpr std::int32_t kHeight = sdkId("FG_CAMERASIMULATOR_HEIGHT");
constexpr std::int32_t kLineGap = sdkId("FG_CAMERASIMULATOR_LINE_GAP");
constexpr std::int32_t kFrameGap = sdkId("FG_CAMERASIMULATOR_FRAME_GAP");
constexpr std::int32_t kPattern = sdkId("FG_CAMERASIMULATOR_PATTERN");
constexpr std::int32_t kOffset = sdkId("FG_CAMERASIMULATOR_PATTERN_OFFSET");
constexpr std::int32_t kRoll = sdkId("FG_CAMERASIMULATOR_ROLL");
constexpr std::int32_t kSelectMode = sdkId("FG_CAMERASIMULATOR_SELECT_MODE");
constexpr std::int32_t kTriggerMode = sdkId("FG_CAMERASIMULATOR_TRIGGER_MODE");
constexpr std::int32_t kPixelFrequency = sdkId("FG_CAMERASIMULATOR_PIXEL_FREQUENCY");
constexpr std::int32_t kLineRate = sdkId("FG_CAMERASIMULATOR_LINERATE");
constexpr std::int32_t kFrameRate = sdkId("FG_CAMERASIMULATOR_FRAMERATE");
constexpr std::int32_t kActive = sdkId("FG_CAMERASIMULATOR_ACTIVE");
constexpr std::int32_t kPassive = sdkId("FG_CAMERASIMULATOR_PASSIVE");

constexpr std::uint32_t kPixelFrequencyMode = 0;
constexpr std::uint32_t kLineRateMode = 1;
constexpr std::uint32_t kFrameRateMode = 2;
constexpr double kPixelRate = 999999999.9999999;  // the simulator's fastest pixel rate

TEST(SimulatorTiming, RegistersAtTypicalValuesAndAtTheLimits) {
  EXPECT_EQ(roundedToTicks(1001), 1008u);
  EXPECT_EQ(roundedToTicks(1008), 1008u);
  EXPECT_EQ(roundedToTicks(0xFFFFFFFFu), 0x100000000u) << "no wrap";
  EXPECT_EQ(activePixels(62.5), 125u);
  EXPECT_EQ(activePixels(0.25), 1u);
  EXPECT_EQ(activePixels(0.24), 0u);
  EXPECT_EQ(activePixels(4000), 8000u);
  EXPECT_EQ(lineTicks(10000), 12500u);
  EXPECT_EQ(lineTicks(0.1), 1250000000u);
  EXPECT_EQ(lineTicksForFrameRate(10, 1024), 12207u);
  EXPECT_EQ(lineTicksForFrameRate(0.1, 1), 1250000000u);
}

std::string simulator(const std::string& rest) { return "CameraSimulator_" + rest; }
std::string sequence(const std::string& rest) { return "CameraSimulator_PixelFrequency_" + rest; }

// The four size writes: whole line and active part in 8-pixel units, whole frame and its
// active lines.
std::vector<std::string> sizes(std::uint32_t line, std::uint32_t active, std::uint32_t frame,
                               std::uint32_t lines) {
  return {simulator("Size_ImageWidth 2 " + std::to_string(line) + " 0"),
          simulator("LineGap_Number 2 " + std::to_string(active) + " 0"),
          simulator("Size_ImageHeight 2 " + std::to_string(frame) + " 0"),
          simulator("FrameGap_Number 2 " + std::to_string(lines) + " 0")};
}
std::vector<std::string> horizontal(std::uint32_t line, std::uint32_t active) {
  auto all = sizes(line, active, 0, 0);
  return {all[0], all[1]};
}

class CameraSimulator : public SetPathTest {
 protected:
  // Access of pixel frequency, line rate, frame rate, line gap and frame gap.
  std::vector<std::int32_t> modeAccess() {
    return {access(kPixelFrequency), access(kLineRate), access(kFrameRate), access(kLineGap),
            access(kFrameGap)};
  }
};

TEST_F(CameraSimulator, SimpleSettersWriteTheirTablesAndRefuseOtherValues) {
  EXPECT_EQ(set(kPattern, 1), 0);
  EXPECT_EQ(set(kPattern, 2), 0);
  EXPECT_EQ(set(kRoll, 0), 0);
  EXPECT_EQ(set(kTriggerMode, 8), 0);
  EXPECT_EQ(set(kTriggerMode, 9), 0);
  EXPECT_EQ(set(kOffset, 255), 0);
  EXPECT_EQ(set(kEnable, 1), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{
                          simulator("EnableX_Enable_Value 2 1 0"),
                          simulator("Y_Divisor 2 1 0"),
                          simulator("EnableX_Enable_Value 2 0 0"),
                          simulator("Y_Divisor 2 256 0"),
                          simulator("Frame_Divisor 2 1 0"),
                          simulator("TriggerValve_FreeRun_Select 2 0 0"),
                          simulator("TriggerValve_TriggerValve_Mode 2 1 0"),
                          simulator("TriggerValve_FreeRun_Select 2 0 0"),
                          simulator("TriggerValve_TriggerValve_Mode 2 2 0"),
                          simulator("Offset_Value 2 255 0"),
                          simulator("Enable_SelectSource 2 1 0"),
                      }));

  EXPECT_EQ(set(kOffset, 256), -6000);
  EXPECT_EQ(set(kPattern, 0), -6000);
  EXPECT_EQ(set(kRoll, 2), -6000);
  EXPECT_EQ(set(kTriggerMode, 1), -6000);
  EXPECT_EQ(set(kEnable, 2), -6000);
  EXPECT_EQ(set(kSelectMode, 3), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(get(kOffset), 255u);
  EXPECT_EQ(get(kPattern), 2u);
  EXPECT_EQ(get(kTriggerMode), 9u);
  EXPECT_EQ(get(kSelectMode), kFrameRateMode);
}

// --- Pixel frequency ---

TEST_F(CameraSimulator, PixelFrequencyModeWritesTheClockSizesAndSequenceInOrder) {
  ASSERT_EQ(set(kSelectMode, kPixelFrequencyMode), 0);
  // 40 MHz: 80 of 2000 pixels active, the pattern repeats every 25.
  EXPECT_EQ(writes(), concatenated({{simulator("ControlPixelClock_Mode 2 0 0")},
                                    sizes(128, 128, 1024, 1024),
                                    {sequence("ActivePixel_Number 2 80 0"),
                                     sequence("RepeatPat_Divisor 2 25 0"),
                                     sequence("SequenceLength_ImageWidth 2 2000 0")}}));
  EXPECT_EQ(modeAccess(), (std::vector<std::int32_t>{7, 1, 1, 7, 7}));

  ASSERT_EQ(setDouble(kPixelFrequency, 62.5), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{sequence("ActivePixel_Number 2 125 0"),
                                                sequence("RepeatPat_Divisor 2 16 0"),
                                                sequence("SequenceLength_ImageWidth 2 2000 0")}));
  EXPECT_EQ(getDouble(kPixelFrequency), 62.5) << "exactly half the active pixels";
  EXPECT_EQ(get(kActive), 125u);
  EXPECT_EQ(get(kPassive), 1875u);

  ASSERT_EQ(setDouble(kPixelFrequency, 4000), 0);
  EXPECT_EQ(writes()[0], sequence("ActivePixel_Number 2 8000 0"));
  ASSERT_EQ(setDouble(kPixelFrequency, 0.25), 0);
  EXPECT_EQ(writes()[1], sequence("RepeatPat_Divisor 2 2000 0"));
}

TEST_F(CameraSimulator, PixelFrequenciesOutsideTheRangeKeepThePreviousOne) {
  ASSERT_EQ(set(kSelectMode, kPixelFrequencyMode), 0);
  writes();
  for (double refused : {4000.001, -1.0, 0.2, std::nan("")}) {
    EXPECT_EQ(setDouble(kPixelFrequency, refused), -6000) << refused;
  }
  EXPECT_TRUE(writes().empty());
  EXPECT_DOUBLE_EQ(getDouble(kPixelFrequency), 40.0);
}

// Width 1001 rounds up to 1008; a line gap of 100 to 104. Both count with a pixel frequency.
TEST_F(CameraSimulator, SizesRoundToEightPixelsAndGapsCountWithAPixelFrequency) {
  ASSERT_EQ(set(kSelectMode, kPixelFrequencyMode), 0);
  writes();
  ASSERT_EQ(set(kWidth, 1001), 0);
  EXPECT_EQ(writes(), horizontal(126, 126));
  ASSERT_EQ(set(kLineGap, 100), 0);
  EXPECT_EQ(writes(), horizontal(139, 126));
  ASSERT_EQ(set(kFrameGap, 10), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{simulator("Size_ImageHeight 2 1034 0"),
                                                simulator("FrameGap_Number 2 1024 0")}));
  EXPECT_EQ(get(kWidth), 1008u);
  EXPECT_EQ(get(kLineGap), 104u);
  EXPECT_EQ(get(kFrameGap), 10u);
  EXPECT_DOUBLE_EQ(getDouble(kLineRate), 40e6 / 1112);
  EXPECT_DOUBLE_EQ(getDouble(kFrameRate), 40e6 / (1112.0 * 1034));

  // The line gap leaves 65536 - 1008 pixels to the width's rounding and back.
  EXPECT_EQ(maximum(kLineGap), 65536 - 1008);
  EXPECT_EQ(maximum(kWidth), 65536 - 104);
  EXPECT_EQ(maximum(kHeight), 65536 - 10);
  EXPECT_EQ(maximum(kFrameGap), 65536 - 1024);
  EXPECT_EQ(set(kWidth, 65536 - 103), -6000);
  EXPECT_EQ(set(kLineGap, 65536 - 1007), -6000);
  EXPECT_EQ(set(kFrameGap, 65536 - 1023), -6000);
  EXPECT_EQ(set(kWidth, 0), -6000);
  EXPECT_EQ(set(kHeight, 0), -6000);
  EXPECT_TRUE(writes().empty());
  ASSERT_EQ(set(kWidth, 65536 - 104), 0);
  EXPECT_EQ(writes(), horizontal(8192, 8179));
}

// --- Line rate ---

TEST_F(CameraSimulator, LineRateModeWritesTicksPerLineAndDropsTheLineGap) {
  ASSERT_EQ(set(kSelectMode, kLineRateMode), 0);
  // The initial 10240 lines per second are 12207 ticks of 8 ns.
  EXPECT_EQ(writes(), concatenated({{simulator("ControlPixelClock_Mode 2 1 0")},
                                    sizes(128, 128, 1024, 1024),
                                    {sequence("SequenceLength_ImageWidth 2 12207 0"),
                                     sequence("ActivePixel_Number 2 1 0")},
                                    horizontal(128, 128)}));
  EXPECT_EQ(modeAccess(), (std::vector<std::int32_t>{1, 7, 1, 1, 7}));

  ASSERT_EQ(setDouble(kLineRate, 10000), 0);
  EXPECT_EQ(writes(), concatenated({{sequence("SequenceLength_ImageWidth 2 12500 0"),
                                     sequence("ActivePixel_Number 2 1 0")},
                                    horizontal(128, 128)}));
  EXPECT_DOUBLE_EQ(getDouble(kLineRate), 10000);
  EXPECT_DOUBLE_EQ(getDouble(kFrameRate), 10000.0 / 1024);

  // The fastest line for 1024 pixels: P / 1032. The description says so once a width set has
  // run its limit steps; the setter's check holds all the same.
  EXPECT_EQ(realMaximum(kLineRate), 1e7);
  ASSERT_EQ(set(kWidth, 1024), 0);
  writes();
  EXPECT_DOUBLE_EQ(realMaximum(kLineRate), kPixelRate / 1032);
  EXPECT_EQ(setDouble(kLineRate, 968993), -6000);
  EXPECT_EQ(setDouble(kLineRate, 0.09), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_DOUBLE_EQ(getDouble(kLineRate), 10000);
  ASSERT_EQ(setDouble(kLineRate, 968992), 0);
  EXPECT_EQ(writes()[0], sequence("SequenceLength_ImageWidth 2 129 0"));
  ASSERT_EQ(setDouble(kLineRate, 0.1), 0);
  EXPECT_EQ(writes()[0], sequence("SequenceLength_ImageWidth 2 1250000000 0"));
}

// With 100000 lines per second a line lasts 1250 ticks: 10000 pixels, 8 of them the least gap.
TEST_F(CameraSimulator, TheLineRateBoundsWidthAndLineGap) {
  ASSERT_EQ(set(kSelectMode, kLineRateMode), 0);
  ASSERT_EQ(setDouble(kLineRate, 100000), 0);
  EXPECT_EQ(maximum(kWidth), 9992);
  EXPECT_EQ(maximum(kLineGap), 10000 - 1024 - 8);
  writes();
  EXPECT_EQ(set(kWidth, 9993), -6000);
  EXPECT_EQ(set(kLineGap, 8969), -6000);
  EXPECT_TRUE(writes().empty());
  ASSERT_EQ(set(kWidth, 9992), 0);
  EXPECT_EQ(writes(), horizontal(1249, 1249));
  EXPECT_EQ(get(kWidth), 9992u);
  EXPECT_EQ(maximum(kLineGap), 0);
  EXPECT_DOUBLE_EQ(realMaximum(kLineRate), kPixelRate / 10000);
}

// --- Frame rate ---

TEST_F(CameraSimulator, FrameRateWritesTicksPerLineForTheHeight) {
  EXPECT_EQ(modeAccess(), (std::vector<std::int32_t>{1, 1, 7, 1, 1}));
  ASSERT_EQ(setDouble(kFrameRate, 25), 0);
  EXPECT_EQ(writes(), concatenated({{sequence("SequenceLength_ImageWidth 2 4883 0"),
                                     sequence("ActivePixel_Number 2 1 0")},
                                    sizes(128, 128, 1024, 1024)}));
  EXPECT_DOUBLE_EQ(getDouble(kFrameRate), 1 / (4883 * 1024 * 8e-9));
  EXPECT_DOUBLE_EQ(getDouble(kLineRate), 8 / (1024 * 8e-9));

  EXPECT_EQ(realMaximum(kFrameRate), 1e7);
  ASSERT_EQ(set(kHeight, 1024), 0);
  writes();
  EXPECT_DOUBLE_EQ(realMaximum(kFrameRate), kPixelRate / (1032.0 * 1024));
  EXPECT_EQ(setDouble(kFrameRate, 947), -6000);
  EXPECT_EQ(setDouble(kFrameRate, 0.09), -6000);
  EXPECT_EQ(set(kFrameGap, 1), -6000);
  EXPECT_EQ(set(kLineGap, 1), -6000);
  EXPECT_TRUE(writes().empty());
  ASSERT_EQ(set(kFrameGap, 0), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{simulator("Size_ImageHeight 2 1024 0"),
                                                simulator("FrameGap_Number 2 1024 0")}));
}

// A new height keeps the frame rate: the line time is worked out again.
TEST_F(CameraSimulator, HeightInFrameRateModeSetsTheFrameRateAgain) {
  ASSERT_EQ(set(kHeight, 512), 0);
  EXPECT_EQ(writes(), concatenated({{simulator("Size_ImageHeight 2 512 0"),
                                     simulator("FrameGap_Number 2 512 0"),
                                     sequence("SequenceLength_ImageWidth 2 24414 0"),
                                     sequence("ActivePixel_Number 2 1 0")},
                                    sizes(128, 128, 512, 512)}));
  EXPECT_EQ(get(kHeight), 512u);
  EXPECT_NEAR(getDouble(kFrameRate), 10.0, 0.001);
  EXPECT_DOUBLE_EQ(realMaximum(kFrameRate), kPixelRate / (1032.0 * 512));
}

// At 900 frames per second the height limit lets 1079 lines through, but 900 frames of 1079
// lines are too fast for the simulator: the height is refused and stays.
TEST_F(CameraSimulator, AHeightTooTallForTheFrameRateIsRefusedAndKept) {
  ASSERT_EQ(setDouble(kFrameRate, 900), 0);
  EXPECT_EQ(maximum(kHeight), 1079);
  writes();
  EXPECT_EQ(set(kHeight, 1080), -6000);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(set(kHeight, 1079), -6000);
  EXPECT_EQ(writes(), (std::vector<std::string>{simulator("Size_ImageHeight 2 1079 0"),
                                                simulator("FrameGap_Number 2 1079 0")}));
  EXPECT_EQ(get(kHeight), 1024u);
  EXPECT_EQ(maximum(kHeight), 1079);
  ASSERT_EQ(set(kHeight, 1076), 0);
  EXPECT_EQ(get(kHeight), 1076u);
}

// --- The select mode ---

TEST_F(CameraSimulator, ChangingModeRestoresTheGapsOfTheNewMode) {
  ASSERT_EQ(set(kSelectMode, kPixelFrequencyMode), 0);
  ASSERT_EQ(set(kLineGap, 16), 0);
  ASSERT_EQ(set(kFrameGap, 24), 0);
  writes();
  // Line rate: the stored gaps are written, then the line rate drops the line gap.
  ASSERT_EQ(set(kSelectMode, kLineRateMode), 0);
  EXPECT_EQ(writes(), concatenated({{simulator("ControlPixelClock_Mode 2 1 0")},
                                    sizes(130, 128, 1048, 1024),
                                    {sequence("SequenceLength_ImageWidth 2 12207 0"),
                                     sequence("ActivePixel_Number 2 1 0")},
                                    horizontal(128, 128)}));
  EXPECT_EQ(get(kLineGap), 0u);
  EXPECT_EQ(get(kFrameGap), 24u);
  EXPECT_EQ(maximum(kFrameGap), 0);
  std::uint32_t untouched = 77;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, kActive, &untouched, 0, 2), 0);
  EXPECT_EQ(untouched, 77u);

  // Frame rate: both gaps go, the actual frame rate of the line-rate mode is kept.
  const double actual = getDouble(kFrameRate);
  ASSERT_EQ(set(kSelectMode, kFrameRateMode), 0);
  const std::uint32_t ticks = lineTicksForFrameRate(actual, 1024);
  EXPECT_EQ(writes(),
            concatenated({{simulator("ControlPixelClock_Mode 2 1 0")},
                          sizes(130, 128, 1048, 1024),
                          {sequence("SequenceLength_ImageWidth 2 " + std::to_string(ticks) + " 0"),
                           sequence("ActivePixel_Number 2 1 0")},
                          sizes(128, 128, 1024, 1024)}));
  EXPECT_EQ(get(kFrameGap), 0u);

  // And back: the gaps asked for in pixel-frequency mode return.
  ASSERT_EQ(set(kSelectMode, kPixelFrequencyMode), 0);
  EXPECT_EQ(get(kLineGap), 16u);
  EXPECT_EQ(get(kFrameGap), 24u);
  EXPECT_EQ(maximum(kFrameGap), 65536 - 1024);
  EXPECT_EQ(maximum(kWidth), 65536 - 16);
}

// A width that fits without the line gap no longer fits when pixel-frequency mode brings the
// gap back: the mode is refused, the line-rate mode and its access stay.
TEST_F(CameraSimulator, AModeWhoseSizesDoNotFitIsRefusedAndTheOldModeStays) {
  ASSERT_EQ(set(kSelectMode, kPixelFrequencyMode), 0);
  ASSERT_EQ(set(kLineGap, 100), 0);
  ASSERT_EQ(set(kSelectMode, kLineRateMode), 0);
  ASSERT_EQ(set(kWidth, 65536), 0);
  writes();
  EXPECT_EQ(set(kSelectMode, kPixelFrequencyMode), -6000);
  EXPECT_EQ(writes(), (std::vector<std::string>{simulator("ControlPixelClock_Mode 2 0 0")}));
  EXPECT_EQ(get(kSelectMode), kLineRateMode);
  EXPECT_EQ(get(kWidth), 65536u);
  EXPECT_EQ(modeAccess(), (std::vector<std::int32_t>{1, 7, 1, 1, 7}));
}

// A failing hardware write leaves every simulator value as it was.
TEST_F(CameraSimulator, AFailedWriteKeepsTheEffectiveSizes) {
  failWrites("Device1_Process0_CameraSimulator_LineGap_Number", -2073);
  EXPECT_EQ(set(kWidth, 512), -2073);
  EXPECT_EQ(get(kWidth), 1024u);
  EXPECT_DOUBLE_EQ(getDouble(kLineRate), 8 / (1024 * 8e-9));
  EXPECT_EQ(maximum(kWidth), 65536);
  failWrites("Device1_Process0_CameraSimulator_PixelFrequency_ActivePixel_Number", -2073);
  EXPECT_EQ(set(kHeight, 512), -2073);
  EXPECT_EQ(get(kHeight), 1024u);
  EXPECT_EQ(set(kHeight, 512), 0);
  EXPECT_EQ(get(kHeight), 512u);
}

TEST_F(CameraSimulator, TheSimulatorCountsAsAPixelClock) {
  ASSERT_EQ(simboard_set(board_, "FG_CAMSTATUS_EXTENDED", "0x10"), 0);  // no camera clock
  EXPECT_EQ(get(sdkId("FG_CAMSTATUS")), 0u);
  ASSERT_EQ(set(kEnable, 1), 0);
  EXPECT_EQ(get(sdkId("FG_CAMSTATUS")), 1u);
  EXPECT_EQ(get(sdkId("FG_CAMSTATUS_EXTENDED")), 0x11u);
  ASSERT_EQ(set(kEnable, 0), 0);
  EXPECT_EQ(get(sdkId("FG_CAMSTATUS")), 0u);
}

// Creation changes one description value of the simulator, the pixel-frequency maximum; the
// other limits and the access stay as described until a setter's limit steps run.
class CameraSimulatorWithoutDefaults : public CameraSimulator {
 protected:
  std::uint32_t creationFlags() const override { return 1; }
};

constexpr std::int32_t kSizesAndRates[] = {kWidth,  kLineGap,   kHeight,         kFrameGap,
                                           kLineRate, kFrameRate, kPixelFrequency};

TEST_F(CameraSimulatorWithoutDefaults, CreationChangesOnlyThePixelFrequencyMaximum) {
  EXPECT_DOUBLE_EQ(realMaximum(kPixelFrequency), 999.9999999999999);
  for (const std::int32_t id : kSizesAndRates) {
    const description::DescriptionRow& row = *description::findDescribedRow(id);
    EXPECT_EQ(access(id), row.access) << row.name;
    if (row.kind == runtime::kKindDouble) {
      if (id != kPixelFrequency) {
        EXPECT_EQ(realMaximum(id), row.values.realMaximum) << row.name;
      }
    } else {
      EXPECT_EQ(maximum(id), row.values.maximum) << row.name;
    }
  }
  // The derived state is prepared all the same.
  EXPECT_EQ(get(kWidth), 1024u);
  EXPECT_NEAR(getDouble(kFrameRate), 10.0, 0.001);
}

// The default pass runs the select-mode setter and its steps, and no step of the rates.
TEST_F(CameraSimulator, TheDefaultPassLeavesTheRateLimitsAsDescribed) {
  EXPECT_EQ(modeAccess(), (std::vector<std::int32_t>{1, 1, 7, 1, 1}));
  EXPECT_EQ(realMaximum(kLineRate), description::findDescribedRow(kLineRate)->values.realMaximum);
  EXPECT_EQ(realMaximum(kFrameRate),
            description::findDescribedRow(kFrameRate)->values.realMaximum);
  EXPECT_EQ(maximum(kLineGap), 0);
  EXPECT_EQ(maximum(kFrameGap), 0);
}

// --- A loaded geometry ---

class LoadedSimulatorGeometry : public CameraSimulator {
 protected:
  // Saves the current configuration, with `replacements` ("KEY=VALUE;" lines) put in for the
  // lines of those keys, and loads it again.
  int reload(std::initializer_list<std::string> replacements, bool endFirstPass = false) {
    const std::string file = scratch_.path("geometry.mcf");
    EXPECT_EQ(Fg_saveConfig(&handle_, file.c_str()), 0);
    std::string content = fromTextMode(ScratchDirectory::read(file));
    for (const std::string& line : replacements) {
      const std::string key = line.substr(0, line.find('=') + 1);
      const std::size_t at = content.find("\n" + key);
      EXPECT_NE(at, std::string::npos) << key;
      content.replace(at + 1, content.find('\n', at + 1) - at - 1, line);
    }
    if (endFirstPass) {
      // Ends pass 1: the last stored key goes missing.
      const std::size_t at = content.find("\nFG_TRIGGER_OUTPUT_EVENT_SELECT=");
      content.erase(at + 1, content.find('\n', at + 1) - at);
    }
    scratch_.write("geometry.mcf", content);
    return Fg_loadConfig(&handle_, file.c_str());
  }

  // Width, height and frame rate as the getters give them, and the sizes on the hardware.
  void expectGeometry(std::uint32_t width, std::uint32_t height) {
    EXPECT_EQ(get(kWidth), width);
    EXPECT_EQ(get(kHeight), height);
    EXPECT_EQ(hardware("Size_ImageWidth"), width / 8);
    EXPECT_EQ(hardware("Size_ImageHeight"), height);
    const double frameRate = getDouble(kFrameRate);
    EXPECT_TRUE(std::isfinite(frameRate) && frameRate > 0) << frameRate;
  }
  std::uint32_t hardware(const std::string& name) {
    char text[32] = {};
    EXPECT_EQ(simboard_get(board_, ("Device1_Process0_CameraSimulator_" + name).c_str(), text,
                           sizeof text),
              0);
    return static_cast<std::uint32_t>(std::stoul(text));
  }

  ScratchDirectory scratch_;
};

// Sizes of 0 and rates that are no number are refused as their setters refuse them: the
// values before the load stay, the hardware keeps sizes a set can reach, and a save afterwards
// writes finite numbers only.
TEST_F(LoadedSimulatorGeometry, RefusedSizesAndRatesKeepTheirValues) {
  ASSERT_EQ(set(kWidth, 640), 0);
  ASSERT_EQ(set(kHeight, 480), 0);
  EXPECT_EQ(reload({"FG_CAMERASIMULATOR_WIDTH=0;", "FG_CAMERASIMULATOR_HEIGHT=0;",
                    "FG_CAMERASIMULATOR_FRAMERATE=inf;"}),
            0);
  expectGeometry(640, 480);
  EXPECT_EQ(reload({"FG_CAMERASIMULATOR_WIDTH=70000;", "FG_CAMERASIMULATOR_HEIGHT=65537;",
                    "FG_CAMERASIMULATOR_FRAMERATE=nan;", "FG_CAMERASIMULATOR_SELECT_MODE=7;"}),
            0);
  expectGeometry(640, 480);
  const std::string file = scratch_.path("after.mcf");
  ASSERT_EQ(Fg_saveConfig(&handle_, file.c_str()), 0);
  const std::string saved = ScratchDirectory::read(file);
  EXPECT_EQ(saved.find("inf"), std::string::npos);
  EXPECT_EQ(saved.find("nan"), std::string::npos);
}

TEST_F(LoadedSimulatorGeometry, AcceptedSizesTakeEffect) {
  EXPECT_EQ(reload({"FG_CAMERASIMULATOR_WIDTH=512;", "FG_CAMERASIMULATOR_HEIGHT=256;"}), 0);
  expectGeometry(512, 256);
}

// A load that ends in pass 1 keeps what it stored; the simulator's part of it takes effect, so
// that its getters agree with each other and with the hardware.
TEST_F(LoadedSimulatorGeometry, ALoadEndingInTheFirstPassLeavesAGeometryThatAgrees) {
  EXPECT_EQ(reload({"FG_CAMERASIMULATOR_WIDTH=640;", "FG_CAMERASIMULATOR_HEIGHT=480;"}, true),
            -5000);
  expectGeometry(640, 480);
  EXPECT_NEAR(getDouble(kFrameRate), 10.0, 0.01);
}

}  // namespace
}  // namespace brenvik::test
