// Creating and tearing down the applet: the sequence, its failures and its bookkeeping.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "AppletFixture.h"
#include "LogLines.h"
#include "platform/os/LibraryNames.h"

namespace brenvik::test {
namespace {

std::uint64_t infoValue(int query) {
  std::uint64_t value = 0;
  EXPECT_EQ(Info(query, 0, 0, &value, nullptr), 0);
  return value;
}

TEST(Creation, CreatesOnTheBoardAndReleasesEverythingOnFree) {
  const int openBefore = simboard_open_designs();
  const std::uint64_t board = freshBoard();
  std::int32_t code = -1;
  AppletHandle handle{Std_entry(board, &code, 0)};
  ASSERT_NE(handle.applet, nullptr);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(simboard_open_designs(), openBefore + 1);
  EXPECT_EQ(infoValue(0x1030), board);
  EXPECT_NE(infoValue(0x1040), 0u);
  EXPECT_EQ(Fg_getLastErrorNumber(&handle), 0);

  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
  EXPECT_EQ(handle.applet, nullptr);
  EXPECT_EQ(simboard_open_designs(), openBefore);
  EXPECT_EQ(Fg_getNrOfParameter(&handle), -2001);
}

TEST(Creation, WorksWithoutAnErrorCodeVariable) {
  AppletHandle handle{Std_entry(freshBoard(), nullptr, 0)};
  ASSERT_NE(handle.applet, nullptr);
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

// The generators are put into their creation state whatever the flags; the defaults are not.
TEST(Creation, FlagBitZeroWritesOnlyTheTriggersCreationState) {
  const std::uint64_t board = freshBoard();
  AppletHandle handle{Std_entry(board, nullptr, 1)};
  ASSERT_NE(handle.applet, nullptr);
  const std::vector<std::string> lines = journal(board);
  EXPECT_EQ(lines.size(), 3u);
  for (const std::string& line : lines) {
    EXPECT_EQ(line.rfind("Device1_Process1_Trigger_TriggerCam0_", 0), 0u) << line;
  }
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

TEST(Creation, ObjectsOnSeveralThreadsAndBoardsLiveSideBySide) {
  constexpr std::size_t kThreads = 4;
  std::vector<AppletHandle> handles(kThreads, AppletHandle{nullptr});
  std::vector<std::int32_t> codes(kThreads, -1);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] { handles[i].applet = Std_entry(freshBoard(), &codes[i], 0); });
  }
  for (auto& thread : threads) thread.join();
  for (std::size_t i = 0; i < kThreads; ++i) {
    ASSERT_NE(handles[i].applet, nullptr) << "code " << codes[i];
    EXPECT_EQ(codes[i], 0);
  }
  for (auto& handle : handles) EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

// --- In processes of their own, with another SDK runtime or environment ---

// Expects exactly one line with this message in the dispatcher's log file.
void expectLogged(const std::string& text) {
  ASSERT_NE(std::getenv("BRENVIK_LOG_FILE"), nullptr);
  EXPECT_EQ(countLogged(0, text), 1) << logText();
}

void removeLogFile() {
  if (const char* file = std::getenv("BRENVIK_LOG_FILE")) std::remove(file);
}

TEST(BasicRuntimeVariant, CreatesThroughThePlainInitialisationAndRefusesMissingFunctions) {
  const std::uint64_t board = freshBoard();
  std::int32_t code = -1;
  AppletHandle handle{Std_entry(board, &code, 0)};
  ASSERT_NE(handle.applet, nullptr);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Fg_AcquireEx(&handle, 0, 1, 0, nullptr), -12);
  EXPECT_EQ(Fg_getLastErrorNumber(&handle), -12);
  EXPECT_EQ(Fg_getLastPicNumberEx(&handle, 0, nullptr), -12);
  EXPECT_EQ(Fg_getAppletId(&handle, 0), -12);
  EXPECT_EQ(Fg_getParameterInfo(&handle, 0), nullptr);
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

TEST(NoAcquireVariant, AcquireAnswersNotAvailableWhileOtherForwardsWork) {
  const std::uint64_t board = freshBoard();
  AppletHandle handle{Std_entry(board, nullptr, 0)};
  ASSERT_NE(handle.applet, nullptr);
  EXPECT_EQ(Fg_AcquireEx(&handle, 0, 10, 0, nullptr), -12);
  EXPECT_EQ(Fg_getLastErrorNumber(&handle), -12);
  EXPECT_GE(Fg_getLastPicNumberEx(&handle, 0, nullptr), 0);
  EXPECT_EQ(Fg_getLastErrorNumber(&handle), 0);
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

TEST(NoParameterInfoVariant, HandsOutNoParameterInformation) {
  AppletHandle handle{Std_entry(freshBoard(), nullptr, 0)};
  ASSERT_NE(handle.applet, nullptr);
  EXPECT_EQ(Fg_getParameterInfo(&handle, 0), nullptr);
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

TEST(InitFailsVariant, ReportsTheRuntimesErrorAndClosesTheHardwareApplet) {
  removeLogFile();
  const int openBefore = simboard_open_designs();
  std::int32_t code = 0;
  EXPECT_EQ(Std_entry(freshBoard(), &code, 0), nullptr);
  EXPECT_EQ(code, -2022);
  EXPECT_EQ(simboard_open_designs(), openBefore);
  expectLogged("error calling 'Fg_InitHandleSlaveAware' (hapName = 'Brenvik.hap')");
}

TEST(BrokenRuntimeVariant, ReportsAMissingRuntimeLibrary) {
  removeLogFile();
  const int openBefore = simboard_open_designs();
  std::int32_t code = 0;
  EXPECT_EQ(Std_entry(freshBoard(), &code, 0), nullptr);
  EXPECT_EQ(code, -2031);
  EXPECT_EQ(simboard_open_designs(), openBefore);
  // The name the platform's library search is given: "dravlib5.dll" on Windows.
  expectLogged("error opening dll '" + platform::libraryFileName("dravlib5") + "'");
}

// Runs in the library directory, where the build placed "Brenvik.hap".
class ExternalHap : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::current_path(start_); }
  void enterEmptyDirectory() {
    directory_ = std::filesystem::temp_directory_path() /
                 ("brenvik-hap-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory_);
    std::filesystem::current_path(directory_);
  }
  std::filesystem::path start_ = std::filesystem::current_path();
  std::filesystem::path directory_;
};

TEST_F(ExternalHap, OpensTheFileOfThatNameInTheWorkingDirectory) {
  ASSERT_TRUE(std::filesystem::exists("Brenvik.hap"));
  AppletHandle handle{Std_entry(freshBoard(), nullptr, 0)};
  ASSERT_NE(handle.applet, nullptr);
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

TEST_F(ExternalHap, AMissingOrCorruptFileFailsTheCreation) {
  enterEmptyDirectory();
  std::int32_t code = 0;
  EXPECT_EQ(Std_entry(freshBoard(), &code, 0), nullptr);
  EXPECT_EQ(code, -100);

  std::ofstream("Brenvik.hap") << "this is not a hardware applet\n";
  code = 0;
  EXPECT_EQ(Std_entry(freshBoard(), &code, 0), nullptr);
  EXPECT_EQ(code, -100);
  std::filesystem::current_path(start_);
  std::filesystem::remove_all(directory_);
}

}  // namespace
}  // namespace brenvik::test
