// The simulated board's frame production through its image path, beside what the same
// bytes cost plainly (memcpy of the frame) and, where Debian's Aravis is there, its fake
// camera's fill of a frame of the same size, all in one run. The board runs unpaced, so a
// frame is drawn as soon as it is waited for. The simulator draws a still pattern
// (boardGenerated) and a rolling one whose every frame differs (boardRolling). One idle
// thread runs beside the measurements (see BenchmarkRunner.h); the rates' ratios and targets
// follow the report on standard error.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "applet/Exports.h"
#include "benchmarks/BenchmarkRunner.h"
#include "parameters/Enumerations.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "simboard/control.h"

#if defined(BRENVIK_HAVE_ARAVIS)
#include <arv.h>
#endif

namespace {

using brenvik::bench::Results;

using brenvik::parameters::enumUnsigned;
using brenvik::parameters::sdkId;

std::uint64_t nextBoard = 7100;

void report(benchmark::State& state, std::uint64_t side) {
  state.counters["Mpixel/s"] = benchmark::Counter(static_cast<double>(side * side) / 1e6,
                                                  benchmark::Counter::kIsIterationInvariantRate);
  state.SetLabel(std::to_string(side) + "x" + std::to_string(side));
}

// What the camera simulator draws: a still pattern, or one that rolls from frame to frame.
enum class Pattern { kStill, kRolling };

// An applet on a board of its own, acquiring square 8-bit frames until stopped.
class Rig {
 public:
  Rig(std::uint32_t side, const std::string& image, Pattern pattern = Pattern::kStill)
      : board_(nextBoard++), side_(side) {
    std::int32_t code = 0;
    handle_.applet = Std_entry(board_, &code, 0);
    if (handle_.applet == nullptr) return;
    simboard_set(board_, "simboard:paced", "0");
    if (image.empty()) {
      set(sdkId("FG_CAMERASIMULATOR_ENABLE"), enumUnsigned("FG_CAMERASIMULATOR"));
      set(sdkId("FG_CAMERASIMULATOR_WIDTH"), side);
      set(sdkId("FG_CAMERASIMULATOR_HEIGHT"), side);
      set(sdkId("FG_CAMERASIMULATOR_ROLL"),
          pattern == Pattern::kRolling ? enumUnsigned("FG_ON") : enumUnsigned("FG_OFF"));
    } else {
      simboard_set(board_, "simboard:camera_input", image.c_str());
    }
    set(sdkId("FG_WIDTH"), side);
    set(sdkId("FG_HEIGHT"), side);
    if (simboard_buffers_alloc(board_, 2, std::uint64_t{side} * side, &memory_) != 0) return;
    ready_ = Fg_AcquireEx(&handle_, 0, -1, 0, memory_) == 0;
  }
  ~Rig() {
    if (ready_) Fg_stopAcquireEx(&handle_, 0, memory_, 0);
    if (memory_ != nullptr) simboard_buffers_free(memory_);
    if (handle_.applet != nullptr) Fg_FreeGrabber(&handle_);
    simboard_set(board_, "simboard:camera_input", "");
  }
  Rig(const Rig&) = delete;
  Rig& operator=(const Rig&) = delete;

  bool ready() const { return ready_; }
  bool next() {
    ++picture_;
    return Fg_getLastPicNumberBlockingEx(&handle_, picture_, 0, 5, memory_) >= picture_;
  }
  // True when the next two frames differ (read out of their buffers, outside any timing).
  bool nextFramesDiffer() {
    std::vector<std::uint8_t> first(std::size_t{side_} * side_);
    std::vector<std::uint8_t> second(first.size());
    return next() && copy(first) && next() && copy(second) && first != second;
  }

 private:
  bool copy(std::vector<std::uint8_t>& out) {
    SimboardFrame frame{};
    return simboard_buffers_copy(memory_, picture_, out.data(), out.size(), &frame) == 0;
  }
  void set(std::int32_t id, std::uint32_t value) {
    ok_ = ok_ && Fg_setParameterWithType(&handle_, id, &value, 0, brenvik::runtime::kTypeUint32) == 0;
  }

