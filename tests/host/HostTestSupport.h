// What the client library's tests share: an applet on a board of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "brenvik/Host.h"

namespace brenvik::test {

// A board number no other test of the process uses.
inline std::uint64_t freshBoard() {
  static std::atomic<std::uint64_t> next{7100};
  return next++;
}

// Runs `call` and expects it to throw an Error of `category`; returns the error.
template <typename Call>
Error expectError(ErrorCategory category, Call&& call) {
  try {
    call();
  } catch (const Error& error) {
    EXPECT_EQ(error.category(), category) << error.what();
    return error;
  }
  ADD_FAILURE() << "no Error of category " << categoryName(category);
  return Error(category, "none");
}

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenOptions options;
    options.board = freshBoard();
    applet_ = std::make_unique<Applet>(options);
  }
  Applet& applet() { return *applet_; }
  ParameterHandle handle(std::string_view name) { return applet_->handle(name); }

  std::unique_ptr<Applet> applet_;
};

}  // namespace brenvik::test
