// Many threads on one applet, and many applets side by side, mixing every kind of call,
// including what the threading contract asks callers not to do: releasing one string from
// two threads, rendering, saving and loading while other threads get and set. Nothing may
// crash, race (the ThreadSanitizer build runs this too) or deadlock; afterwards every saved
// parameter reads back within its limits and the last error is a real code.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "BoardJournal.h"
#include "ScratchFiles.h"
#include "applet/Exports.h"
#include "description/DescriptionRows.h"
#include "persistence/ConfigurationKeys.h"
#include "runtime/ResultCodes.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::test {
namespace {

constexpr int kThreads = 8;
constexpr auto kDuration = std::chrono::milliseconds(1500);

const std::set<std::int32_t> kKnownCodes{
    codes::kSuccess,         codes::kInternalFailure,      codes::kNotAvailable,
    codes::kSoftwareTriggerBusy, codes::kInitFailed,       codes::kBufferTooSmall,
    codes::kInvalidHandle,   codes::kRuntimeMissing,       codes::kInvalidParameter,
    codes::kNoDescription,   codes::kFileMissing,          codes::kWrongStringType,
    codes::kTriggerTimingCheck, codes::kNotSupported,      codes::kSoftwareTriggerMode,
    codes::kSoftwareTriggerState, codes::kConfigurationRead, codes::kConfigurationWrite,
    codes::kValueOutOfRange, codes::kGranularity,          codes::kKeyNotFound};

constexpr std::int32_t kHapFile = parameters::sdkId("FG_HAP_FILE");
constexpr std::int32_t kSoftwareTrigger = parameters::sdkId("FG_SENDSOFTWARETRIGGER");

// A value for a saved key, from its description row's static limits: often valid, sometimes
// beyond, so that sets are refused too.
void setRandomKey(AppletHandle* handle, std::mt19937& random) {
  const auto& key = persistence::kConfigurationKeys[std::uniform_int_distribution<std::size_t>(
      0, persistence::kConfigurationKeyCount - 1)(random)];
  const description::DescriptionRow* row = description::findDescribedRow(key.id());
  if (row == nullptr || key.form() == persistence::KeyForm::kText) return;
  if (key.form() == persistence::KeyForm::kDouble) {
    const double value = std::uniform_real_distribution<double>(
        row->values.realMinimum, row->values.realMaximum * 1.01 + 1)(random);
    Fg_setParameterWithType(handle, key.id(), &value, 0, runtime::kTypeDouble);
    return;
  }
  std::uint32_t value = 0;
  if (row->values.list != nullptr) {
    const auto& entries = row->values.list->entries;
    value = static_cast<std::uint32_t>(
        entries[std::uniform_int_distribution<std::size_t>(0, entries.size() - 1)(random)].value);
  } else {
    value = static_cast<std::uint32_t>(std::uniform_int_distribution<std::int64_t>(
        row->values.minimum, row->values.maximum + 1)(random));
  }
  Fg_setParameterWithType(handle, key.id(), &value, 0, runtime::kTypeUint32);
}

// A get of any SDK parameter in its own form (lookup-table entries by their pair form).
void getRandomParameter(AppletHandle* handle, std::mt19937& random) {
  const auto& parameter = parameters::kSdkParameters[std::uniform_int_distribution<std::size_t>(
      0, parameters::kSdkParameterCount - 1)(random)];
  std::array<char, 16> value{};
  switch (parameter.form) {
    case parameters::ValueForm::kDouble:
      Fg_getParameterWithType(handle, parameter.id, value.data(), 0, runtime::kTypeDouble);
      break;
    case parameters::ValueForm::kUint64:
      Fg_getParameterWithType(handle, parameter.id, value.data(), 0, runtime::kTypeUint64);
      break;
    case parameters::ValueForm::kText: {
      char* text = nullptr;
      if (Fg_getParameterWithType(handle, parameter.id, &text, 0, runtime::kTypeStringCopy) == 0) {
        Fg_freeParameterStringWithType(handle, parameter.id, text, 0, runtime::kTypeStringCopy);
      }
      break;
    }
    case parameters::ValueForm::kLutEntries: {
      runtime::LutEntry entry{0, static_cast<std::uint32_t>(random() % 1024)};
      Fg_getParameterWithType(handle, parameter.id, &entry, 0, runtime::kTypeLutEntry);
      break;
    }
    default:
      Fg_getParameterWithType(handle, parameter.id, value.data(), 0, runtime::kTypeUint32);
      break;
  }
}

// One thread's share of the load: every kind of call, picked at random.
class Worker {
 public:
  Worker(AppletHandle* handle, unsigned seed, std::string file,
         std::atomic<char*>& sharedString)
      : handle_(handle), random_(seed), file_(std::move(file)), shared_(sharedString) {}

  // Runs until `end`; returns the number of steps taken.
  std::uint64_t operator()(std::chrono::steady_clock::time_point end) {
    std::uint64_t steps = 0;
    for (; std::chrono::steady_clock::now() < end; ++steps) step();
    return steps;
  }

