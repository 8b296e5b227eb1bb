// Costs of the applet's entry points through its exports, on the simulated board, measured
// beside two floors in the same run: an uncontended mutex lock and unlock, and the least a
// parameter set can do (lock, find the parameter by id, check the range, store). At the end
// the program prints each path's ratio to its floor and the targets it is held to.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iomanip>
#include <iostream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "applet/Exports.h"

namespace {

// --- Floors ---

void floorMutexLockUnlock(benchmark::State& state) {
  std::mutex mutex;
  for (auto _ : state) {
    mutex.lock();
    benchmark::ClobberMemory();
    mutex.unlock();
  }
}
BENCHMARK(floorMutexLockUnlock);

// A table of 97 writable parameters with limits, sorted by id, as small as a set path can be.
struct MinimalParameter {
  std::int32_t id;
  std::uint32_t minimum;
  std::uint32_t maximum;
  std::uint32_t value;
};

void floorMinimalSet(benchmark::State& state) {
  std::array<MinimalParameter, 97> table{};
  for (std::size_t i = 0; i < table.size(); ++i) {
    table[i] = {static_cast<std::int32_t>(100 + i * 3001), 0, 100000, 0};
  }
  std::mutex mutex;
  const std::int32_t wanted = table[60].id;
  std::uint32_t value = 7;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    std::lock_guard<std::mutex> guard(mutex);
    const auto found = std::lower_bound(
        table.begin(), table.end(), wanted,
        [](const MinimalParameter& parameter, std::int32_t id) { return parameter.id < id; });
    if (found != table.end() && found->id == wanted && value >= found->minimum &&
        value <= found->maximum) {
      found->value = value;
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(floorMinimalSet);

// An applet created once per benchmark run.
class Applet {
 public:
  Applet() : handle_{Std_entry(900, nullptr, 0)} {}
  ~Applet() {
    if (handle_.applet != nullptr) Fg_FreeGrabber(&handle_);
  }
  AppletHandle* handle() { return &handle_; }

 private:
  AppletHandle handle_;
};

void creationAndTeardown(benchmark::State& state) {
  for (auto _ : state) {
    AppletHandle handle{Std_entry(901, nullptr, 1)};
    benchmark::DoNotOptimize(handle.applet);
    Fg_FreeGrabber(&handle);
  }
}
BENCHMARK(creationAndTeardown)->Unit(benchmark::kMicrosecond);

void lastErrorThroughTheExport(benchmark::State& state) {
  Applet applet;
  for (auto _ : state) benchmark::DoNotOptimize(Fg_getLastErrorNumber(applet.handle()));
}
BENCHMARK(lastErrorThroughTheExport);

void forwardedRuntimeCall(benchmark::State& state) {
  Applet applet;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Fg_getLastPicNumberEx(applet.handle(), 0, nullptr));
  }
}
BENCHMARK(forwardedRuntimeCall);

// A stored value: the parameter lock, the DMA lookup, the getter lookup and a copy.
void storedParameterGet(benchmark::State& state) {
  Applet applet;
  std::uint32_t width = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Fg_getParameterWithType(applet.handle(), 100, &width, 0, 2));
  }
}
BENCHMARK(storedParameterGet);

// A hardware value: one read through the SDK runtime (FG_SYSTEMMONITOR_FPGA_TEMPERATURE).
void hardwareParameterGet(benchmark::State& state) {
  Applet applet;
  double temperature = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Fg_getParameterWithType(applet.handle(), 200341, &temperature, 0, 5));
  }
}
BENCHMARK(hardwareParameterGet);

// A set that only stores and writes one hardware parameter: the lock, the DMA lookup, the
// setter lookup, the contract and one runtime write (FG_IMG_SELECT).
void storedParameterSet(benchmark::State& state) {
  Applet applet;
  const std::uint32_t selected = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Fg_setParameterWithType(applet.handle(), 25111, &selected, 0, 2));
  }
}
BENCHMARK(storedParameterSet);

// FG_WIDTH: the whole tap-geometry sequence (eight sorter writes, two of them fields), the
// frame-buffer write and four description limits.
void widthSet(benchmark::State& state) {
  Applet applet;
  const std::uint32_t width = 1024;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Fg_setParameterWithType(applet.handle(), 100, &width, 0, 2));
  }
}
BENCHMARK(widthSet);

void parameterIdByName(benchmark::State& state) {
  Applet applet;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        Fg_getParameterIdByName(applet.handle(), "FG_TRIGGER_QUEUE_FILLLEVEL_EVENT_ON_THRESHOLD"));
  }
}
BENCHMARK(parameterIdByName);

void valueNameLookup(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(Info(0x1100, 0, 0, const_cast<char*>("FG_GEOMETRY_4X2E"), nullptr));
  }
}
BENCHMARK(valueNameLookup);

// --- The report of ratios ---

// Prints the usual table, then each path beside its floor and its target.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) {
        nanoseconds_[run.benchmark_name()] =
            run.GetAdjustedRealTime() * multiplierToNanoseconds(run.time_unit);
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << "\nPath                  time        against                 ratio   target\n";
    relative(out, "storedParameterGet", "floorMutexLockUnlock", 1.5);
    relative(out, "storedParameterSet", "floorMinimalSet", 2.0);
    absolute(out, "widthSet", 400.0);
    absolute(out, "creationAndTeardown", 1e6);
  }

 private:
  static double multiplierToNanoseconds(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond:
        return 1e9;
      case benchmark::kMillisecond:
        return 1e6;
      case benchmark::kMicrosecond:
        return 1e3;
      default:
        return 1.0;
    }
  }

  const double* find(const std::string& name) const {
    const auto found = nanoseconds_.find(name);
    return found == nanoseconds_.end() ? nullptr : &found->second;
  }

  void relative(std::ostream& out, const std::string& path, const std::string& floor,
                double target) const {
    const double* time = find(path);
    const double* base = find(floor);
    if (time == nullptr || base == nullptr || *base <= 0) return;
    out << std::left << std::setw(22) << path << std::setw(12) << nanos(*time) << std::setw(24)
        << floor << std::setw(8) << std::fixed << std::setprecision(2) << *time / *base << "<= "
        << target << (*time / *base <= target ? "" : "  (above)") << "\n";
  }

  void absolute(std::ostream& out, const std::string& path, double target) const {
    const double* time = find(path);
    if (time == nullptr) return;
    out << std::left << std::setw(22) << path << std::setw(12) << nanos(*time) << std::setw(24)
        << "" << std::setw(8) << "" << "<= " << nanos(target)
        << (*time <= target ? "" : "  (above)") << "\n";
  }

  static std::string nanos(double value) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(value < 100 ? 1 : 0) << value << " ns";
    return text.str();
  }

  std::map<std::string, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
