// Round trips of configuration files: many random settings over every saved parameter, with
// values at and beyond their limits, then save, load on a fresh applet, save again. The two
// files agree byte for byte, and so do the values read back.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "BoardJournal.h"
#include "DescriptionRecords.h"
#include "ScratchFiles.h"
#include "applet/Exports.h"
#include "persistence/ConfigurationKeys.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::test {
namespace {

using persistence::ConfigurationKey;
using persistence::KeyForm;

constexpr int kRounds = 40;
constexpr int kSetsPerRound = 30;

class Applet {
 public:
  Applet() : board_(freshBoard()) {
    std::int32_t code = -1;
    handle_.applet = Std_entry(board_, &code, 0);
    EXPECT_EQ(code, 0);
  }
  ~Applet() { EXPECT_EQ(Fg_FreeGrabber(&handle_), 0); }
  Applet(const Applet&) = delete;
  Applet& operator=(const Applet&) = delete;

  AppletHandle* handle() { return &handle_; }

 private:
  std::uint64_t board_;
  AppletHandle handle_{nullptr};
};

// Draws a value for a key from its live description: often a limit or an entry, sometimes
// just beyond, so that refusals happen too. Keys that the description makes read-only in the
// current state (the simulator's speeds outside their select mode, say) are left alone: a
// valid setting is one the description allows.
class ValueSource {
 public:
  explicit ValueSource(unsigned seed) : random_(seed) {}

  void setRandomKey(AppletHandle* handle) {
    const ConfigurationKey& key = pickKey();
    const runtime::ParameterRecord* record = describedRecord(handle, key.id());
    if (record == nullptr || (record->access & runtime::kAccessWrite) == 0) return;
    if (record->kind == runtime::kKindDouble) {
      const double value = pickReal(record->data.real);
      Fg_setParameterWithType(handle, key.id(), &value, 0, runtime::kTypeDouble);
    } else {
      const std::uint32_t value = record->kind == runtime::kKindEnumeration
                                      ? pickEntry(record->data.enumeration)
                                      : pickInteger(record->data.integer);
      Fg_setParameterWithType(handle, key.id(), &value, 0, runtime::kTypeUint32);
    }
  }

 private:
  const ConfigurationKey& pickKey() {
    for (;;) {
      const ConfigurationKey& key = persistence::kConfigurationKeys[pickAny<std::size_t>(
          0, persistence::kConfigurationKeyCount - 1)];
      // File names would need files; the loader's handling of them is tested on its own.
      // Keys that loading never reads are saved for information only.
      if (key.form() != KeyForm::kText && key.use != persistence::KeyUse::kNotRead) return key;
    }
  }

  template <typename T>
  T pickAny(T low, T high) {
    if constexpr (std::is_floating_point_v<T>) {
      return std::uniform_real_distribution<T>(low, high)(random_);
    } else {
      return std::uniform_int_distribution<T>(low, high)(random_);
    }
  }

  std::uint32_t pickEntry(const runtime::EnumerationData& entries) {
    if (entries.entryCount <= 0 || pickAny(0, 9) == 0) return pickAny<std::uint32_t>(0, 200);
    return static_cast<std::uint32_t>(entries.values[pickAny(0, entries.entryCount - 1)]);
  }

  std::uint32_t pickInteger(const runtime::IntegerLimits& limits) {
    const std::int64_t low = limits.minimum;
    const std::int64_t high = std::max<std::int64_t>(limits.maximum, low);
    switch (pickAny(0, 5)) {
      case 0:
        return static_cast<std::uint32_t>(low);
      case 1:
        return static_cast<std::uint32_t>(high);
      case 2:
        return static_cast<std::uint32_t>(high + 1);  // just beyond
      case 3:
        return static_cast<std::uint32_t>(pickAny<std::int64_t>(low, std::min(high, low + 64)));
      default:
        return static_cast<std::uint32_t>(pickAny<std::int64_t>(low, high));
    }
  }

  // Doubles with at most 12 significant digits, as the file keeps them.
  double pickReal(const runtime::DoubleLimits& limits) {
    const double low = limits.minimum;
    const double high = std::max(limits.maximum, low);
    double value = 0;
    switch (pickAny(0, 4)) {
      case 0:
        value = low;
        break;
      case 1:
        value = high;
        break;
      case 2:
        value = low + std::min(high - low, pickAny(0.0, 100.0));
        break;
      default:
        value = pickAny(low, high);
        break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.12g", value);
    return std::strtod(text, nullptr);
  }

  std::mt19937 random_;
};

// Every saved key's value as the get path reports it, in the file's text form.
std::vector<std::string> readBack(AppletHandle* handle) {
  std::vector<std::string> values;
  for (const ConfigurationKey& key : persistence::kConfigurationKeys) {
    std::array<char, 4096> text{};
    int result = 0;
    switch (key.form()) {
      case KeyForm::kInteger: {
        std::uint32_t value = 0;
        result = Fg_getParameterWithType(handle, key.id(), &value, 0, runtime::kTypeUint32);
        std::snprintf(text.data(), text.size(), "%u", value);
        break;
      }
      case KeyForm::kDouble: {
        double value = 0;
        result = Fg_getParameterWithType(handle, key.id(), &value, 0, runtime::kTypeDouble);
        std::snprintf(text.data(), text.size(), "%.17g", value);
        break;
      }
      case KeyForm::kText:
        result = Fg_getParameterWithType(handle, key.id(), text.data(), 0, runtime::kTypeString);
        break;
    }
    values.push_back(std::string(key.name()) + "=" + text.data() + " (" +
                     std::to_string(result) + ")");
  }
  return values;
}

TEST(ConfigurationRoundTrip, RandomSettingsSurviveSaveAndLoadByteForByte) {
  ScratchDirectory scratch;
  const std::string first = scratch.path("first.mcf");
  const std::string second = scratch.path("second.mcf");
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("seed " + std::to_string(round));
    ValueSource source(static_cast<unsigned>(round));
    Applet original;
    for (int i = 0; i < kSetsPerRound; ++i) source.setRandomKey(original.handle());
    ASSERT_EQ(Fg_saveConfig(original.handle(), first.c_str()), 0);

    Applet restored;
    ASSERT_EQ(Fg_loadConfig(restored.handle(), first.c_str()), 0);
    ASSERT_EQ(Fg_saveConfig(restored.handle(), second.c_str()), 0);
    const std::string saved = ScratchDirectory::read(first);
    const std::string again = ScratchDirectory::read(second);
    ASSERT_EQ(saved, again) << saved;

    // Doubles read back exactly, not just to the file's twelve digits: the values drawn
    // have no more digits than the file keeps.
    const std::vector<std::string> before = readBack(original.handle());
    const std::vector<std::string> after = readBack(restored.handle());
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i], after[i]);
  }
}

}  // namespace
}  // namespace brenvik::test
