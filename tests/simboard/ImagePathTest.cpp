// The board's image path driven by hardware values alone (no applet): the sorter's zones,
// tap order and mirrors, the output format's shift and width, the simulator's patterns and
// the camera port's images in turn.
#include <fstream>
#include <string>
#include <vector>

#include "ImagePathFixture.h"
#include "parameters/Enumerations.h"

namespace brenvik::simboard::test {
namespace {

std::vector<int> ramp(int count, int step) {
  std::vector<int> samples;
  for (int i = 0; i < count; ++i) samples.push_back(i * step);
  return samples;
}

// Four zones of four pixels, sent interleaved; seen from the top right the zones come in
// reverse order, each read backwards.
TEST_F(ImagePath, TheSorterPlacesEachZoneByTapOrderAndMirror) {
  const std::string input = image("zones.pgm", ramp(16, 10));
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, input.c_str()), 0);
  region(16, 1);
  play("Buffer_0_TapGeometrySorter_TapWidth", "4");
  play("Buffer_0_TapGeometrySorter_TapCount", "5");
  play("Buffer_0_TapGeometrySorter_DummyTaps", "1");
  play("Buffer_0_TapGeometrySorter_TapOrder", "3,2,1,0,4,5,6,7,8,8");
  play("Buffer_0_TapGeometrySorter_ReferenceTapMirror_Field", "1,1,1,1,0,0,0,0,0,0");
  const auto fourZones = grab(1).front();
  for (std::uint32_t p = 0; p < 16; ++p) {
    const std::uint32_t zone = 3 - p / 4;
    const std::uint32_t within = 3 - p % 4;
    EXPECT_EQ(fourZones[p], (within * 4 + zone) * 10) << p;
  }
  // Eight zones of two pixels (ten taps, two of them dummies), in order.
  play("Buffer_0_TapGeometrySorter_TapWidth", "2");
  play("Buffer_0_TapGeometrySorter_TapCount", "10");
  play("Buffer_0_TapGeometrySorter_TapOrder", "0,1,2,3,4,5,6,7,8,8");
  play("Buffer_0_TapGeometrySorter_ReferenceTapMirror_Field", "0,0,0,0,0,0,0,0,0,0");
  const auto eightZones = grab(1).front();
  for (std::uint32_t p = 0; p < 16; ++p) EXPECT_EQ(eightZones[p], ((p % 2) * 8 + p / 2) * 10) << p;
}

// The table's ten bits sit on top of the 16-bit word; the shift brings them down and the
// selected format keeps its own bits.
TEST_F(ImagePath, TheOutputFormatShiftsTheTablesBitsIntoTheFormat) {
  const std::string input = image("ramp.pgm", {0, 1, 100, 255, 3, 4, 5, 6});
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, input.c_str()), 0);
  region(8, 1);
  struct Case {
    const char* source;
    const char* shift;
    std::uint32_t (*expected)(std::uint32_t table);
  };
  const Case cases[] = {
      {"0", "8", [](std::uint32_t t) { return t >> 2; }},             // FG_GRAY
      {"0", "10", [](std::uint32_t t) { return t >> 4; }},            // FG_GRAY, custom shift 2
      {"1", "6", [](std::uint32_t t) { return t; }},                  // FG_GRAY10
      {"2", "0", [](std::uint32_t t) { return t << 6; }},             // FG_GRAY16, left
      {"2", "6", [](std::uint32_t t) { return t; }},                  // FG_GRAY16, right
  };
  const std::vector<int> samples = {0, 1, 100, 255, 3, 4, 5, 6};
  for (const Case& c : cases) {
    play("OutputFormat_FG_FORMAT_SelectSource", c.source);
    play("OutputFormat_DynamicShift_Shift_Value", c.shift);
    const auto pixels = grab(1).front();
    for (std::size_t x = 0; x < samples.size(); ++x) {
      EXPECT_EQ(pixels[x], c.expected(static_cast<std::uint32_t>(samples[x]) << 2))
          << c.source << "/" << c.shift << " at " << x;
    }
  }
}

