// Shared helpers of the set-path tests.
#include "SetPathFixture.h"

#include <array>

#include "DescriptionRecords.h"
#include "simboard/control.h"

namespace brenvik::test {


void SetPathTest::SetUp() {
  AppletTest::SetUp();
  simboard_journal_clear(board_);
}

int SetPathTest::set(std::int32_t id, std::uint32_t value, std::uint32_t dma, int type) {
  // Room for the widest value form: a parameter read as a double or a 64-bit value reads the
  // number followed by zeros, never past the caller's value.
  const std::array<std::uint32_t, 2> wide{value, 0};
  return Fg_setParameterWithType(&handle_, id, wide.data(), dma, type);
}

std::uint32_t SetPathTest::get(std::int32_t id) {
  std::uint32_t value = 0xDEADBEEF;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, id, &value, 0, 2), 0) << id;
  return value;
}

std::vector<std::string> SetPathTest::writes() { return takeWrites(board_); }

void SetPathTest::failWrites(const std::string& name, std::int32_t code, std::int32_t count) {
  ASSERT_EQ(simboard_fail(board_, name.c_str(), SIMBOARD_WRITES, code, count), 0) << name;
}

const runtime::ParameterRecord* SetPathTest::record(std::int32_t id) {
  return describedRecord(&handle_, id);
}

int SetPathTest::setDouble(std::int32_t id, double value) {
  return Fg_setParameterWithType(&handle_, id, &value, 0, 5);
}

double SetPathTest::getDouble(std::int32_t id) {
  double value = -1;
  EXPECT_EQ(Fg_getParameterWithType(&handle_, id, &value, 0, 5), 0) << id;
  return value;
}

std::int32_t SetPathTest::minimum(std::int32_t id) {
  const runtime::ParameterRecord* found = record(id);
  EXPECT_NE(found, nullptr) << id;
  return found == nullptr ? -1 : found->data.integer.minimum;
}

double SetPathTest::realMaximum(std::int32_t id) {
  const runtime::ParameterRecord* found = record(id);
  EXPECT_NE(found, nullptr) << id;
  return found == nullptr ? -1 : found->data.real.maximum;
}

std::int32_t SetPathTest::access(std::int32_t id) {
  const runtime::ParameterRecord* found = record(id);
  return found == nullptr ? -1 : found->access;
}

std::int32_t SetPathTest::maximum(std::int32_t id) {
  const runtime::ParameterRecord* found = record(id);
  EXPECT_NE(found, nullptr) << id;
  return found == nullptr ? -1 : found->data.integer.maximum;
}

std::vector<std::string> sorterWrites(std::uint32_t sorterWidth, std::uint32_t translate,
                                      std::uint32_t tapWidth, std::uint32_t taps,
                                      std::uint32_t dummyTaps, const std::string& order,
                                      const std::string& mirror) {
  const std::string sorter = "Buffer_0_TapGeometrySorter_";
  auto line = [&](const std::string& name, int type, const std::string& value) {
    return sorter + name + " " + std::to_string(type) + " " + value + " 0";
  };
  return {
      line("SensorWidth", 2, std::to_string(sorterWidth)),
      line("TranslateVantagePoint_Value", 2, std::to_string(translate)),
      line("TapWidth", 2, std::to_string(tapWidth)),
      line("TapCount", 2, std::to_string(taps)),
      line("DummyTaps", 2, std::to_string(dummyTaps)),
      line("ParallelResort_4X2E_Enable_Value", 2, "0"),
      line("TapOrder", 4096, order),
      line("ReferenceTapMirror_Field", 4096, mirror),
  };
}

std::vector<std::string> concatenated(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> lines;
  for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  return lines;
}

}  // namespace brenvik::test
