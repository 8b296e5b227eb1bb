// Helpers of the simulated board's tests: fresh board handles, design texts and files in a
// temporary directory, and a runtime initialised on a design.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "BoardJournal.h"
#include "RuntimeFunctions.h"
#include "runtime/HardwareAppletRuntime.h"
#include "runtime/SdkRuntime.h"
#include "simboard/control.h"

namespace brenvik::simboard::test {

using brenvik::test::freshBoard;
using brenvik::test::journal;

// The applet's design as shipped.
std::string realDesign();

// A small design with one parameter of each value type, a few registers and events.
std::string smallDesign();

// Why the last design did not open.
std::string lastDesignError();

// A board's value as text through the control interface ("" when it fails).
std::string boardValue(std::uint64_t board, const char* name);

// A directory that exists for the life of the object.
class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  std::string write(const std::string& name, const std::string& content) const;
  std::string path(const std::string& name) const { return (root_ / name).string(); }

 private:
  std::filesystem::path root_;
};

// A runtime on a fresh board, initialised on the design text that design() gives.
class RuntimeTest : public ::testing::Test {
 protected:
  virtual std::string design() const { return smallDesign(); }
  void SetUp() override;
  void TearDown() override;

  int id(const char* name) const { return Fg_getParameterIdByName(runtime_, name); }
  int set(const char* name, const void* value, int type) const {
    return Fg_setParameterWithType(runtime_, id(name), value, 0, type);
  }
  int get(const char* name, void* value, int type) const {
    return Fg_getParameterWithType(runtime_, id(name), value, 0, type);
  }
  std::string value(const char* name) const { return boardValue(board_, name); }

  std::string image_;
  void* hap_ = nullptr;
  void* runtime_ = nullptr;
  std::uint64_t board_ = 0;
};

}  // namespace brenvik::simboard::test