// The vertical pattern counts lines from its offset and wraps at 256; past the simulator's
// active lines and pixels black passes the table (here one that lifts 0 to 9).
TEST_F(ImagePath, TheSimulatorDrawsItsPatternOverItsActiveLines) {
  play("CameraSimulator_Enable_SelectSource", "1");
  play("CameraSimulator_TriggerValve_FreeRun_Select", "1");
  play("CameraSimulator_EnableX_Enable_Value", "0");
  play("CameraSimulator_Y_Divisor", "256");
  play("CameraSimulator_Frame_Divisor", "1");
  play("CameraSimulator_Offset_Value", "250");
  play("CameraSimulator_LineGap_Number", "2");  // 16 active pixels a line
  play("CameraSimulator_FrameGap_Number", "8");  // 8 active lines
  play("LookupTable_LookupTable_LUTcontent", "36");
  region(24, 10);
  const auto pixels = grab(1).front();
  for (std::uint32_t y = 0; y < 10; ++y) {
    for (std::uint32_t x = 0; x < 24; ++x) {
      const std::uint32_t value = y < 8 && x < 16 ? (250 + y) % 256 : 0;
      const std::uint32_t expected = value == 0 ? 9 : value;
      EXPECT_EQ(pixels[y * 24 + x], expected) << x << "," << y;
    }
  }
}

TEST_F(ImagePath, TheCameraSendsItsImagesInTurn) {
  const std::string first = image("first.pgm", ramp(8, 1));
  const std::string second = image("second.pgm", ramp(8, 3));
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, (first + "," + second).c_str()), 0);
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA_INPUT), first + "," + second);
  region(8, 1);
  const auto pictures = grab(3);
  EXPECT_EQ(pictures[0][7], 7u);
  EXPECT_EQ(pictures[1][7], 21u);
  EXPECT_EQ(pictures[2][7], 7u);
}

TEST_F(ImagePath, RefusesImagesItCannotRead) {
  const std::string good = image("good.pgm", ramp(8, 1));
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, good.c_str()), 0);
  const std::string text = directory_.write("text.pgm", "P5\n8 1\n255\nshort");
  EXPECT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, text.c_str()), SIMBOARD_BAD_IMAGE);
  const std::string notPng = directory_.write("fake.png", "not a png");
  EXPECT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, notPng.c_str()), SIMBOARD_BAD_IMAGE);
  EXPECT_EQ(value(SIMBOARD_SETTING_CAMERA_INPUT), good);  // the previous input stays
}

// The bits of each output format the design offers follow the applet's own name for it
// ("Gray 10bit" for FG_GRAY10): the board's table of format bits against the applet's.
TEST_F(ImagePath, EachOutputFormatHasTheBitsTheAppletNamesIt) {
  region(8, 1);
  int offered = 0;
  for (int input = 0;; ++input) {
    const std::string format = value((kPath + "OutputFormat_FG_FORMAT_Input" + std::to_string(input)).c_str());
    if (format.empty()) break;
    ++offered;
    std::string displayName;
    for (const parameters::EnumerationList* list : parameters::enumerations::kAll) {
      for (const parameters::EnumerationEntry& entry : list->entries) {
        if (format == entry.name) displayName = entry.displayName;
      }
    }
    ASSERT_FALSE(displayName.empty()) << format << " is no format name of the applet";
    const std::size_t digits = displayName.find_first_of("0123456789");
    ASSERT_NE(digits, std::string::npos) << displayName;
    const auto named = static_cast<std::uint32_t>(std::stoul(displayName.substr(digits)));
    play("OutputFormat_FG_FORMAT_SelectSource", std::to_string(input));
    grab(1);
    SimboardFrame frame{};
    ASSERT_EQ(simboard_buffers_copy(memory_, 1, nullptr, 0, &frame), 0);
    EXPECT_EQ(frame.bits, named) << format;
    EXPECT_EQ(frame.bytesPerPixel, named > 8 ? 2u : 1u) << format;
  }
  EXPECT_GE(offered, 2);
}

// An 8-bit gray PNG (samples 16 apart) reads like the same PGM.
TEST_F(ImagePath, ReadsPngImages) {
  const std::string png = std::string(BRENVIK_SOURCE_DIR) + "/tests/simboard/data/gray-8x2.png";
  ASSERT_EQ(simboard_set(board_, SIMBOARD_SETTING_CAMERA_INPUT, png.c_str()), 0);
  region(8, 2);
  const auto pixels = grab(1).front();
  for (std::uint32_t i = 0; i < 16; ++i) EXPECT_EQ(pixels[i], i * 16) << i;
}

}  // namespace
}  // namespace brenvik::simboard::test
