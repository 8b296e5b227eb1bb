// A copy of the shipped design in a temporary working directory, changed line by line and
// then loaded through the external design path (__VURN_FORCE_EXTERNAL_HAP).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace brenvik::test {

class DesignCopy {
 public:
  // Reads the design beside the libraries and enters a fresh directory of its own.
  DesignCopy();
  // Leaves the directory and removes it.
  ~DesignCopy();
  DesignCopy(const DesignCopy&) = delete;
  DesignCopy& operator=(const DesignCopy&) = delete;

  std::vector<std::string>& lines() { return lines_; }

  // Removes the one line that starts with `start` (a test failure when there is not exactly one).
  void removeLineStartingWith(const std::string& start);
  // Gives a text parameter of the design another value.
  void replaceText(const std::string& name, const std::string& text);
  // Writes the lines as "Brenvik.hap" into the working directory.
  void write() const;

 private:
  std::vector<std::string> lines_;
  std::filesystem::path start_;
  std::filesystem::path directory_;
};

}  // namespace brenvik::test
