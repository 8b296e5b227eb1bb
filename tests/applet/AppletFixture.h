// Shared helpers of the applet tests: an applet created on a board of its own per test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BoardJournal.h"
#include "applet/Exports.h"
#include "simboard/control.h"

namespace brenvik::test {

// A file's whole content, or an empty text when it cannot be read.
std::string readFile(const std::string& path);

class AppletTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  virtual std::uint32_t creationFlags() const { return 0; }

  int lastError() { return Fg_getLastErrorNumber(&handle_); }

  AppletHandle handle_{nullptr};
  std::uint64_t board_ = 0;
};

}  // namespace brenvik::test
