// Costs of the applet's entry points through its exports, on the simulated board.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "applet/Exports.h"

namespace {

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

}  // namespace
