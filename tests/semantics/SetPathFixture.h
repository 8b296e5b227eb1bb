// Shared helpers of the set-path tests: sets and gets through the exports, the writes that
// reached the simulated board, and the live description records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "parameters/SdkParameterTable.h"
#include "runtime/ParameterRecord.h"
#include "tests/applet/AppletFixture.h"

namespace brenvik::test {

using parameters::sdkId;

// An applet created with its defaults written; each test starts with an empty journal.
class SetPathTest : public AppletTest {
 protected:
  void SetUp() override;

  int set(std::int32_t id, std::uint32_t value, std::uint32_t dma = 0, int type = 2);
  std::uint32_t get(std::int32_t id);
  int setDouble(std::int32_t id, double value);
  double getDouble(std::int32_t id);

  // The writes that reached the board since the last call, as "name type value result"
  // lines without the "Device1_Process0_" prefix; the journal starts over.
  std::vector<std::string> writes();

  // Makes the next `count` writes of a hardware parameter (full name) fail with `code`.
  void failWrites(const std::string& name, std::int32_t code, std::int32_t count = 1);

  // The record of an SDK parameter in the description that Fg_getParameterInfo hands out.
  const runtime::ParameterRecord* record(std::int32_t id);
  std::int32_t maximum(std::int32_t id);
  std::int32_t minimum(std::int32_t id);
  double realMaximum(std::int32_t id);
  std::int32_t access(std::int32_t id);  // -1 without a record
};

// The eight sorter writes, as writes() lists them; order and mirror as "0:a,b,...".
std::vector<std::string> sorterWrites(std::uint32_t sorterWidth, std::uint32_t translate,
                                      std::uint32_t tapWidth, std::uint32_t taps,
                                      std::uint32_t dummyTaps, const std::string& order,
                                      const std::string& mirror);

// The lines of several lists one after another.
std::vector<std::string> concatenated(std::initializer_list<std::vector<std::string>> parts);

}  // namespace brenvik::test
