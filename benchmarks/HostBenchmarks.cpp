// What the client library costs over the applet's raw exports, measured in the same run: a
// stored get through Brenvik::host beside the same get through the export, and frames seen
// through the library's frame view beside the board's own lending loop over the exports.
// The difference and the ratio with their targets follow the report on standard error; one
// idle thread runs beside the measurements (BenchmarkRunner.h).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <iomanip>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "applet/Exports.h"
#include "benchmarks/BenchmarkRunner.h"
#include "brenvik/Host.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "simboard/control.h"

namespace {

using brenvik::bench::Results;

using namespace std::chrono_literals;

constexpr std::int32_t kWidth = brenvik::parameters::sdkId("FG_WIDTH");
constexpr std::uint32_t kBuffers = 4;
constexpr int kWaitSeconds = 5;

// Applets on boards of their own, the scene camera unpaced: pictures as fast as the board
// draws them.
brenvik::Applet& hostApplet() {
  static brenvik::Applet applet = [] {
    brenvik::OpenOptions options;
    options.board = 950;
    return brenvik::Applet(options);
  }();
  return applet;
}

struct RawApplet {
  RawApplet() : handle{Std_entry(951, nullptr, 0)} {}
  ~RawApplet() { Fg_FreeGrabber(&handle); }
  AppletHandle handle;
};

void rawStoredGet(benchmark::State& state) {
  static RawApplet raw;
  std::uint32_t value = 0;
  for (auto _ : state) {
    Fg_getParameterWithType(&raw.handle, kWidth, &value, 0, brenvik::runtime::kTypeUint32);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(rawStoredGet);

void hostStoredGet(benchmark::State& state) {
  brenvik::Applet& applet = hostApplet();
  const brenvik::ParameterHandle width = applet.handle(kWidth);
  for (auto _ : state) benchmark::DoNotOptimize(applet.getInteger(width));
}
BENCHMARK(hostStoredGet);

void rawFrames(benchmark::State& state) {
  static RawApplet raw;
  brenvik::Board(951).setPaced(false);
  void* memory = nullptr;
  simboard_buffers_alloc(951, kBuffers, 1024 * 1024, &memory);
  Fg_AcquireEx(&raw.handle, 0, -1, 0, memory);
  std::int64_t picture = 1;
  for (auto _ : state) {
    Fg_getLastPicNumberBlockingEx(&raw.handle, picture, 0, kWaitSeconds, memory);
    const void* pixels = nullptr;
    simboard_buffers_borrow(memory, picture, &pixels, nullptr);
    benchmark::DoNotOptimize(pixels);
    simboard_buffers_release(memory, picture);
    ++picture;
  }
  Fg_stopAcquireEx(&raw.handle, 0, memory, 0);
  simboard_buffers_free(memory);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(rawFrames)->Unit(benchmark::kMicrosecond)->UseRealTime();

void hostFrames(benchmark::State& state) {
  brenvik::Applet& applet = hostApplet();
  applet.board().setPaced(false);
  applet.start(kBuffers);
  for (auto _ : state) {
    brenvik::Frame frame = applet.next(std::chrono::seconds(kWaitSeconds));
    benchmark::DoNotOptimize(frame.pixels());
  }
  applet.stop();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(hostFrames)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The library's cost over the exports beside its targets.
void costs(const Results& results, std::ostream& out) {
  const auto nanoseconds = [&](const char* name) {
    const auto found = results.find(name);
    return found == results.end() ? 0.0 : found->second.nanoseconds;
  };
  const double rawGet = nanoseconds("rawStoredGet");
  const double hostGet = nanoseconds("hostStoredGet");
  const double rawFrame = nanoseconds("rawFrames/real_time");
  const double hostFrame = nanoseconds("hostFrames/real_time");
  out << std::fixed << std::setprecision(1) << "\nstored get: raw export " << rawGet
      << " ns, through Brenvik::host " << hostGet << " ns, " << hostGet - rawGet
      << " ns more (target: at most 10 ns)\n";
  if (rawFrame > 0 && hostFrame > 0) {
    out << "frames/s at 1024 x 1024: the board's own " << 1e9 / rawFrame
        << ", through the frame view " << 1e9 / hostFrame << ", ratio " << std::setprecision(3)
        << rawFrame / hostFrame << " (target: at least 0.95)\n";
  }
}

}  // namespace

int main(int argc, char** argv) { return brenvik::bench::runBenchmarks(argc, argv, costs); }
