// The simulated board's frame production through its image path, beside what the same
// bytes cost plainly (memcpy of the frame) and, where Debian's Aravis is there, its fake
// camera's fill of a frame of the same size, all in one run. The board runs unpaced, so a
// frame is drawn as soon as it is waited for. Ends with the rates' ratios and targets.
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
#include "parameters/Enumerations.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "simboard/control.h"

#if defined(BRENVIK_HAVE_ARAVIS)
#include <arv.h>
#endif

namespace {

using brenvik::parameters::enumUnsigned;
using brenvik::parameters::sdkId;

std::uint64_t nextBoard = 7100;

void report(benchmark::State& state, std::uint64_t side) {
  state.counters["Mpixel/s"] = benchmark::Counter(static_cast<double>(side * side) / 1e6,
                                                  benchmark::Counter::kIsIterationInvariantRate);
  state.SetLabel(std::to_string(side) + "x" + std::to_string(side));
}

// An applet on a board of its own, acquiring square 8-bit frames until stopped.
class Rig {
 public:
  Rig(std::uint32_t side, const std::string& image) : board_(nextBoard++) {
    std::int32_t code = 0;
    handle_.applet = Std_entry(board_, &code, 0);
    if (handle_.applet == nullptr) return;
    simboard_set(board_, "simboard:paced", "0");
    if (image.empty()) {
      set(sdkId("FG_CAMERASIMULATOR_ENABLE"), enumUnsigned("FG_CAMERASIMULATOR"));
      set(sdkId("FG_CAMERASIMULATOR_WIDTH"), side);
      set(sdkId("FG_CAMERASIMULATOR_HEIGHT"), side);
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

 private:
  void set(std::int32_t id, std::uint32_t value) {
    ok_ = ok_ && Fg_setParameterWithType(&handle_, id, &value, 0, brenvik::runtime::kTypeUint32) == 0;
  }

  std::uint64_t board_;
  AppletHandle handle_{nullptr};
  void* memory_ = nullptr;
  std::int64_t picture_ = 0;
  bool ok_ = true;
  bool ready_ = false;
};

void boardGenerated(benchmark::State& state) {
  const auto side = static_cast<std::uint32_t>(state.range(0));
  Rig rig(side, "");
  if (!rig.ready()) {
    state.SkipWithError("the board did not start");
    return;
  }
  for (auto _ : state) {
    if (!rig.next()) state.SkipWithError("a frame did not arrive");
  }
  report(state, side);
}
BENCHMARK(boardGenerated)->Arg(1024)->Arg(4096)->Unit(benchmark::kMicrosecond);

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

// Prints the usual table, then the board's rates against memcpy and Aravis.
class RateReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto found = run.counters.find("Mpixel/s");
      if (run.run_type == Run::RT_Iteration && !run.error_occurred && found != run.counters.end()) {
        rates_[run.benchmark_name()] = found->second.value;
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << "\nRate                          Mpixel/s  against                     ratio  target\n";
    for (const char* side : {"1024", "4096"}) {
      const std::string generated = std::string("boardGenerated/") + side;
      ratio(out, generated, std::string("plainMemcpy/") + side, 0.25);
      ratio(out, generated, std::string("aravisFakeCameraFill/") + side, 3.0);
      const std::string image = std::string("boardFromImage/") + side;
      if (const auto found = rates_.find(image); found != rates_.end()) {
        out << std::left << std::setw(30) << image << std::setw(10) << std::fixed
            << std::setprecision(0) << found->second << std::setw(28) << "" << std::setw(7) << ""
            << ">= 1000" << (found->second >= 1000 ? "" : "  (below)") << "\n";
      }
    }
  }

 private:
  void ratio(std::ostream& out, const std::string& path, const std::string& against,
             double target) const {
    const auto rate = rates_.find(path);
    const auto base = rates_.find(against);
    if (rate == rates_.end() || base == rates_.end() || base->second <= 0) return;
    const double value = rate->second / base->second;
    out << std::left << std::setw(30) << path << std::setw(10) << std::fixed
        << std::setprecision(0) << rate->second << std::setw(28) << against << std::setw(7)
        << std::setprecision(2) << value << ">= " << target << (value >= target ? "" : "  (below)")
        << "\n";
  }

  std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
