// The GigE Vision bridge against Aravis's fake GigE Vision camera: each device, in a process of
// its own on a loopback address of its own, streams 1024 x 1024 Mono8 frames to the same
// Aravis client in this process, at 1400-byte packets and at the largest packet size both
// accept. The fake camera runs at its highest frame rate (1000), the bridge's camera simulator
// at its own highest for the frame size (about 946 frames/s at 1024 x 1024). Each run reports
// frames/s, MB/s (10^6 bytes of pixels) and the frames lost; the summary gives the bridge's throughput as a multiple of the fake
// camera's (the goal: 1.5 or more, with no frame lost). The bridge runs twice: at its full
// rate, where the client's own receiving may fall behind and lose frames, and at 1.5 times
// the fake camera's rate of the same run.
// BRENVIK_GEV_FRAMES sets the frames per run (default 500).
#include <arv.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <map>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "benchmarks/BenchmarkRunner.h"

extern char** environ;

namespace {

constexpr const char* kBridgeAddress = "127.0.0.41";
constexpr const char* kFakeAddress = "127.0.0.1";  // the fake camera serves on an interface's address
constexpr int kSide = 1024;
constexpr double kFrameRate = 1000;
constexpr int kBuffers = 32;
constexpr std::uint32_t kSmallPackets = 1400;
constexpr std::uint32_t kLargestBoth = 0;  // found out at run time
constexpr gint64 kFrameTimeoutUs = 2000000;
constexpr guint64 kBlockIds = 65535;

// A device server in a process group of its own, stopped by its id.
class Server {
 public:
  explicit Server(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    if (posix_spawn(&pid_, argv[0], nullptr, &attributes, argv.data(), environ) != 0) pid_ = 0;
    posix_spawnattr_destroy(&attributes);
  }
  ~Server() {
    if (pid_ <= 0) return;
    kill(-pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;
  bool started() const { return pid_ > 0; }

 private:
  pid_t pid_ = 0;
};

// The device at `address`, waited for while its server starts; null after 30 s.
ArvCamera* openCamera(const char* address) {
  GInetAddress* inet = g_inet_address_new_from_string(address);
  ArvCamera* camera = nullptr;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (camera == nullptr && std::chrono::steady_clock::now() < deadline) {
    GError* error = nullptr;
    ArvDevice* device = arv_gv_device_new(inet, inet, &error);
    if (device != nullptr) {
      camera = arv_camera_new_with_device(device, &error);
      g_object_unref(device);
    }
    if (error != nullptr) g_clear_error(&error);
    if (camera == nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  g_object_unref(inet);
  return camera;
}

struct Outcome {
  double framesPerSecond = 0;
  double megabytesPerSecond = 0;
  guint64 lost = 0;
};
std::map<std::pair<std::string, std::uint32_t>, Outcome> outcomes;

int framesPerRun() {
  const char* text = std::getenv("BRENVIK_GEV_FRAMES");
  return text != nullptr && std::atoi(text) > 1 ? std::atoi(text) : 500;
}

gint64 largestPacketBoth() {
  gint64 largest = G_MAXINT64;
  for (const char* address : {kBridgeAddress, kFakeAddress}) {
    ArvCamera* camera = openCamera(address);
    if (camera == nullptr) return kSmallPackets;
    gint64 least = 0, most = 0;
    arv_device_get_integer_feature_bounds(arv_camera_get_device(camera), "GevSCPSPacketSize",
                                          &least, &most, nullptr);
    largest = std::min(largest, most);
    g_object_unref(camera);
  }
  return largest;
}

guint64 info(ArvStream* stream, const char* name) {
  return arv_stream_get_info_uint64_by_name(stream, name);
}

// Sets the highest frame rate up to `rate` that the device accepts, within 1 %: the bridge's
// applet refuses a rate the frame size does not allow, and its description gives the
// simulator's general bound (1e7), not the one for the frame size.
double setHighestRate(ArvCamera* camera, double rate) {
  constexpr double kStep = 0.99;
  for (; rate >= 1; rate *= kStep) {
    GError* error = nullptr;
    arv_camera_set_frame_rate(camera, rate, &error);
    if (error == nullptr) return rate;
    g_clear_error(&error);
  }
  return rate;
}

// Runs of the bridge: at its board's full rate, or at 1.5 times the frame rate the fake camera
// reached with the same packets in this run (the goal's rate: to be held without a loss).
enum class Pace { kFull, kGoal };
constexpr double kGoal = 1.5;

void streamFrames(benchmark::State& state, const char* device, const char* address,
                  std::uint32_t packetSize, Pace pace) {
  const gint64 size = packetSize == kLargestBoth ? largestPacketBoth() : packetSize;
  const auto fakeRun = outcomes.find({"fake_camera", static_cast<std::uint32_t>(size)});
  if (pace == Pace::kGoal && (fakeRun == outcomes.end() || fakeRun->second.framesPerSecond <= 0)) {
    state.SkipWithError("no fake camera run to pace by");
    return;
  }
  const int frames = framesPerRun();
  Outcome outcome;
  double rate = kFrameRate;
  for (auto _ : state) {
    ArvCamera* camera = openCamera(address);
    if (camera == nullptr) {
      state.SkipWithError("the device did not answer");
      return;
    }
    GError* error = nullptr;
    arv_camera_set_region(camera, 0, 0, kSide, kSide, &error);
    arv_camera_set_pixel_format(camera, ARV_PIXEL_FORMAT_MONO_8, &error);
    if (std::string(device) == "fake_camera") {
      arv_camera_set_frame_rate(camera, rate, &error);
    } else {
      arv_device_set_string_feature_value(arv_camera_get_device(camera),
                                          "FG_CAMERASIMULATOR_ENABLE", "FG_CAMERASIMULATOR",
                                          &error);
      if (pace == Pace::kGoal) rate = std::min(rate, kGoal * fakeRun->second.framesPerSecond);
      if (error == nullptr) rate = setHighestRate(camera, rate);
    }
    arv_camera_gv_set_packet_size(camera, static_cast<gint>(size), &error);
    const guint payload = arv_camera_get_payload(camera, &error);
    ArvStream* stream = arv_camera_create_stream(camera, nullptr, nullptr, &error);
    if (error != nullptr || stream == nullptr) {
      state.SkipWithError(error != nullptr ? error->message : "no stream");
      g_clear_error(&error);
      g_object_unref(camera);
      return;
    }
    for (int i = 0; i < kBuffers; ++i) arv_stream_push_buffer(stream, arv_buffer_new(payload, nullptr));
    arv_camera_start_acquisition(camera, &error);
    int good = 0;
    guint64 lost = 0;
    guint64 previous = 0;  // block id of the last whole frame
    std::chrono::steady_clock::time_point first, last;
    for (int popped = 0; popped < frames; ++popped) {
      ArvBuffer* buffer = arv_stream_timeout_pop_buffer(stream, kFrameTimeoutUs);
      if (buffer == nullptr) {
        lost += static_cast<guint64>(frames - popped);
        break;
      }
      if (arv_buffer_get_status(buffer) == ARV_BUFFER_STATUS_SUCCESS) {
        last = std::chrono::steady_clock::now();
        if (good++ == 0) first = last;
        // Block ids count 1 to 65535 and wrap to 1: a jump is frames that never came whole.
        const guint64 id = arv_buffer_get_frame_id(buffer);
        if (previous != 0) lost += (id + kBlockIds - previous - 1) % kBlockIds;
        previous = id;
      } else if (good > 0) {
        ++lost;
      }
      arv_stream_push_buffer(stream, buffer);
    }
    arv_camera_stop_acquisition(camera, &error);
    const double seconds = std::chrono::duration<double>(last - first).count();
    state.SetIterationTime(seconds > 0 ? seconds : 1e-9);
    if (good > 1 && seconds > 0) {
      outcome.framesPerSecond = (good - 1) / seconds;
      outcome.megabytesPerSecond = outcome.framesPerSecond * payload / 1e6;
    }
    // Frames between the first and the last whole one that did not come whole.
    outcome.lost = lost;
    state.counters["resent_packets"] = static_cast<double>(info(stream, "n_resent_packets"));
    state.counters["missing_packets"] = static_cast<double>(info(stream, "n_missing_packets"));
    g_clear_error(&error);
    g_object_unref(stream);
    g_object_unref(camera);
  }
  state.counters["packet_size"] = static_cast<double>(size);
  state.counters["frames/s"] = outcome.framesPerSecond;
  state.counters["MB/s"] = outcome.megabytesPerSecond;
  state.counters["lost"] = static_cast<double>(outcome.lost);
  state.counters["frame_rate_set"] = rate;
  outcomes[{device, static_cast<std::uint32_t>(size)}] = outcome;
}

void registerRuns() {
  for (const std::uint32_t packets : {kSmallPackets, kLargestBoth}) {
    const std::string size = packets == kSmallPackets ? "1400" : "largest";
    struct Run {
      const char* device;
      const char* address;
      Pace pace;
    };
    for (const Run& run : {Run{"fake_camera", kFakeAddress, Pace::kFull},
                           Run{"bridge", kBridgeAddress, Pace::kFull},
                           Run{"bridge_at_goal", kBridgeAddress, Pace::kGoal}}) {
      benchmark::RegisterBenchmark(("stream/" + std::string(run.device) + "/" + size).c_str(),
                                   [run, packets](benchmark::State& state) {
                                     streamFrames(state, run.device, run.address, packets,
                                                  run.pace);
                                   })
          ->Iterations(1)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
}

// The bridge's throughput against the fake camera's at each packet size.
void throughput(const brenvik::bench::Results&, std::ostream& out) {
  out << "\nbridge / fake camera throughput (goal: 1.5 or more, no frame lost):\n";
  for (const auto& [key, outcome] : outcomes) {
    if (key.first == "fake_camera") continue;
    const auto other = outcomes.find({"fake_camera", key.second});
    if (other == outcomes.end() || other->second.megabytesPerSecond <= 0) continue;
    out << "  " << std::left << std::setw(14) << key.first << "  " << std::right << std::setw(5)
        << key.second << "-byte packets: " << std::fixed << std::setprecision(1) << std::setw(7)
        << outcome.megabytesPerSecond << " MB/s (" << outcome.lost << " lost) vs "
        << std::setw(7) << other->second.megabytesPerSecond << " MB/s ("
        << other->second.lost << " lost): " << std::setprecision(2)
        << outcome.megabytesPerSecond / other->second.megabytesPerSecond << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  registerRuns();
  Server bridge({BRENVIK_TOOL, "gev", "--listen", kBridgeAddress});
  Server fake({BRENVIK_FAKE_CAMERA, "-i", kFakeAddress});
  if (!bridge.started() || !fake.started()) {
    std::fprintf(stderr, "gev_benchmarks: cannot start the devices\n");
    return 1;
  }
  return brenvik::bench::runBenchmarks(argc, argv, throughput);
}
