// A directory of its own for each test, removed afterwards, and whole-file reads and writes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace brenvik::test {

class ScratchFiles : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A path inside the test's directory.
  std::string path(std::string_view name) const;
  // Writes `content` byte for byte to the named file and returns its path.
  std::string write(std::string_view name, std::string_view content) const;
  // A file's bytes, or an empty text when it does not read.
  static std::string read(const std::string& path);

  std::filesystem::path directory_;
};

}  // namespace brenvik::test
