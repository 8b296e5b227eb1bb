// Costs of the applet's entry points through its exports, on the simulated board, measured
// beside two floors in the same run: an uncontended mutex lock and unlock, and the least a
// parameter set can do (lock, find the parameter by id, check the range, store). At the end
// the program prints each path's ratio to its floor and the targets it is held to, on standard
// error after the report. One idle thread runs beside the measurements, as in any host (see
// BenchmarkRunner.h), so the floors take the lock paths a real host takes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>

#include "applet/Exports.h"
#include "benchmarks/BenchmarkRunner.h"

namespace {

using brenvik::bench::Results;

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
//
// Where the time goes (valgrind --tool=callgrind --toggle-collect on the applet's set, a run
// long enough for the board's journal ring to wrap; the counts repeat from run to run):
// about 4150 instructions per set, over 80 % of them on the board's side of the nine
// hardware writes (some 390 each): its journal entry (20 % of the set, the two field writes
// copying their ten elements), its mutex (12 %), the type and range checks (10 %, mostly the
// fields' elements) and finding the session of the runtime handle (5 %). The applet's own
// share is the rest: the four limit refreshes of the description (4 %), the setter contract
// and the tap plan (2 %), and its lock and dispatch. So the time follows the number of
// hardware writes, which the sorter needs.
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

// --- The summary of ratios ---

// Each path beside its floor and its target.
void ratios(const Results& results, std::ostream& out) {
  brenvik::bench::targetHeader(out);
  brenvik::bench::againstFloor(results, out, "storedParameterGet", "floorMutexLockUnlock", 2.0);
  brenvik::bench::againstFloor(results, out, "storedParameterSet", "floorMinimalSet", 3.0);
  brenvik::bench::againstTime(results, out, "widthSet", 400.0);
  brenvik::bench::againstTime(results, out, "creationAndTeardown", 1e6);
}

}  // namespace

int main(int argc, char** argv) { return brenvik::bench::runBenchmarks(argc, argv, ratios); }
