// Helpers of the simulated board's tests.
#include "BoardTestSupport.h"

#include <fstream>
#include <random>
#include <sstream>

namespace brenvik::simboard::test {

std::string realDesign() {
  std::ifstream file(BRENVIK_SOURCE_DIR "/resources/Brenvik.design", std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string smallDesign() {
  return R"(VHAP 1
# a design with one parameter of every value type
applet "Small"
applet-id 7
version "1.0"
parameter Device1_Process0_Block_Count u32 rw 5 min 1 max 100
parameter Device1_Process0_Block_Offset i32 rw -3
parameter Device1_Process0_Other_Big u64 rw 3
parameter Device1_Process0_Other_Signed i64 rw -1
parameter Device1_Process0_Other_Gain f64 rw 0.5 min -1 max 1
parameter Device1_Process0_Text_Name str rw "hello"
parameter Device1_Process0_Table_Values u32[8] rw 0 max 1000
parameter Device1_Process1_Status_Level u32 ro 9
parameter Plain u32 rw 0
transfer Device1_Process0_Block_Count Device1_Process0_Other_Big
register Bit 0x20 1 rw
register Wide 0x40 40 rw
register Full 0x41 64 rw
register Word 0x30 32 ro 0x12345678
event Start 1 "the start"
event Hidden 0
event Stop 1
)";
}

std::string lastDesignError() {
  char text[512] = {};
  simboard_last_design_error(text, sizeof text);
  return text;
}

std::string boardValue(std::uint64_t board, const char* name) {
  std::vector<char> text(32768);
  if (simboard_get(board, name, text.data(), text.size()) != SIMBOARD_OK) return "";
  return text.data();
}

TemporaryDirectory::TemporaryDirectory() {
  std::random_device random;
  root_ = std::filesystem::temp_directory_path() /
          ("simboard-test-" + std::to_string(random()) + "-" + std::to_string(random()));
  std::filesystem::create_directories(root_);
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string TemporaryDirectory::write(const std::string& name, const std::string& content) const {
  std::string file = path(name);
  std::ofstream(file, std::ios::binary) << content;
  return file;
}

void RuntimeTest::SetUp() {
  image_ = design();
  hap_ = Molvrt_OpenImage(image_.data(), image_.size(), 1);
  ASSERT_NE(hap_, nullptr) << lastDesignError();
  board_ = freshBoard();
  runtime_ = Fg_InitHandleSlaveAware("Brenvik.hap", board_, hap_, 0);
  ASSERT_NE(runtime_, nullptr);
}

void RuntimeTest::TearDown() {
  if (runtime_ != nullptr) {
    EXPECT_EQ(Fg_FreeGrabber(runtime_), SIMBOARD_OK);
  }
  Molvrt_Close(hap_);
}

}  // namespace brenvik::simboard::test