 private:
  void step() {
    switch (random_() % 10) {
      case 0:
      case 1:
        getRandomParameter(handle_, random_);
        break;
      case 2:
      case 3:
        setRandomKey(handle_, random_);
        break;
      case 4: {
        // Lookups take no lock and write the last error.
        const auto& parameter = parameters::kSdkParameters[random_() % parameters::kSdkParameterCount];
        const std::string name(parameter.name);
        Fg_getParameterIdByName(handle_, random_() % 2 == 0 ? name.c_str() : "NO_SUCH_NAME");
        Fg_getParameterName(handle_, static_cast<int>(random_() % 200));
        Fg_getLastErrorNumber(handle_);
        break;
      }
      case 5: {
        // A handed-out string, released by whichever thread takes it, sometimes twice.
        char* text = nullptr;
        if (Fg_getParameterWithType(handle_, kHapFile, &text, 0, runtime::kTypeStringCopy) == 0) {
          char* previous = shared_.exchange(text);
          if (previous != nullptr) {
            Fg_freeParameterStringWithType(handle_, kHapFile, previous, 0,
                                           runtime::kTypeStringCopy);
          }
        }
        if (char* taken = shared_.exchange(nullptr); taken != nullptr) {
          Fg_freeParameterStringWithType(handle_, kHapFile, taken, 0, runtime::kTypeStringCopy);
          if (random_() % 4 == 0) {
            Fg_freeParameterStringWithType(handle_, kHapFile, taken, 0,
                                           runtime::kTypeStringCopy);  // refused: given back
          }
        }
        break;
      }
      case 6: {
        std::uint64_t size = 0;
        if (Fg_getParameterInfoXML(handle_, 0, nullptr, &size) == 0 && size > 0) {
          std::vector<char> xml(size);
          Fg_getParameterInfoXML(handle_, 0, xml.data(), &size);
        }
        Fg_getParameterInfo(handle_, 0);
        break;
      }
      case 7:
        Fg_saveConfig(handle_, file_.c_str());
        Fg_loadConfig(handle_, file_.c_str());
        break;
      case 8: {
        const std::uint32_t pulses = 1;
        Fg_setParameterWithType(handle_, kSoftwareTrigger, &pulses, 0, runtime::kTypeUint32);
        break;
      }
      default: {
        const std::uint32_t refused = 0xFFFFFFFF;
        Fg_setParameterWithType(handle_, parameters::sdkId("FG_WIDTH"), &refused, 0,
                                runtime::kTypeUint32);
        break;
      }
    }
  }

  AppletHandle* handle_;
  std::mt19937 random_;
  std::string file_;
  std::atomic<char*>& shared_;
};

// Every saved integer and double parameter reads back, within its row's limits.
void expectConsistent(AppletHandle* handle) {
  for (const auto& key : persistence::kConfigurationKeys) {
    const description::DescriptionRow* row = description::findDescribedRow(key.id());
    if (key.form() == persistence::KeyForm::kDouble) {
      double value = 0;
      ASSERT_EQ(Fg_getParameterWithType(handle, key.id(), &value, 0, runtime::kTypeDouble), 0)
          << key.name();
      EXPECT_FALSE(std::isnan(value)) << key.name();
    } else if (key.form() == persistence::KeyForm::kInteger && row != nullptr &&
               (row->access & runtime::kAccessWrite) != 0) {
      std::uint32_t value = 0;
      ASSERT_EQ(Fg_getParameterWithType(handle, key.id(), &value, 0, runtime::kTypeUint32), 0)
          << key.name();
      if (row->values.list != nullptr) {
        const auto& entries = row->values.list->entries;
        EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [&](const auto& entry) {
          return static_cast<std::uint32_t>(entry.value) == value;
        })) << key.name() << " = " << value;
      } else {
        EXPECT_GE(static_cast<std::int64_t>(value), row->values.minimum) << key.name();
        EXPECT_LE(static_cast<std::int64_t>(value), row->values.maximum) << key.name();
      }
    }
  }
  EXPECT_TRUE(kKnownCodes.contains(Fg_getLastErrorNumber(handle)))
      << Fg_getLastErrorNumber(handle);
}

AppletHandle createApplet(std::uint64_t board) {
  std::int32_t code = -1;
  AppletHandle handle{Std_entry(board, &code, 0)};
  EXPECT_EQ(code, 0);
  return handle;
}

TEST(Stress, EightThreadsOnOneAppletMixingEveryKindOfCall) {
  ScratchDirectory scratch;
  AppletHandle handle = createApplet(freshBoard());
  ASSERT_NE(handle.applet, nullptr);
  std::atomic<char*> shared{nullptr};
  std::atomic<std::uint64_t> steps{0};
  const auto end = std::chrono::steady_clock::now() + kDuration;
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      Worker worker(&handle, static_cast<unsigned>(i),
                    scratch.path("thread-" + std::to_string(i) + ".mcf"), shared);
      steps += worker(end);
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::cout << "stress: " << steps << " calls by " << kThreads << " threads on one applet\n";
  if (char* left = shared.exchange(nullptr)) {
    EXPECT_EQ(Fg_freeParameterStringWithType(&handle, kHapFile, left, 0,
                                             runtime::kTypeStringCopy),
              0);
  }
  expectConsistent(&handle);
  EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
}

TEST(Stress, EightAppletsOnEightBoardsSideBySide) {
  ScratchDirectory scratch;
  const auto end = std::chrono::steady_clock::now() + kDuration;
  std::vector<std::thread> threads;
  std::array<AppletHandle, kThreads> handles{};
  std::atomic<std::uint64_t> steps{0};
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      handles[static_cast<std::size_t>(i)] = createApplet(freshBoard());
      std::atomic<char*> shared{nullptr};
      Worker worker(&handles[static_cast<std::size_t>(i)], static_cast<unsigned>(100 + i),
                    scratch.path("applet-" + std::to_string(i) + ".mcf"), shared);
      steps += worker(end);
      if (char* left = shared.exchange(nullptr)) {
        Fg_freeParameterStringWithType(&handles[static_cast<std::size_t>(i)], kHapFile, left, 0,
                                       runtime::kTypeStringCopy);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::cout << "stress: " << steps << " calls on " << kThreads << " applets\n";
  for (AppletHandle& handle : handles) {
    expectConsistent(&handle);
    EXPECT_EQ(Fg_FreeGrabber(&handle), 0);
  }
}

}  // namespace
}  // namespace brenvik::test
