// The table of meanings against the result codes as they are declared: every code has one
// meaning, and the table holds no code that is not declared.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "brenvik/Error.h"
#include "runtime/ResultMeanings.h"

namespace brenvik::test {
namespace {

std::set<std::int32_t> declaredCodes() {
  std::ifstream header(BRENVIK_SOURCE_DIR "/runtime/ResultCodes.h");
  std::stringstream text;
  text << header.rdbuf();
  const std::string source = text.str();
  const std::regex declaration(R"(constexpr std::int32_t k\w+ = (-?\d+);)");
  std::set<std::int32_t> codes;
  for (auto it = std::sregex_iterator(source.begin(), source.end(), declaration);
       it != std::sregex_iterator(); ++it) {
    codes.insert(std::stoi((*it)[1]));
  }
  return codes;
}

TEST(ResultMeanings, EveryDeclaredCodeHasOneMeaningAndNoOther) {
  const std::set<std::int32_t> declared = declaredCodes();
  ASSERT_FALSE(declared.empty());
  std::set<std::int32_t> tabled;
  for (const codes::ResultMeaning& row : codes::kResultMeanings) {
    EXPECT_TRUE(tabled.insert(row.code).second) << "code " << row.code << " twice";
    EXPECT_TRUE(declared.contains(row.code)) << "code " << row.code << " is not declared";
    EXPECT_FALSE(row.text.empty()) << row.code;
  }
  for (const std::int32_t code : declared) {
    EXPECT_TRUE(tabled.contains(code)) << "code " << code << " has no meaning";
  }
}

TEST(ResultMeanings, TheLibraryAddsTheBoardsCodes) {
  EXPECT_EQ(codeMeaning(-6000), "value out of range or not allowed");
  EXPECT_NE(codeMeaning(-2120), "unknown error");  // the board's wait time-out
  EXPECT_EQ(codeMeaning(-123456), "unknown error");
  const Error error(ErrorCategory::kRefused, -2140, "firing");
  EXPECT_EQ(std::string(error.what()),
            "firing: -2140 (software trigger refused: not in software trigger mode)");
  EXPECT_EQ(error.meaning(), codeMeaning(-2140));
}

}  // namespace
}  // namespace brenvik::test
