// Shared helpers of the applet tests.
#include "AppletFixture.h"

#include <atomic>
#include <fstream>
#include <sstream>

namespace brenvik::test {

std::uint64_t freshBoard() {
  static std::atomic<std::uint64_t> next{100};
  return next++;
}

std::vector<std::string> journal(std::uint64_t board) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < simboard_journal_size(board); ++i) {
    SimboardWrite write{};
    if (simboard_journal_entry(board, i, &write) != 0) break;
    lines.push_back(std::string(write.name) + " " + std::to_string(write.type) + " " +
                    write.value + " " + std::to_string(write.result));
  }
  return lines;
}

std::string readFile(const std::string& path) {
  std::ifstream file(path);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void AppletTest::SetUp() {
  board_ = freshBoard();
  std::int32_t code = -1;
  handle_.applet = Std_entry(board_, &code, creationFlags());
  ASSERT_EQ(code, 0);
  ASSERT_NE(handle_.applet, nullptr);
}

void AppletTest::TearDown() {
  if (handle_.applet != nullptr) {
    EXPECT_EQ(Fg_FreeGrabber(&handle_), 0);
  }
}

}  // namespace brenvik::test
