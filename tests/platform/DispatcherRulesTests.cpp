// Tests of the dispatcher's BRENVIK_LOG rule parser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simboard/dispatcher/DispatcherRules.h"

namespace {

using brenvik::dispatcher::parseRules;

TEST(DispatcherRules, ThresholdsPerNameWithFallback) {
  struct Case {
    const char* text;
    std::uint32_t brenvik;  // threshold of "vurn.wrapper.Brenvik"
    std::uint32_t other;    // threshold of a name without a rule
  };
  const std::vector<Case> cases = {
      {"", 7, 7},
      {"vurn.wrapper.Brenvik=4,*=6", 4, 6},
      {" vurn.wrapper.Brenvik = 4 , * = 5 ", 4, 5},
      {"*=3", 3, 3},
      {"vurn.wrapper.Brenvik=4,vurn.wrapper.Brenvik=5", 5, 7},
      {"vurn.wrapper.Brenvik=0", 0, 7},
      {"vurn.wrapper.Brenvik=4294967295", 4294967295u, 7},
      // Malformed items are skipped, the rest still counts.
      {"vurn.wrapper.Brenvik,*=6", 6, 6},
      {"=3,vurn.wrapper.Brenvik=4", 4, 7},
      {"vurn.wrapper.Brenvik=x,*=6", 6, 6},
      {"vurn.wrapper.Brenvik=-1", 7, 7},
      {"vurn.wrapper.Brenvik=4294967296", 7, 7},
      {"vurn.wrapper.Brenvik=4=5", 7, 7},
      {"vurn.wrapper.Brenvik=,,,*=", 7, 7},
  };
  for (const Case& c : cases) {
    const auto rules = parseRules(c.text);
    EXPECT_EQ(rules.thresholdFor("vurn.wrapper.Brenvik"), c.brenvik) << c.text;
    EXPECT_EQ(rules.thresholdFor("vurn.wrapper.FgTolqWrapper"), c.other) << c.text;
  }
}

}  // namespace
