// Helpers shared by the platform tests: logic_error checks, running on another thread, log files.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

namespace brenvik::tests {

// Runs `action` and expects std::logic_error with exactly `message`.
inline void expectLogicError(const std::function<void()>& action, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "no std::logic_error, expected: " << message;
  } catch (const std::logic_error& error) {
    EXPECT_EQ(error.what(), message);
  }
}

// Runs `action` on a thread of its own and waits for it.
template <typename Action>
auto onOtherThread(Action action) {
  decltype(action()) result{};
  std::thread thread([&] { result = action(); });
  thread.join();
  return result;
}

// Whole content of a file, empty when it does not exist.
inline std::string fileContent(const std::string& path) {
  std::ifstream stream(path, std::ios::binary);
  std::ostringstream content;
  content << stream.rdbuf();
  return content.str();
}

}  // namespace brenvik::tests
