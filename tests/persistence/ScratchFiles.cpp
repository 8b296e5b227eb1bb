// A directory of its own for each test.
#include "ScratchFiles.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace brenvik::test {

void ScratchFiles::SetUp() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  directory_ = std::filesystem::temp_directory_path() /
               ("brenvik-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
                std::to_string(::getpid()));
  std::filesystem::remove_all(directory_);
  std::filesystem::create_directories(directory_);
}

void ScratchFiles::TearDown() {
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

std::string ScratchFiles::path(std::string_view name) const { return (directory_ / name).string(); }

std::string ScratchFiles::write(std::string_view name, std::string_view content) const {
  const std::string file = path(name);
  std::ofstream(file, std::ios::binary) << content;
  return file;
}

std::string ScratchFiles::read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace brenvik::test
