// Every double setter at the ends of its range and beyond, alone and in the combinations whose
// arithmetic multiplies (a downscale with a width or delay, a rate with ticks, a size with a
// simulator rate). Under the UndefinedBehaviorSanitizer a conversion of a double that does not
// fit its integer ends the run; in every build a refused value keeps the previous one, every
// value reads back finite, and the trigger's accepted state keeps every pulse inside one
// generator period as the hardware holds it.
#include <cmath>
#include <limits>
#include <vector>

#include "SetPathFixture.h"
#include "description/DescriptionRows.h"
#include "semantics/SetPath.h"

namespace brenvik::test {
namespace {

using Limits = std::numeric_limits<double>;

// The ends of a range, the doubles just beyond them, and the values no range should take.
std::vector<double> extremesOf(std::int32_t id) {
  const description::RowValues& range = description::findDescribedRow(id)->values;
  const double low = range.realMinimum;
  const double high = range.realMaximum;
  return {low,          high,          std::nextafter(low, -Limits::infinity()),
          std::nextafter(high, Limits::infinity()), (low + high) / 2, 0.0, -0.0,
          Limits::denorm_min(), 1.0,    Limits::max(),  Limits::lowest(), Limits::infinity(),
          -Limits::infinity(),  Limits::quiet_NaN()};
}

std::vector<std::int32_t> doubleSetters() {
  std::vector<std::int32_t> ids;
  for (const semantics::WritableParameter& parameter : semantics::writableParameters()) {
    if (parameter.form == semantics::SetForm::kDouble) ids.push_back(parameter.id);
  }
  return ids;
}

class DoubleExtremes : public SetPathTest {
 protected:
  // Sets and checks the contract: a refusal keeps the value, and what reads back is finite.
  int setChecked(std::int32_t id, double value) {
    const double before = getDouble(id);
    const int result = setDouble(id, value);
    const double after = getDouble(id);
    EXPECT_TRUE(std::isfinite(after)) << id << " set to " << value;
    if (result != 0) {
      EXPECT_EQ(after, before) << id << " refused " << value;
    }
    return result;
  }

  // Every pulse, a downscale's share of its delay and width as read back, fits one period.
  void expectPulsesFitThePeriod() {
    const double period = 1e6 / getDouble(sdkId("FG_TRIGGER_FRAMESPERSECOND"));
    for (const std::string g : {"0", "1", "2", "3"}) {
      const std::string prefix = "FG_TRIGGER_PULSEFORMGEN" + g;
      const double downscale = get(Fg_getParameterIdByName(&handle_, (prefix + "_DOWNSCALE").c_str()));
      for (const char* time : {"_DELAY", "_WIDTH"}) {
        const double microseconds =
            getDouble(Fg_getParameterIdByName(&handle_, (prefix + time).c_str()));
        EXPECT_GT(period, microseconds / downscale) << prefix << time;
      }
    }
  }
};

TEST_F(DoubleExtremes, EveryDoubleSetterAloneAtAndBeyondItsEnds) {
  const std::vector<std::int32_t> setters = doubleSetters();
  ASSERT_FALSE(setters.empty());
  for (const std::int32_t id : setters) {
    for (const double value : extremesOf(id)) setChecked(id, value);
  }
  expectPulsesFitThePeriod();
}

// Downscale × time and rate × ticks: each generator's width and delay at their extremes with
// the downscales and rates that stretch or shrink the period most.
TEST_F(DoubleExtremes, TriggerTimesWithDownscalesAndRates) {
  const std::int32_t rate = sdkId("FG_TRIGGER_FRAMESPERSECOND");
  for (const std::string g : {"0", "3"}) {
    const std::string prefix = "FG_TRIGGER_PULSEFORMGEN" + g;
    const std::int32_t downscale = Fg_getParameterIdByName(&handle_, (prefix + "_DOWNSCALE").c_str());
    const std::int32_t width = Fg_getParameterIdByName(&handle_, (prefix + "_WIDTH").c_str());
    const std::int32_t delay = Fg_getParameterIdByName(&handle_, (prefix + "_DELAY").c_str());
    for (const std::uint32_t n : {1u, 7u}) {
      for (const double hertz : extremesOf(rate)) {
        setChecked(width, 4.0);
        setChecked(delay, 0.0);
        set(downscale, n);
        setChecked(rate, hertz);
        for (const double time : extremesOf(width)) setChecked(width, time);
        for (const double time : extremesOf(delay)) setChecked(delay, time);
        for (const double again : extremesOf(rate)) setChecked(rate, again);
        expectPulsesFitThePeriod();
      }
    }
  }
}

// Size × rate: the simulator's tick formulas in each select mode at the smallest and largest
// sizes, with every rate extreme.
TEST_F(DoubleExtremes, SimulatorRatesWithTheExtremeSizes) {
  const std::int32_t mode = sdkId("FG_CAMERASIMULATOR_SELECT_MODE");
  const std::int32_t width = sdkId("FG_CAMERASIMULATOR_WIDTH");
  const std::int32_t height = sdkId("FG_CAMERASIMULATOR_HEIGHT");
  const std::int32_t rates[] = {sdkId("FG_CAMERASIMULATOR_PIXEL_FREQUENCY"),
                                sdkId("FG_CAMERASIMULATOR_LINERATE"),
                                sdkId("FG_CAMERASIMULATOR_FRAMERATE")};
  for (const std::uint32_t selected : {0u, 1u, 2u}) {
    ASSERT_EQ(set(mode, selected), 0);
    for (const std::uint32_t size : {1u, 8u, 1024u, 65536u}) {
      set(width, size);
      set(height, size);
      for (const std::int32_t id : rates) {
        for (const double value : extremesOf(id)) {
          setChecked(id, value);
          for (const std::int32_t other : rates) EXPECT_TRUE(std::isfinite(getDouble(other)));
        }
      }
    }
  }
}

// Offset × gain × gamma: the table formula's products at every pairing of the extremes.
TEST_F(DoubleExtremes, ProcessingProductsOfTheExtremes) {
  const std::int32_t offset = sdkId("FG_PROCESSING_OFFSET");
  const std::int32_t gain = sdkId("FG_PROCESSING_GAIN");
  const std::int32_t gamma = sdkId("FG_PROCESSING_GAMMA");
  for (const double o : extremesOf(offset)) {
    setChecked(offset, o);
    for (const double g : extremesOf(gain)) {
      setChecked(gain, g);
      for (const double y : extremesOf(gamma)) setChecked(gamma, y);
    }
  }
}

}  // namespace
}  // namespace brenvik::test
