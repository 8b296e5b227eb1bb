// Runtime handles: initialisation and its failures, checks of null and freed handles on
// every call, last errors, the saved configuration, and parallel use of one board.
#include <fstream>
#include <sstream>
#include <thread>

#include "BoardTestSupport.h"

namespace brenvik::simboard::test {
namespace {

using RuntimeHandle = RuntimeTest;

void expectRefused(void* handle) {
  std::uint32_t value = 0;
  char* text = nullptr;
  EXPECT_EQ(Fg_getParameterIdByName(handle, "Plain"), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_setParameterWithType(handle, 1, &value, 0, 2), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_getParameterWithType(handle, 1, &value, 0, 2), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_freeParameterStringWithType(handle, 1, text, 0, 22), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_setParameter(handle, 1, &value, 0), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_getParameter(handle, 1, &value, 0), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_getParameterInfo(handle, 0), nullptr);
  EXPECT_EQ(Fg_saveConfig(handle, "unused.cfg"), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_loadConfig(handle, "unused.cfg"), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_getAppletId(handle, 0), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_AcquireEx(handle, 0, 1, 0, nullptr), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_stopAcquireEx(handle, 0, nullptr, 0), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_Acquire(handle, 0, 1), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_stopAcquire(handle, 0), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_getLastPicNumberEx(handle, 0, nullptr), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_getLastPicNumberBlockingEx(handle, 1, 0, 1, nullptr), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_getStatusEx(handle, 1, 0, 0, nullptr), SIMBOARD_INVALID_HANDLE);
  EXPECT_EQ(Fg_FreeGrabber(handle), SIMBOARD_INVALID_HANDLE);
}

TEST_F(RuntimeHandle, NullAndFreedHandlesAreRefusedByEveryCall) {
  expectRefused(nullptr);
  const int handles = simboard_runtime_handles();
  void* second = Fg_InitHandle("x", freshBoard(), hap_);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(simboard_runtime_handles(), handles + 1);
  EXPECT_EQ(Fg_FreeGrabber(second), 0);
  EXPECT_EQ(simboard_runtime_handles(), handles);
  expectRefused(second);
  EXPECT_EQ(Fg_getLastErrorNumber(second), SIMBOARD_INVALID_HANDLE);
  int notAHandle = 0;
  expectRefused(&notAHandle);
}

TEST_F(RuntimeHandle, InitialisationNeedsAnOpenImageHandle) {
  int notAnImage = 0;
  EXPECT_EQ(Fg_InitHandleSlaveAware("x", freshBoard(), nullptr, 0), nullptr);
  EXPECT_EQ(Fg_getLastErrorNumber(nullptr), SIMBOARD_INIT_FAILED);
  EXPECT_EQ(Fg_InitHandle("x", freshBoard(), &notAnImage), nullptr);
  EXPECT_EQ(Fg_getLastErrorNumber(nullptr), SIMBOARD_INIT_FAILED);
  void* closed = Molvrt_OpenImage(image_.data(), image_.size(), 1);
  Molvrt_Close(closed);
  EXPECT_EQ(Fg_InitHandle(nullptr, freshBoard(), closed), nullptr);
}

TEST_F(RuntimeHandle, KeepsTheLastErrorOfItsOwnCalls) {
  std::uint32_t value = 0;
  EXPECT_EQ(Fg_getParameterWithType(runtime_, 555, &value, 0, 2), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(Fg_getLastErrorNumber(runtime_), SIMBOARD_INVALID_PARAMETER);
  EXPECT_EQ(Fg_getAppletId(runtime_, 0), 7);
  EXPECT_EQ(Fg_getLastErrorNumber(runtime_), 0);
  EXPECT_EQ(Fg_loadConfig(runtime_, "any.cfg"), SIMBOARD_NOT_SUPPORTED);
  EXPECT_EQ(Fg_getLastErrorNumber(runtime_), SIMBOARD_NOT_SUPPORTED);
}

TEST_F(RuntimeHandle, SavesEveryHardwareParameterAndTheStoredRuntimeValues) {
  TemporaryDirectory directory;
  ASSERT_EQ(simboard_set(board_, "Device1_Process0_Text_Name", "say \"hi\""), 0);
  const std::string path = directory.path("runtime.cfg");
  ASSERT_EQ(Fg_saveConfig(runtime_, path.c_str()), 0);
  std::ifstream file(path);
  std::stringstream content;
  content << file.rdbuf();
  const std::string text = content.str();
  for (const char* line :
       {"applet = \"Small\"\n", "FG_TIMEOUT = 1000000\n", "Device1_Process0_Block_Count = 5\n",
        "Device1_Process0_Text_Name = \"say \\\"hi\\\"\"\n",
        "Device1_Process0_Table_Values = 0,0,0,0,0,0,0,0\n", "Plain = 0\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(Fg_saveConfig(runtime_, directory.path("missing/runtime.cfg").c_str()),
            SIMBOARD_FILE_ERROR);
  EXPECT_EQ(Fg_saveConfig(runtime_, nullptr), SIMBOARD_INVALID_PARAMETER);
}

TEST_F(RuntimeHandle, ManyThreadsMayUseOneBoard) {
  constexpr int kThreads = 4;
  constexpr std::uint32_t kWrites = 2000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this] {
      const int plain = id("Plain");
      for (std::uint32_t i = 0; i < kWrites; ++i) {
        std::uint32_t value = i;
        EXPECT_EQ(Fg_setParameterWithType(runtime_, plain, &value, 0, 2), 0);
        EXPECT_EQ(Fg_getParameterWithType(runtime_, plain, &value, 0, 2), 0);
        char text[16];
        simboard_get(board_, "Plain", text, sizeof text);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(simboard_journal_size(board_), std::size_t{kThreads} * kWrites);
}

TEST(ErrorTexts, NameEveryCodeOfTheBoard) {
  for (int code : std::initializer_list<int>{
           SIMBOARD_OK, SIMBOARD_INVALID_HANDLE, SIMBOARD_INIT_FAILED, SIMBOARD_INVALID_PARAMETER,
           SIMBOARD_WRONG_TYPE, SIMBOARD_READ_ONLY, SIMBOARD_OUT_OF_RANGE, SIMBOARD_NO_DESIGN,
           SIMBOARD_TIMEOUT, SIMBOARD_BUFFER_TOO_SMALL, SIMBOARD_FILE_ERROR, SIMBOARD_NOT_SUPPORTED,
           SIMBOARD_BUSY, SIMBOARD_INTERNAL_ERROR}) {
    EXPECT_NE(simboard_error_text(code), nullptr) << code;
  }
  EXPECT_EQ(simboard_error_text(-1), nullptr);
}

}  // namespace
}  // namespace brenvik::simboard::test
