// Debug image injection on the simulated board's two debug points (0: Inject "CameraInput",
// 1: InjectMonitor "LutOutput"): selection and the descriptions it adjusts, the operation
// mode bits, single-pixel injection, the debug file, the runtime's own save, and the codes.
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "SetPathFixture.h"
#include "runtime/ParameterRecord.h"

namespace brenvik::test {
namespace {

constexpr std::int32_t kFile = sdkId("FG_DEBUGFILE");
constexpr std::int32_t kSource = sdkId("FG_DEBUGSOURCE");
constexpr std::int32_t kSourceName = sdkId("FG_DEBUGSOURCENAME");
constexpr std::int32_t kInEnable = sdkId("FG_DEBUGINENABLE");
constexpr std::int32_t kInsert = sdkId("FG_DEBUGINSERT");
constexpr std::int32_t kOutEnable = sdkId("FG_DEBUGOUTENABLE");
constexpr std::int32_t kOutPixel = sdkId("FG_DEBUGOUTPIXEL");
constexpr std::int32_t kWritePixel = sdkId("FG_DEBUGWRITEPIXEL");
constexpr std::int32_t kWriteFlag = sdkId("FG_DEBUGWRITEFLAG");
constexpr std::int32_t kSaveConfig = sdkId("FG_DEBUGSAVECONFIG");
constexpr std::uint64_t kPixelLimit = std::uint64_t{1} << 57;

const std::string kPoint0 = "Device1_Process0_Debug_CameraInput_";
const std::string kPoint1 = "Device1_Process0_Debug_LutOutput_";

class DebugInjection : public SetPathTest {
 protected:
  int setText(std::int32_t id, const char* text) {
    return Fg_setParameterWithType(&handle_, id, text, 0, 6);
  }
  int setPixel(std::uint64_t pixel) {
    return Fg_setParameterWithType(&handle_, kWritePixel, &pixel, 0, 4);
  }
  std::string getText(std::int32_t id) {
    char text[256] = {};
    EXPECT_EQ(Fg_getParameterWithType(&handle_, id, text, 0, 6), 0) << id;
    return text;
  }
};

TEST_F(DebugInjection, SelectingAPointAdjustsTheOutputDescriptions) {
  EXPECT_EQ(getText(kSourceName), "CameraInput");
  ASSERT_EQ(set(kSource, 1), 0);
  EXPECT_EQ(get(kSource), 1u);
  EXPECT_EQ(getText(kSourceName), "LutOutput");
  EXPECT_EQ(access(kOutEnable), runtime::kAccessReadWrite);
  EXPECT_EQ(maximum(kOutPixel), 1023);  // the design's range of the monitored pixel

  ASSERT_EQ(set(kSource, 0), 0);
  EXPECT_EQ(access(kOutEnable), runtime::kAccessReadOnly);
  EXPECT_EQ(maximum(kOutPixel), 0);
  EXPECT_TRUE(writes().empty());  // selecting writes no hardware

  // The count is read again on every selection: beyond it the selection stays.
  EXPECT_EQ(set(kSource, 2), -6000);
  ASSERT_EQ(simboard_set(board_, "Device1_Process0_Debug_Entries", "1"), 0);
  EXPECT_EQ(set(kSource, 1), -6000);
  EXPECT_EQ(get(kSource), 0u);
}

TEST_F(DebugInjection, InputAndOutputShareTheOperationMode) {
  ASSERT_EQ(set(kSource, 1), 0);
  ASSERT_EQ(set(kOutEnable, 1), 0);
  ASSERT_EQ(set(kInEnable, 1), 0);
  ASSERT_EQ(set(kOutEnable, 0), 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{"Debug_LutOutput_OperationMode 2 2 0",
                                                "Debug_LutOutput_OperationMode 2 3 0",
                                                "Debug_LutOutput_OperationMode 2 1 0"}));
  EXPECT_EQ(get(kInEnable), 1u);
  EXPECT_EQ(get(kOutEnable), 0u);
  EXPECT_EQ(set(kInEnable, 2), -6000);
  EXPECT_EQ(set(kOutEnable, 2), -6000);