  std::uint64_t board_;
  std::uint32_t side_;
  AppletHandle handle_{nullptr};
  void* memory_ = nullptr;
  std::int64_t picture_ = 0;
  bool ok_ = true;
  bool ready_ = false;
};

// Frames of one pattern, fetched one after another; the rolling pattern is checked before
// timing to differ frame by frame, so that its rate cannot come from a repeated frame.
void boardFrames(benchmark::State& state, Pattern pattern) {
  const auto side = static_cast<std::uint32_t>(state.range(0));
  Rig rig(side, "", pattern);
  if (!rig.ready() || (pattern == Pattern::kRolling && !rig.nextFramesDiffer())) {
    state.SkipWithError("the board did not start, or its frames repeat");
    return;
  }
  for (auto _ : state) {
    if (!rig.next()) state.SkipWithError("a frame did not arrive");
  }
  report(state, side);
}
void boardGenerated(benchmark::State& state) { boardFrames(state, Pattern::kStill); }
void boardRolling(benchmark::State& state) { boardFrames(state, Pattern::kRolling); }
BENCHMARK(boardGenerated)->Arg(1024)->Arg(4096)->Unit(benchmark::kMicrosecond);
BENCHMARK(boardRolling)->Arg(1024)->Arg(4096)->Unit(benchmark::kMicrosecond);

// A camera-port image through the (default) table: every pixel is looked up.
void boardFromImage(benchmark::State& state) {
  const auto side = static_cast<std::uint32_t>(state.range(0));
  const std::string path = "brenvik-benchmark-input.pgm";
  {
    std::ofstream file(path, std::ios::binary);
    file << "P5\n" << side << " " << side << "\n255\n";
    std::vector<char> row(side);
    for (std::uint32_t y = 0; y < side; ++y) {
      for (std::uint32_t x = 0; x < side; ++x) row[x] = static_cast<char>((x * 7 + y * 13) & 255);
      file.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
  }
  {
    Rig rig(side, path);
    if (!rig.ready()) {
      state.SkipWithError("the board did not start");
    } else {
      for (auto _ : state) {
        if (!rig.next()) state.SkipWithError("a frame did not arrive");
      }
      report(state, side);
    }
  }
  std::remove(path.c_str());
}
BENCHMARK(boardFromImage)->Arg(1024)->Arg(4096)->Unit(benchmark::kMicrosecond);

void plainMemcpy(benchmark::State& state) {
  const auto side = static_cast<std::size_t>(state.range(0));
  std::vector<std::uint8_t> from(side * side, 7);
  std::vector<std::uint8_t> to(side * side);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), to.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  report(state, side);
}
BENCHMARK(plainMemcpy)->Arg(1024)->Arg(4096)->Unit(benchmark::kMicrosecond);

#if defined(BRENVIK_HAVE_ARAVIS)
void aravisFakeCameraFill(benchmark::State& state) {
  const auto side = static_cast<guint32>(state.range(0));
  ArvFakeCamera* camera = arv_fake_camera_new("BRENVIK-BENCH");
  if (camera == nullptr) {
    state.SkipWithError("no Aravis fake camera");
    return;
  }
  arv_fake_camera_write_register(camera, ARV_FAKE_CAMERA_REGISTER_WIDTH, side);
  arv_fake_camera_write_register(camera, ARV_FAKE_CAMERA_REGISTER_HEIGHT, side);
  ArvBuffer* buffer = arv_buffer_new(arv_fake_camera_get_payload(camera), nullptr);
  guint32 packetSize = 0;
  for (auto _ : state) {
    arv_fake_camera_fill_buffer(camera, buffer, &packetSize);
    benchmark::ClobberMemory();
  }
  if (arv_buffer_get_status(buffer) != ARV_BUFFER_STATUS_SUCCESS ||
      arv_buffer_get_image_width(buffer) != static_cast<gint>(side)) {
    state.SkipWithError("the fake camera did not fill the frame");
  }
  g_object_unref(buffer);
  g_object_unref(camera);
  report(state, side);
}
BENCHMARK(aravisFakeCameraFill)->Arg(1024)->Arg(4096)->Unit(benchmark::kMicrosecond);
#endif

// --- The summary: the board's rates against memcpy and Aravis ---

const double* rateOf(const Results& results, const std::string& name) {
  const auto found = results.find(name);
  if (found == results.end()) return nullptr;
  const auto rate = found->second.counters.find("Mpixel/s");
  return rate == found->second.counters.end() ? nullptr : &rate->second;
}

void ratio(const Results& results, std::ostream& out, const std::string& path,
           const std::string& against, double target) {
  const double* rate = rateOf(results, path);
  const double* base = rateOf(results, against);
  if (rate == nullptr || base == nullptr || *base <= 0) return;
  const double value = *rate / *base;
  out << std::left << std::setw(30) << path << std::setw(10) << std::fixed << std::setprecision(0)
      << *rate << std::setw(28) << against << std::setw(7) << std::setprecision(2) << value
      << ">= " << target << (value >= target ? "" : "  (below)") << "\n";
}

void rates(const Results& results, std::ostream& out) {
  out << "\nRate                          Mpixel/s  against                     ratio  target\n";
  for (const char* side : {"1024", "4096"}) {
    for (const char* source : {"boardGenerated/", "boardRolling/"}) {
      const std::string generated = std::string(source) + side;
      ratio(results, out, generated, std::string("plainMemcpy/") + side, 0.25);
      ratio(results, out, generated, std::string("aravisFakeCameraFill/") + side, 3.0);
    }
    const std::string image = std::string("boardFromImage/") + side;
    if (const double* rate = rateOf(results, image)) {
      out << std::left << std::setw(30) << image << std::setw(10) << std::fixed
          << std::setprecision(0) << *rate << std::setw(28) << "" << std::setw(7) << ""
          << ">= 1000" << (*rate >= 1000 ? "" : "  (below)") << "\n";
    }
  }
}

}  // namespace

int main(int argc, char** argv) { return brenvik::bench::runBenchmarks(argc, argv, rates); }
