// The client library's own frame rate, for the Python benchmark to compare its grab with:
// 1024 x 1024 FG_GRAY frames, unpaced, taken in place and copied into one block the way a
// grab fills its array. Prints "in_place FPS" and "copied FPS" (frames per second, best of
// the runs).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "brenvik/Host.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kSide = 1024;
constexpr std::uint32_t kBuffers = 4;

double framesPerSecond(brenvik::Applet& applet, std::int64_t frames, std::uint8_t* block) {
  const auto started = Clock::now();
  applet.start(kBuffers, frames);
  for (std::int64_t index = 0; index < frames; ++index) {
    brenvik::Frame frame = applet.next(std::chrono::seconds(5));
    if (block != nullptr) {
      std::memcpy(block + static_cast<std::size_t>(index) * frame.bytes(), frame.pixels(),
                  frame.bytes());
    }
  }
  applet.stop();
  return static_cast<double>(frames) /
         std::chrono::duration<double>(Clock::now() - started).count();
}

}  // namespace

int main(int argc, char** argv) {
  const std::int64_t frames = argc > 1 ? std::atoll(argv[1]) : 200;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  if (frames < 1 || runs < 1) {
    std::fprintf(stderr, "usage: host_grab_rate [FRAMES [RUNS]]\n");
    return 2;
  }
  try {
    brenvik::OpenOptions options;
    options.board = 4242;
    brenvik::Applet applet(options);
    applet.set(applet.handle("FG_WIDTH"), brenvik::Input::fromInteger(kSide));
    applet.set(applet.handle("FG_HEIGHT"), brenvik::Input::fromInteger(kSide));
    applet.set(applet.handle("FG_FORMAT"), brenvik::Input::fromString("FG_GRAY"));
    applet.board().setPaced(false);
    std::vector<std::uint8_t> block(static_cast<std::size_t>(frames) * kSide * kSide);
    double inPlace = 0, copied = 0;
    for (int run = 0; run < runs; ++run) {
      inPlace = std::max(inPlace, framesPerSecond(applet, frames, nullptr));
      copied = std::max(copied, framesPerSecond(applet, frames, block.data()));
    }
    std::printf("in_place %.1f\ncopied %.1f\n", inPlace, copied);
  } catch (const brenvik::Error& error) {
    std::fprintf(stderr, "host_grab_rate: %s\n", error.what());
    return 1;
  }
  return 0;
}