  // An Inject point keeps the output setting without a write and reports no output.
  ASSERT_EQ(set(kSource, 0), 0);
  ASSERT_EQ(set(kOutEnable, 1), 0);
  EXPECT_TRUE(writes().empty());
  EXPECT_EQ(get(kOutEnable), 0u);
  ASSERT_EQ(set(kInEnable, 1), 0);
  EXPECT_EQ(writes(), std::vector<std::string>{"Debug_CameraInput_OperationMode 2 1 0"});
}

TEST_F(DebugInjection, PixelsFlagsAndInsertionsReachTheSelectedPoint) {
  ASSERT_EQ(setPixel(kPixelLimit - 1), 0);
  ASSERT_EQ(set(kWriteFlag, 1), 0);
  ASSERT_EQ(set(kInsert, 1), 0);
  EXPECT_EQ(writes(),
            (std::vector<std::string>{"Debug_CameraInput_Inject_WritePixel 4 144115188075855871 0",
                                      "Debug_CameraInput_Inject_WriteFlag 2 1 0",
                                      "Debug_CameraInput_Insert 2 1 0"}));
  EXPECT_EQ(setPixel(kPixelLimit), -6000);
  EXPECT_EQ(setPixel(~std::uint64_t{0}), -6000);
  EXPECT_EQ(set(kWriteFlag, 2), -6000);
  EXPECT_EQ(set(kInsert, 0), -6000);
  EXPECT_TRUE(writes().empty());
  std::uint64_t pixel = 0;
  ASSERT_EQ(Fg_getParameterWithType(&handle_, kWritePixel, &pixel, 0, 4), 0);
  EXPECT_EQ(pixel, kPixelLimit - 1);
}

TEST_F(DebugInjection, AFailingAccessGivesItsCodeAndKeepsTheStoredValue) {
  failWrites(kPoint0 + "Inject_WriteFlag", -2073);
  EXPECT_EQ(set(kWriteFlag, 1), -2031);
  EXPECT_EQ(get(kWriteFlag), 0u);

  // An insertion needs the input bit to be readable first.
  ASSERT_EQ(simboard_fail(board_, (kPoint0 + "OperationMode").c_str(), SIMBOARD_READS, -2073, 1),
            0);
  EXPECT_EQ(set(kInsert, 1), -2031);
  EXPECT_EQ(writes(), std::vector<std::string>{"Debug_CameraInput_Inject_WriteFlag 2 1 -2073"});

  failWrites(kPoint0 + "DebugFile", -2073);
  EXPECT_EQ(setText(kFile, "lost.pgm"), -2031);
  ASSERT_EQ(setText(kFile, "frame.pgm"), 0);
  EXPECT_EQ(getText(kFile), "frame.pgm");
  EXPECT_EQ(writes(), (std::vector<std::string>{"Debug_CameraInput_DebugFile 6 lost.pgm -2073",
                                                "Debug_CameraInput_DebugFile 6 frame.pgm 0"}));
  EXPECT_EQ(lastError(), 0);
}

TEST_F(DebugInjection, FileNamesTheBoardCannotHoldAreRefused) {
  ASSERT_EQ(setText(kFile, "kept.pgm"), 0);
  const std::string tooLong(2000, 'f');
  EXPECT_EQ(setText(kFile, tooLong.c_str()), -2031);
  EXPECT_EQ(getText(kFile), "kept.pgm");
  ASSERT_EQ(setText(kFile, ""), 0);  // an empty name clears the point's file
  EXPECT_EQ(getText(kFile), "");
  // The save's result is the runtime's business: a name it cannot use still succeeds.
  EXPECT_EQ(setText(kSaveConfig, tooLong.c_str()), 0);
  EXPECT_EQ(set(kSource, 1), 0);
}

TEST_F(DebugInjection, TheRuntimeSavesItsOwnConfiguration) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("brenvik-debug-save-" + std::to_string(::getpid()) + ".mcf");
  ASSERT_EQ(setText(kSaveConfig, path.string().c_str()), 0);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(getText(kSaveConfig), path.string());
  std::filesystem::remove(path);

  // The runtime's own result is not looked at: an unwritable file is still stored.
  ASSERT_EQ(setText(kSaveConfig, "/nonexistent-directory/x.mcf"), 0);
  EXPECT_EQ(getText(kSaveConfig), "/nonexistent-directory/x.mcf");
  ASSERT_EQ(setText(kSaveConfig, ""), 0);
  EXPECT_EQ(set(kSource, 1), 0);  // the applet stays usable
}

