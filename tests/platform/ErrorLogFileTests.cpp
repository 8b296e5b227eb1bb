// Tests of the file log's line formats and its behaviour without a stream.
#include <gtest/gtest.h>

#include <filesystem>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/logging/ErrorLogFile.h"
#include "tests/support/TextMode.h"

namespace {

using brenvik::test::fromTextMode;
using brenvik::test::inTextMode;
using brenvik::tests::fileContent;
using vurn::tools::logging::ErrorLogFile;

class ErrorLogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* unitTest = ::testing::UnitTest::GetInstance();
    path_ = (std::filesystem::temp_directory_path() /
             ("brenvik-errorlog-" + std::to_string(unitTest->random_seed()) + "-" +
              unitTest->current_test_info()->name() + ".log"))
                .string();
    std::filesystem::remove(path_);
  }
  void TearDown() override { std::filesystem::remove(path_); }
  std::string path_;
};

TEST_F(ErrorLogFileTest, LineFormats) {
  ErrorLogFile log;
  ASSERT_TRUE(log.open(path_));
  log.error("bad key");
  log.info("lines read", -3);
  log.error("FG_WIDTH", "out of range", 70000);
  log.error("FG_GAMMA", "not allowed", 1.0 / 3.0);
  log.error("FG_GAIN", "not allowed", 1e20);
  log.error(nullptr, nullptr, 2.5);
  log.trace("ignored");
  log.ok();
  log.formatted("%s=%d", "raw", 5);
  log.close();
  log.error("after close");
  EXPECT_EQ(fileContent(path_),
            inTextMode("FalvoIV::Error >> bad key;\n"
                       "FalvoIV::Info >> lines read >> -3;\n"
                       "FalvoIV::Error >> FG_WIDTH >> out of range >> 70000;\n"
                       "FalvoIV::Error >> FG_GAMMA >> not allowed >> 0.333333333333;\n"
                       "FalvoIV::Error >> FG_GAIN >> not allowed >> 1e+20;\n"
                       "FalvoIV::Error >>  >>  >> 2.5;\n"
                       "raw=5"));
}

// True for a line in asctime form without its line break, "Wed Jun 30 21:49:08 1993".
bool isAsctimeLine(const std::string& line) {
  if (line.size() != 24) return false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    const bool digit = c >= '0' && c <= '9';
    switch (i) {
      case 3: case 7: case 10: case 19: if (c != ' ') return false; break;
      case 8: if (c != ' ' && !digit) return false; break;
      case 13: case 16: if (c != ':') return false; break;
      case 0: case 1: case 2: case 4: case 5: case 6:
        if (!std::isalpha(static_cast<unsigned char>(c))) return false;
        break;
      default: if (!digit) return false;
    }
  }
  return true;
}

TEST_F(ErrorLogFileTest, HeaderLines) {
  ErrorLogFile log;
  ASSERT_TRUE(log.open(path_, false));
  log.header();
  std::vector<std::string> lines;
  std::istringstream content(fromTextMode(fileContent(path_)));
  for (std::string line; std::getline(content, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 5u) << content.str();
  const std::string rule(73, '-');
  EXPECT_EQ(lines[0], rule);
  EXPECT_FALSE(lines[1].empty());
  EXPECT_EQ(lines[2], "Contents: Log details for Falvo Dll");
  EXPECT_TRUE(isAsctimeLine(lines[3])) << lines[3];
  EXPECT_EQ(lines[4], rule);
  EXPECT_EQ(content.str().back(), '\n');
}

TEST_F(ErrorLogFileTest, WithoutStreamNothingHappens) {
  ErrorLogFile log;
  EXPECT_FALSE(log.isOpen());
  log.error("x");
  log.header();
  log.formatted("%d", 1);
  log.close();
  EXPECT_FALSE(log.open((std::filesystem::path(path_) / "missing" / "file.log").string()));
  EXPECT_FALSE(log.isOpen());
  EXPECT_FALSE(std::filesystem::exists(path_));
}

}  // namespace
