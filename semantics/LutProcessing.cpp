// The processing formula of the lookup table, its 32-bit conversion rules, and the write of
// the whole table.
#include "semantics/LutProcessing.h"

#include <array>
#include <cmath>
#include <limits>

#include "description/DescriptionRows.h"
#include "parameters/HardwareBinding.h"
#include "runtime/SdkRuntime.h"
#include "semantics/Conversion.h"

namespace brenvik::semantics {

namespace {

using parameters::kLutSize;

// Out maximum M of the 10-bit output; entries are written as they are, as 32-bit elements.
constexpr auto kOutMaximum =
    static_cast<std::int32_t>(description::describedRow("FG_LUT_VALUE").values.maximum);
constexpr auto kLastEntry = static_cast<std::uint32_t>(kLutSize - 1);
constexpr double kLastIndex = kLastEntry;
constexpr std::int32_t kInvertOn = parameters::enumValue("FG_ON");
constexpr std::uint32_t kElementsUint32 = 2;

// The conversion of a double to a signed 32-bit integer: toward zero, and −2^31 for a value
// that is not finite or lies outside the 32-bit range (as the processor's conversion does).
std::int32_t toInt32(double value) {
  return conversion::truncated<std::int32_t>(value).value_or(
      std::numeric_limits<std::int32_t>::min());
}

// 1023 − entry in 32-bit two's complement: an entry of −2^31 wraps to a negative number and so
// clamps to 0, like the bright end of every other inverted curve.
std::int32_t inverted(std::int32_t entry) {
  return static_cast<std::int32_t>(kLastEntry - static_cast<std::uint32_t>(entry));
}

// Where the brightest entry's product must stay for every entry at x >= 1 to be known
// without its power: 2^30, far below the 2^31 at which the conversion gives up.
constexpr double kSaturationBound = 1073741824.0;

// An entry after the inversion and the clamp; the inversion comes before the clamp.
std::uint32_t finished(std::int32_t entry, bool invert) {
  if (invert) entry = inverted(entry);
  if (entry < 0) entry = 0;
  if (entry > kOutMaximum) entry = kOutMaximum;
  return static_cast<std::uint32_t>(entry);
}

// Whether every entry at 1 <= x <= `brightest` is the full-scale one, so that its power need
// not be computed. For a finite positive exponent the exact power of such an x lies between
// 1 and brightest^exponent, and pow is accurate to a unit in the last place or so: the
// computed product is then at least 1023.4999 (an entry of 1023 before the clamp) and, when
// the brightest one stays under 2^30, below 2^31 (no conversion failure). Every such entry
// clamps to 1023, or to 0 inverted, exactly as its own power would give.
bool brightEntriesSaturate(double exponent, double brightest) {
  if (!(exponent > 0 && std::isfinite(exponent) && brightest >= 1)) return false;
  return std::pow(brightest, exponent) * kOutMaximum + 0.5 < kSaturationBound;
}

}  // namespace

void computeProcessingTable(const ProcessingSettings& settings, LutTable& table) {
  const double exponent = 1.0 / settings.gamma;  // infinite for a gamma of 0
  const bool linear = exponent == 1.0;           // pow(x, 1) is x exactly
  const bool invert = settings.invert == kInvertOn;
  std::array<double, kLutSize> xs;
  double brightest = 0;
  for (std::size_t i = 0; i < kLutSize; ++i) {
    xs[i] = (static_cast<double>(i) / kLastIndex + settings.offset) * settings.gain;
    if (xs[i] > brightest) brightest = xs[i];
  }
  // With a gain above 1 a good part of the table is full scale; the power is what costs.
  const bool saturated = !linear && brightEntriesSaturate(exponent, brightest);
  const std::uint32_t fullScale = finished(kOutMaximum, invert);
  for (std::size_t i = 0; i < kLutSize; ++i) {
    const double x = xs[i];
    if (saturated && x >= 1) {
      table[i] = fullScale;
      continue;
    }
    std::int32_t entry = 0;
    if (x >= 0) entry = toInt32((linear ? x : std::pow(x, exponent)) * kOutMaximum + 0.5);
    table[i] = finished(entry, invert);
  }
}

void writeWholeTable(SetContext& context) {
  runtime::FieldParameterAccess access{kElementsUint32, 0, kLastEntry + 1,
                                       context.values.lut.table.data()};
  context.hardware.write(parameters::Hw::LookupTable_LookupTable_LUTcontent, &access,
                         runtime::kTypeField, true);
}

void recomputeAndWriteTable(SetContext& context) {
  const parameters::LutValues& lut = context.values.lut;
  computeProcessingTable(
      {lut.processingOffset, lut.processingGain, lut.processingGamma, lut.processingInvert},
      context.values.lut.table);
  writeWholeTable(context);
}

}  // namespace brenvik::semantics