// The board's monitor follows what was injected: positions advance per pixel and start over
// at the flags, and only while both input and output are enabled.
TEST_F(DebugInjection, TheMonitorFollowsInjectedPixels) {
  constexpr std::int32_t kX = sdkId("FG_DEBUGOUTXPOS");
  constexpr std::int32_t kY = sdkId("FG_DEBUGOUTYPOS");
  constexpr std::int32_t kReady = sdkId("FG_DEBUGREADY");
  ASSERT_EQ(set(kSource, 1), 0);
  ASSERT_EQ(set(kInEnable, 1), 0);
  EXPECT_EQ(get(kReady), 1u);
  ASSERT_EQ(setPixel(5), 0);  // output off: nothing to watch yet
  EXPECT_EQ(get(kOutPixel), 0u);
  ASSERT_EQ(set(kOutEnable, 1), 0);
  ASSERT_EQ(setPixel(7), 0);
  EXPECT_EQ((std::vector{get(kX), get(kY), get(kOutPixel)}), (std::vector{1u, 0u, 7u}));
  ASSERT_EQ(set(kWriteFlag, 0), 0);  // end of line
  ASSERT_EQ(setPixel(5000), 0);      // beyond the monitor's 10 bits
  EXPECT_EQ((std::vector{get(kX), get(kY), get(kOutPixel)}), (std::vector{0u, 1u, 1023u}));
  ASSERT_EQ(set(kWriteFlag, 1), 0);  // end of frame
  ASSERT_EQ(setPixel(9), 0);
  EXPECT_EQ((std::vector{get(kX), get(kY), get(kOutPixel)}), (std::vector{0u, 0u, 9u}));

  ASSERT_EQ(set(kInEnable, 0), 0);
  EXPECT_EQ(get(kReady), 0u);
  ASSERT_EQ(setPixel(11), 0);  // the input is off: not injected
  EXPECT_EQ(get(kOutPixel), 9u);
}

TEST_F(DebugInjection, AnInsertionInjectsTheWholePgmImage) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("brenvik-debug-image-" + std::to_string(::getpid()) + ".pgm");
  {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("P5\n# three by two\n3 2\n255\n", file);
    const unsigned char pixels[] = {1, 2, 3, 4, 5, 6};
    std::fwrite(pixels, 1, sizeof pixels, file);
    std::fclose(file);
  }
  ASSERT_EQ(set(kSource, 1), 0);
  ASSERT_EQ(set(kOutEnable, 1), 0);
  ASSERT_EQ(setText(kFile, path.string().c_str()), 0);
  ASSERT_EQ(set(kInsert, 1), 0);  // input off: nothing happens
  EXPECT_EQ(get(kOutPixel), 0u);
  ASSERT_EQ(set(kInEnable, 1), 0);
  ASSERT_EQ(set(kInsert, 1), 0);
  EXPECT_EQ(get(sdkId("FG_DEBUGOUTXPOS")), 2u);
  EXPECT_EQ(get(sdkId("FG_DEBUGOUTYPOS")), 1u);
  EXPECT_EQ(get(kOutPixel), 6u);
  std::filesystem::remove(path);
}

// Discovery that stops at the second point keeps the count: selecting that point gives an
// empty Inject point whose accesses fail.
TEST(DebugDiscovery, APointDiscoveryNeverReachedIsAnEmptyInjectPoint) {
  const std::uint64_t board = freshBoard();
  ASSERT_EQ(simboard_fail(board, "Device1_Process0_Debug_Name1", SIMBOARD_READS, -2073, 1), 0);
  AppletHandle handle{Std_entry(board, nullptr, 0)};
  ASSERT_NE(handle.applet, nullptr);
  std::uint32_t index = 1;
  ASSERT_EQ(Fg_setParameterWithType(&handle, kSource, &index, 0, 2), 0);
  char name[256] = {'x'};
  ASSERT_EQ(Fg_getParameterWithType(&handle, kSourceName, name, 0, 6), 0);
  EXPECT_STREQ(name, "");
  EXPECT_EQ(Fg_setParameterWithType(&handle, kFile, "a.pgm", 0, 6), -2031);
  std::uint32_t flag = 1;
  EXPECT_EQ(Fg_setParameterWithType(&handle, kWriteFlag, &flag, 0, 2), -2031);
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

}  // namespace
}  // namespace brenvik::test
