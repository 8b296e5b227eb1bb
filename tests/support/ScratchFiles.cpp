// A directory of its own for each test.
#include "ScratchFiles.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace brenvik::test {

ScratchDirectory::ScratchDirectory() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = test != nullptr ? std::string(test->test_suite_name()) + "-" +
                                                 test->name()
                                           : std::string("outside-a-test");
  directory_ = std::filesystem::temp_directory_path() /
               ("brenvik-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(directory_);
  std::filesystem::create_directories(directory_);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

std::string ScratchDirectory::path(std::string_view name) const {
  return (directory_ / name).string();
}

std::string ScratchDirectory::write(std::string_view name, std::string_view content) const {
  const std::string file = path(name);
  std::ofstream(file, std::ios::binary) << content;
  return file;
}

std::string ScratchDirectory::read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace brenvik::test
