// Shared helpers of the applet tests.
#include "AppletFixture.h"

#include <fstream>
#include <sstream>

namespace brenvik::test {

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
