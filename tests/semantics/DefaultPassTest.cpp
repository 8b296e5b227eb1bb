// The default pass at creation: the writes it makes on the simulated board, once and in order,
// or none with flags bit 0 (the build holds its steps to the writable parameters).
#include "LutTestSupport.h"
#include "SetPathFixture.h"
#include "TriggerWrites.h"
#include "simboard/control.h"

namespace brenvik::test {
namespace {

std::vector<std::string> formatWrites() {
  return {"OutputFormat_Convert0_VirtualTrash_EnableTrash_Value 2 0 0",
          "OutputFormat_Convert1_VirtualTrash_EnableTrash_Value 2 1 0",
          "OutputFormat_Convert2_VirtualTrash_EnableTrash_Value 2 1 0",
          "OutputFormat_DynamicShift_Shift_Value 2 8 0",
          "OutputFormat_FG_FORMAT_SelectSource 2 0 0"};
}

// The simulator's line and frame, 1024 by 1024 without gaps.
std::vector<std::string> simulatorSizeWrites() {
  return {"CameraSimulator_Size_ImageWidth 2 128 0", "CameraSimulator_LineGap_Number 2 128 0",
          "CameraSimulator_Size_ImageHeight 2 1024 0", "CameraSimulator_FrameGap_Number 2 1024 0"};
}

TEST(DefaultPass, CreationWritesEveryInitialValueOnceInOrder) {
  const std::uint64_t board = freshBoard();
  AppletHandle handle{Std_entry(board, nullptr, 0)};
  ASSERT_NE(handle.applet, nullptr);
  const auto sorter =
      sorterWrites(1024, 0, 1024, 1, 0, "0:0,1,2,3,4,5,6,7,8,8", "0:0,0,0,0,0,0,0,0,0,0");
  const std::string dram = "Buffer_0_DRAM_A_0_";
  EXPECT_EQ(withoutPrefix(journal(board)),
            concatenated({
                trigger::creation(),
                {"FG_TIMEOUT 2 1000000 0", "Camera_FullMode 2 0 0", "Camera_DvalMode 2 1 0",
                 "Debug_CameraInput_DebugFile 6  0"},
                sorter,  // tap geometry
                sorter,  // sensor width
                sorter,  // vantage point
                sorter, {dram + "XLength 2 1024 0"},
                sorter, {dram + "YLength 2 1024 0"},
                sorter, {dram + "XOffset 2 0 0"},
                sorter, {dram + "YOffset 2 0 0"},
                formatWrites(),  // format
                formatWrites(),  // alignment, through the format
                formatWrites(),  // custom shift, through the alignment and the format
                {"CameraSimulator_Enable_SelectSource 2 0 0",
                 "CameraSimulator_EnableX_Enable_Value 2 1 0", "CameraSimulator_Y_Divisor 2 256 0",
                 "CameraSimulator_Offset_Value 2 0 0", "CameraSimulator_Frame_Divisor 2 256 0",
                 "CameraSimulator_ControlPixelClock_Mode 2 1 0"},
                simulatorSizeWrites(),  // the select mode's sizes
                {"CameraSimulator_PixelFrequency_SequenceLength_ImageWidth 2 12207 0",
                 "CameraSimulator_PixelFrequency_ActivePixel_Number 2 1 0"},
                simulatorSizeWrites(),  // the frame rate's sizes, gaps dropped
                {"CameraSimulator_TriggerValve_FreeRun_Select 2 1 0",
                 "CameraSimulator_TriggerValve_TriggerValve_Mode 2 2 0"},
                {"ImageSelector_FG_IMG_SELECT_PERIOD_Divisor 2 1 0",
                 "ImageSelector_FG_IMG_SELECT_PHASE_Number 2 0 0"},
                {tableWrite(identityTable())},  // the processing type computes the table
                trigger::defaults(),
            }));
  EXPECT_EQ(Fg_getLastErrorNumber(&handle), 0);
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

// Without the defaults only the trigger's creation state reaches the board, yet every value
// reads as its initial value and the first set writes only what it needs.
TEST(DefaultPass, FlagsBitZeroLeavesTheBoardToTheFirstSet) {
  const std::uint64_t board = freshBoard();
  AppletHandle handle{Std_entry(board, nullptr, 1)};
  ASSERT_NE(handle.applet, nullptr);
  EXPECT_EQ(withoutPrefix(takeWrites(board)), trigger::creation());
  std::uint32_t value = 0;
  ASSERT_EQ(Fg_getParameterWithType(&handle, sdkId("FG_TIMEOUT"), &value, 0, 2), 0);
  EXPECT_EQ(value, 1000000u);
  value = 2;
  ASSERT_EQ(Fg_setParameterWithType(&handle, sdkId("FG_IMG_SELECT_PERIOD"), &value, 0, 2), 0);
  EXPECT_EQ(withoutPrefix(journal(board)),
            std::vector<std::string>{"ImageSelector_FG_IMG_SELECT_PERIOD_Divisor 2 2 0"});
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

// A write that fails during the pass is dropped: the next steps still run and creation
// succeeds.
TEST(DefaultPass, AFailingWriteIsDroppedAndThePassGoesOn) {
  const std::uint64_t board = freshBoard();
  // Planned failures survive loading the design, so they can be set before creation.
  ASSERT_EQ(simboard_fail(board, "Device1_Process0_Camera_FullMode", SIMBOARD_WRITES, -2073, 1),
            0);
  std::int32_t code = -1;
  AppletHandle handle{Std_entry(board, &code, 0)};
  ASSERT_NE(handle.applet, nullptr);
  EXPECT_EQ(code, 0);
  const auto lines = withoutPrefix(journal(board));
  const std::size_t first = trigger::creation().size();
  ASSERT_GT(lines.size(), first + 3);
  EXPECT_EQ(lines[first + 1], "Camera_FullMode 2 0 -2073");
  EXPECT_EQ(lines[first + 2], "Camera_DvalMode 2 1 0");
  EXPECT_EQ(lines.back(), trigger::defaults().back());
  std::uint32_t camType = 0;
  ASSERT_EQ(Fg_getParameterWithType(&handle, sdkId("FG_CAMERA_LINK_CAMTYPE"), &camType, 0, 2), 0);
  EXPECT_EQ(camType, 308u);
  EXPECT_EQ(Fg_getLastErrorNumber(&handle), 0);
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

}  // namespace
}  // namespace brenvik::test
