// A directory of its own for each test, removed afterwards, and whole-file reads and writes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace brenvik::test {

// A fresh directory named after the running test, removed with the object.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // A path inside the directory.
  std::string path(std::string_view name) const;
  // Writes `content` byte for byte to the named file and returns its path.
  std::string write(std::string_view name, std::string_view content) const;
  // A file's bytes, or an empty text when it does not read.
  static std::string read(const std::string& path);

  const std::filesystem::path& directory() const { return directory_; }

 private:
  std::filesystem::path directory_;
};

class ScratchFiles : public ::testing::Test {
 protected:
  std::string path(std::string_view name) const { return scratch_.path(name); }
  std::string write(std::string_view name, std::string_view content) const {
    return scratch_.write(name, content);
  }
  static std::string read(const std::string& path) { return ScratchDirectory::read(path); }

  ScratchDirectory scratch_;
};

}  // namespace brenvik::test
