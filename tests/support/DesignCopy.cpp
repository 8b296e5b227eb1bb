// A changeable copy of the shipped design in a temporary working directory.
#include "DesignCopy.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

namespace brenvik::test {

DesignCopy::DesignCopy() : start_(std::filesystem::current_path()) {
  std::ifstream design(std::string(BRENVIK_BUILD_DIR) + "/lib/Brenvik.hap");
  for (std::string line; std::getline(design, line);) lines_.push_back(line);
  EXPECT_GT(lines_.size(), 100u);
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  directory_ = std::filesystem::temp_directory_path() /
               ("brenvik-design-" + std::to_string(getpid()) + "-" +
                (test != nullptr ? test->name() : "none"));
  std::filesystem::create_directories(directory_);
  std::filesystem::current_path(directory_);
}

DesignCopy::~DesignCopy() {
  std::filesystem::current_path(start_);
  std::filesystem::remove_all(directory_);
}

void DesignCopy::removeLineStartingWith(const std::string& start) {
  const auto before = lines_.size();
  std::erase_if(lines_, [&](const std::string& line) { return line.starts_with(start); });
  EXPECT_EQ(lines_.size(), before - 1) << start;
}

void DesignCopy::replaceText(const std::string& name, const std::string& text) {
  for (std::string& line : lines_) {
    if (line.starts_with("parameter " + name + " str ")) {
      line = "parameter " + name + " str ro \"" + text + "\"";
      return;
    }
  }
  ADD_FAILURE() << "no text parameter " << name;
}

void DesignCopy::write() const {
  std::ofstream file("Brenvik.hap");
  for (const std::string& line : lines_) file << line << "\n";
}

}  // namespace brenvik::test
