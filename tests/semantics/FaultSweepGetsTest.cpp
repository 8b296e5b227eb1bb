// The fault sweep of the get path: in each state, every reachable hardware and runtime
// parameter is armed to fail its reads with a code of its own, and every SDK parameter is read
// until it succeeds: the codes it returns name the reads it makes, which must be the reads
// listed in FaultSweepSupport.cpp for that state (a listed read that the get survives is a
// failure it swallowed). Then each listed read fails once on its own: the get returns the
// code, stores it as the last error, leaves the caller's value alone, hands out no text, and
// the next get succeeds with the value from before.
#include <cstring>
#include <set>

#include "FaultSweepSupport.h"
#include "parameters/LookupTableShape.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::test::sweep {
namespace {

// The reads the table lists for a parameter in a state, by full name.
std::vector<std::string> listedReads(const std::vector<std::string>& names, std::int32_t id,
                                     std::uint32_t state) {
  std::vector<std::string> reads;
  for (const Reads& row : getReads()) {
    if (idOf(row.parameter) != id || (row.states & state) == 0) continue;
    for (const char* ending : row.names) reads.push_back(fullName(names, ending));
  }
  return reads;
}

constexpr unsigned char kUntouched = 0xA5;

// A get in the parameter's own form into a buffer that starts out as `kUntouched` bytes (an
// entry pair asks for entry 0).
int getInto(Applet& applet, const parameters::SdkParameter& parameter,
            std::vector<unsigned char>& buffer) {
  buffer.assign(kTextRoom, kUntouched);
  std::int32_t type = runtime::kTypeUint32;
  switch (parameter.form) {
    case ValueForm::kUint64:
      type = runtime::kTypeUint64;
      break;
    case ValueForm::kDouble:
      type = runtime::kTypeDouble;
      break;
    case ValueForm::kText:
      type = runtime::kTypeString;
      break;
    case ValueForm::kLutEntries:
      std::memset(buffer.data() + 4, 0, 4);
      break;
    case ValueForm::kUint32:
    case ValueForm::kAsRequested:
      break;
  }
  return Fg_getParameterWithType(applet.handle(), parameter.id, buffer.data(), 0, type);
}

struct GetCounts {
  std::set<std::int32_t> parameters;
  int readsFailed = 0;
};

// Arms every reachable name to fail its reads with a code of its own and reads each SDK
// parameter until it succeeds: the codes name the reads it makes, which must be the listed
// ones. A listed read the get survives has been swallowed.
void discoverReads(Applet& applet, const State& state, const std::vector<std::string>& names) {
  auto arm = [&](std::size_t index, std::int32_t count) { armReads(applet, names, index, count); };
  for (std::size_t i = 0; i < names.size(); ++i) arm(i, -1);
  for (const parameters::SdkParameter& parameter : kSdkParameters) {
    SCOPED_TRACE(std::string(state.name) + ": get " + std::string(parameter.name));
    std::vector<std::string> seen;
    std::vector<std::size_t> disarmed;
    std::vector<unsigned char> buffer;
    int result = 0;
    for (std::size_t round = 0; round <= names.size(); ++round) {
      result = getInto(applet, parameter, buffer);
      const std::string* name = namedBy(names, result);
      if (name == nullptr) break;
      const auto index = static_cast<std::size_t>(name - names.data());
      seen.push_back(*name);
      disarmed.push_back(index);
      arm(index, 0);
    }
    for (const std::size_t index : disarmed) arm(index, -1);

    const std::vector<std::string> listed = listedReads(names, parameter.id, state.bit);
    for (const std::string& name : seen) {
      EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end())
          << "reads " << name << ", which the table does not list";
    }
    if (result == 0) {
      for (const std::string& name : listed) {
        EXPECT_NE(std::find(seen.begin(), seen.end(), name), seen.end())
            << "a failed read of " << name << " is swallowed";
      }
    } else {
      // A read the applet reports with a code of its own does not name itself; the listed
      // reads are failed one by one next.
      EXPECT_TRUE(!listed.empty() && expectedCode(listed.front()) == result)
          << "fails with " << result;
    }
  }
  simboard_clear_failures(applet.board());
}

// Each listed read fails once on its own: the rules of the file comment.
void failEachRead(Applet& applet, const State& state, const std::vector<std::string>& names,
                  GetCounts& counts) {
  for (const parameters::SdkParameter& parameter : kSdkParameters) {
    const std::vector<std::string> listed = listedReads(names, parameter.id, state.bit);
    if (listed.empty()) continue;
    counts.parameters.insert(parameter.id);
    std::vector<unsigned char> before;
    ASSERT_EQ(getInto(applet, parameter, before), 0) << parameter.name;
    for (const std::string& name : listed) {
      SCOPED_TRACE(std::string(state.name) + ": get " + std::string(parameter.name) +
                   " with a failing read of " + name);
      const std::int32_t code = expectedCode(name);
      ASSERT_EQ(simboard_fail(applet.board(), name.c_str(), SIMBOARD_READS, kRefused, 1), 0);
      std::vector<unsigned char> value;
      EXPECT_EQ(getInto(applet, parameter, value), code);
      EXPECT_EQ(applet.lastError(), code);
      // The export clears a 64-bit value before the get; the entry pair keeps its index.
      std::vector<unsigned char> untouched(kTextRoom, kUntouched);
      if (parameter.form == ValueForm::kUint64) std::memset(untouched.data(), 0, 8);
      if (parameter.form == ValueForm::kLutEntries) std::memset(untouched.data() + 4, 0, 4);
      EXPECT_TRUE(value == untouched) << "a failed get wrote into the caller's value";
      ++counts.readsFailed;
      if (parameter.form == ValueForm::kText) {
        // A text handed out as a copy: nothing is handed out.
        ASSERT_EQ(simboard_fail(applet.board(), name.c_str(), SIMBOARD_READS, kRefused, 1), 0);
        char* copy = nullptr;
        EXPECT_EQ(Fg_getParameterWithType(applet.handle(), parameter.id, &copy, 0,
                                          runtime::kTypeStringCopy),
                  code);
        EXPECT_EQ(copy, nullptr);
        ++counts.readsFailed;
      }
      simboard_clear_failures(applet.board());
      EXPECT_EQ(getInto(applet, parameter, value), 0) << "the next get fails";
      EXPECT_EQ(applet.lastError(), 0);
      EXPECT_TRUE(value == before) << "the next get reads another value";
    }
  }
}

TEST_F(FaultSweep, EveryFailingReadOfTheGetPathIsReportedAndTheNextGetSucceeds) {
  const BoardCounters start;
  GetCounts counts;
  for (const State& state : states()) {
    Applet applet(state, lutFile());
    ASSERT_TRUE(applet.ok());
    const std::vector<std::string> names = reachableNames(applet);
    discoverReads(applet, state, names);
    failEachRead(applet, state, names, counts);
  }
  EXPECT_EQ(BoardCounters{}, start) << "an applet left a design, a runtime or a string behind";
  std::printf("fault sweep, gets: %zu parameters, %d reads failed\n", counts.parameters.size(),
              counts.readsFailed);
  RecordProperty("get_parameters", static_cast<int>(counts.parameters.size()));
  RecordProperty("reads_failed", counts.readsFailed);
}

}  // namespace
}  // namespace brenvik::test::sweep
