// Saving and loading a full configuration file through the exports, on the simulated board.
// The target for a save and a load together is 2 ms. One idle thread runs beside the
// measurements (BenchmarkRunner.h).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "applet/Exports.h"

namespace {

constexpr double kTargetMicroseconds = 2000;

std::string scratchFile(const char* name) {
  return "/tmp/brenvik-bench-" + std::to_string(::getpid()) + "-" + name + ".mcf";
}

// One applet with a few settings away from their defaults, so that the load has work to do.
class ConfiguredApplet {
 public:
  explicit ConfiguredApplet(std::uint64_t board) : handle_{Std_entry(board, nullptr, 0)} {
    const std::uint32_t width = 512;
    Fg_setParameterWithType(&handle_, 100, &width, 0, 2);  // FG_WIDTH
    const double gamma = 2.2;
    Fg_setParameterWithType(&handle_, 300003, &gamma, 0, 5);  // FG_PROCESSING_GAMMA
  }
  ~ConfiguredApplet() { Fg_FreeGrabber(&handle_); }
  AppletHandle* handle() { return &handle_; }

 private:
  AppletHandle handle_;
};

void saveConfiguration(benchmark::State& state) {
  ConfiguredApplet applet(920);
  const std::string file = scratchFile("save");
  for (auto _ : state) {
    if (Fg_saveConfig(applet.handle(), file.c_str()) != 0) state.SkipWithError("save failed");
  }
  std::remove(file.c_str());
}
BENCHMARK(saveConfiguration)->Unit(benchmark::kMicrosecond);

void loadConfiguration(benchmark::State& state) {
  ConfiguredApplet applet(921);
  const std::string file = scratchFile("load");
  Fg_saveConfig(applet.handle(), file.c_str());
  for (auto _ : state) {
    if (Fg_loadConfig(applet.handle(), file.c_str()) != 0) state.SkipWithError("load failed");
  }
  std::remove(file.c_str());
}
BENCHMARK(loadConfiguration)->Unit(benchmark::kMicrosecond);

// Both, as a user saving one setup and restoring it; the counter gives the share of the
// 2 ms target that one pair takes (below 1 meets it).
void saveThenLoad(benchmark::State& state) {
  ConfiguredApplet applet(922);
  const std::string file = scratchFile("pair");
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    if (Fg_saveConfig(applet.handle(), file.c_str()) != 0 ||
        Fg_loadConfig(applet.handle(), file.c_str()) != 0) {
      state.SkipWithError("save or load failed");
    }
  }
  const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
  if (state.iterations() > 0) {
    state.counters["share_of_target"] =
        elapsed.count() / static_cast<double>(state.iterations()) / kTargetMicroseconds;
  }
  std::remove(file.c_str());
}
BENCHMARK(saveThenLoad)->Unit(benchmark::kMicrosecond);

}  // namespace
