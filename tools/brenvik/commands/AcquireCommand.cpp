// "brenvik acquire": grabs frames through the applet's acquisition exports into DMA buffers
// of the simulated board and writes each one as a binary PGM file.
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "parameters/Enumerations.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "simboard/control.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

using parameters::sdkId;

constexpr std::uint32_t kMostFrames = 1000000;
constexpr std::uint32_t kMostBuffers = 4096;
constexpr std::uint32_t kDefaultBuffers = 4;
constexpr int kDefaultTimeoutSeconds = 5;
constexpr int kMostTimeoutSeconds = 3600;
constexpr std::size_t kTextSize = 4096;

struct Request {
  std::uint32_t frames = 0;
  std::filesystem::path output;
  std::uint32_t buffers = kDefaultBuffers;
  int timeout = kDefaultTimeoutSeconds;
  std::vector<std::string> inputs;
  bool unpaced = false;
};

template <typename Number>
bool parseNumber(const std::string& text, Number& value, Number least, Number most) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() && value >= least &&
         value <= most;
}

// Reads the options; an empty text when they are fine, else what is wrong.
std::string parse(const std::vector<std::string>& arguments, Request& request) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (option == "--frames") {
      if (!hasValue || !parseNumber(arguments[++i], request.frames, 1u, kMostFrames)) {
        return "--frames takes a number from 1 to " + std::to_string(kMostFrames);
      }
    } else if (option == "--output") {
      if (!hasValue) return "--output takes a directory";
      request.output = arguments[++i];
    } else if (option == "--buffers") {
      if (!hasValue || !parseNumber(arguments[++i], request.buffers, 1u, kMostBuffers)) {
        return "--buffers takes a number from 1 to " + std::to_string(kMostBuffers);
      }
    } else if (option == "--timeout") {
      if (!hasValue || !parseNumber(arguments[++i], request.timeout, 0, kMostTimeoutSeconds)) {
        return "--timeout takes seconds from 0 to " + std::to_string(kMostTimeoutSeconds);
      }
    } else if (option == "--input") {
      if (!hasValue) return "--input takes an image file";
      request.inputs.push_back(arguments[++i]);
    } else if (option == "--unpaced") {
      request.unpaced = true;
    } else {
      return "unexpected argument '" + option + "'";
    }
  }
  if (request.frames == 0) return "--frames N is required";
  if (request.output.empty()) return "--output DIR is required";
  return {};
}

// "frame-0007.pgm" for picture 8.
std::filesystem::path frameFile(const std::filesystem::path& directory, std::int64_t picture) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%04lld.pgm", static_cast<long long>(picture - 1));
  return directory / name;
}

// Binary PGM: 8-bit samples as they are, wider ones as 16-bit big-endian samples.
bool writePgm(const std::filesystem::path& path, const SimboardFrame& frame,
              const std::vector<std::uint8_t>& pixels) {
  std::ofstream file(path, std::ios::binary);
  const bool wide = frame.bytesPerPixel == 2;
  file << "P5\n" << frame.width << " " << frame.height << "\n" << (wide ? 65535 : 255) << "\n";
  if (!wide) {
    file.write(reinterpret_cast<const char*>(pixels.data()),
               static_cast<std::streamsize>(frame.bytes));
  } else {
    std::vector<char> swapped(frame.bytes);
    for (std::size_t i = 0; i + 1 < frame.bytes; i += 2) {
      std::uint16_t sample = 0;
      std::memcpy(&sample, pixels.data() + i, sizeof sample);
      swapped[i] = static_cast<char>(sample >> 8);
      swapped[i + 1] = static_cast<char>(sample & 0xff);
    }
    file.write(swapped.data(), static_cast<std::streamsize>(swapped.size()));
  }
  return static_cast<bool>(file);
}

// The applet's exports that an acquisition uses.
struct Exports {
  decltype(&Fg_getParameterWithType) get;
  decltype(&Fg_AcquireEx) acquire;
  decltype(&Fg_getLastPicNumberBlockingEx) wait;
  decltype(&Fg_getStatusEx) status;
  decltype(&Fg_stopAcquireEx) stop;
  bool complete() const { return get && acquire && wait && status && stop; }
};

class Grab {
 public:
  Grab(Context& context, AppletHost& host, const Request& request)
      : context_(context), handle_(host.handle()), request_(request) {
    exports_ = {host.function<decltype(&Fg_getParameterWithType)>("Fg_getParameterWithType"),
                host.function<decltype(&Fg_AcquireEx)>("Fg_AcquireEx"),
                host.function<decltype(&Fg_getLastPicNumberBlockingEx)>(
                    "Fg_getLastPicNumberBlockingEx"),
                host.function<decltype(&Fg_getStatusEx)>("Fg_getStatusEx"),
                host.function<decltype(&Fg_stopAcquireEx)>("Fg_stopAcquireEx")};
  }
  ~Grab() {
    if (acquiring_) exports_.stop(handle_, 0, memory_, 0);
    if (memory_ != nullptr) simboard_buffers_free(memory_);
  }
  Grab(const Grab&) = delete;
  Grab& operator=(const Grab&) = delete;

  int run() {
    if (!exports_.complete()) return fail("the applet lacks an acquisition export", 0);
    if (!prepareBoard()) return kExitFailed;
    std::uint32_t width = 0, height = 0, format = 0;
    int result = read(sdkId("FG_WIDTH"), width);
    if (result == 0) result = read(sdkId("FG_HEIGHT"), height);
    if (result == 0) result = read(sdkId("FG_FORMAT"), format);
    if (result != 0) return fail("reading the picture size failed", result);
    const std::uint64_t bytesPerPixel = format == parameters::enumUnsigned("FG_GRAY") ? 1 : 2;
    const std::uint64_t bytes = std::uint64_t{width} * height * bytesPerPixel;
    result = simboard_buffers_alloc(context_.options.board, request_.buffers, bytes, &memory_);
    if (result != 0) return fail("allocating the DMA buffers failed", result);
    std::error_code error;
    std::filesystem::create_directories(request_.output, error);
    if (error) {
      context_.err << "brenvik acquire: cannot create " << request_.output.string() << ": "
                   << error.message() << "\n";
      return kExitFailed;
    }
    return grab();
  }

 private:
  int fail(const std::string& what, std::int64_t code) {
    context_.err << "brenvik acquire: " << what;
    if (code != 0) context_.err << ": " << describeCode(code);
    context_.err << "\n";
    return kExitFailed;
  }

  int read(std::int32_t id, std::uint32_t& value) {
    return exports_.get(handle_, id, &value, 0, runtime::kTypeUint32);
  }

  // Camera input and pacing are the board's own settings.
  bool prepareBoard() {
    const std::uint64_t board = context_.options.board;
    if (request_.unpaced && simboard_set(board, "simboard:paced", "0") != 0) {
      fail("cannot switch the board to unpaced", 0);
      return false;
    }
    if (!request_.inputs.empty()) {
      std::string list;
      for (const std::string& input : request_.inputs) list += (list.empty() ? "" : ",") + input;
      const std::int32_t result = simboard_set(board, "simboard:camera_input", list.c_str());
      if (result != 0) {
        fail("cannot use the input images " + list, result);
        return false;
      }
    }
    std::uint32_t source = 0;
    char inputs[kTextSize] = {};
    if (read(sdkId("FG_CAMERASIMULATOR_ENABLE"), source) == 0 &&
        source == parameters::enumUnsigned("FG_CAMPORT") &&
        simboard_get(board, "simboard:camera_input", inputs, sizeof inputs) == 0 &&
        inputs[0] == '\0') {
      fail("no camera on the camera port: give --input FILE, or set "
           "FG_CAMERASIMULATOR_ENABLE=FG_CAMERASIMULATOR",
           0);
      return false;
    }
    return true;
  }

  int grab() {
    using Clock = std::chrono::steady_clock;
    const bool terminal = &context_.err == &std::cerr && isatty(STDERR_FILENO) != 0;
    const auto start = Clock::now();
    int result = exports_.acquire(handle_, 0, request_.frames, 0, memory_);
    if (result != 0) return fail("starting the acquisition failed", result);
    acquiring_ = true;
    std::int64_t next = 1;
    std::int64_t written = 0;
    SimboardFrame frame{};
    auto last = start;
    std::vector<std::uint8_t> pixels;
    while (next <= request_.frames) {
      const std::int64_t arrived = exports_.wait(handle_, next, 0, request_.timeout, memory_);
      if (arrived < 0) {
        return fail("waiting for frame " + std::to_string(next) + " failed", arrived);
      }
      last = Clock::now();
      for (; next <= arrived && next <= request_.frames; ++next) {
        if (simboard_buffers_copy(memory_, next, nullptr, 0, &frame) != 0) continue;  // lost
        pixels.resize(frame.bytes);
        if (simboard_buffers_copy(memory_, next, pixels.data(), pixels.size(), &frame) != 0) {
          continue;
        }
        const std::filesystem::path path = frameFile(request_.output, next);
        if (!writePgm(path, frame, pixels)) return fail("cannot write " + path.string(), 0);
        ++written;
        if (terminal) {
          context_.err << "\racquire: frame " << next << " of " << request_.frames << std::flush;
        }
      }
    }
    if (terminal) context_.err << "\n";
    const std::int64_t lost = exports_.status(handle_, SIMBOARD_STATUS_LOST, 0, 0, memory_);
    acquiring_ = false;
    exports_.stop(handle_, 0, memory_, 0);
    const double seconds = std::chrono::duration<double>(last - start).count();
    context_.out << "acquired " << written << " of " << request_.frames << " frames ("
                 << frame.width << " x " << frame.height << ", " << frame.bits << " bits) in "
                 << std::fixed << std::setprecision(3) << seconds << " s: " << std::setprecision(1)
                 << (seconds > 0 ? static_cast<double>(request_.frames) / seconds : 0.0)
                 << " frames/s, " << (lost < 0 ? 0 : lost) << " lost\n";
    context_.out << "wrote " << frameFile(request_.output, 1).string();
    if (request_.frames > 1) context_.out << " .. " << frameFile(request_.output, request_.frames).filename().string();
    context_.out << " (binary PGM, maxval " << (frame.bytesPerPixel == 2 ? 65535 : 255) << ")\n";
    return kExitOk;
  }

  Context& context_;
  AppletHandle* handle_;
  const Request& request_;
  Exports exports_{};
  void* memory_ = nullptr;
  bool acquiring_ = false;
};

int run(Context& context, const std::vector<std::string>& arguments) {
  Request request;
  if (std::string problem = parse(arguments, request); !problem.empty()) {
    context.err << "brenvik acquire: " << problem << "\n";
    return kExitUsage;
  }
  std::int32_t creation = 0;
  const auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  Grab grab(context, *host, request);
  return grab.run();
}

}  // namespace

extern const Command kAcquireCommand{
    "acquire",
    "grab frames through the image path and write them as PGM files",
    "usage: brenvik [options] acquire --frames N --output DIR [--buffers B] [--input FILE ...]\n"
    "                                 [--timeout S] [--unpaced]\n"
    "\n"
    "Creates the applet, allocates B DMA buffers on the simulated board (default 4), grabs N\n"
    "frames through the applet's acquisition exports and writes them as DIR/frame-0000.pgm,\n"
    "frame-0001.pgm, ... (binary PGM of FG_WIDTH x FG_HEIGHT, maxval 255 for FG_GRAY and\n"
    "65535 for the wider formats; a lost frame leaves a gap in the numbers). Then prints the\n"
    "measured frame rate and the frames lost. Progress shows on a terminal.\n"
    "The frames come from the camera simulator (set FG_CAMERASIMULATOR_ENABLE) or from the\n"
    "camera port, whose camera sends the --input images (PGM or PNG) in turn; they are paced\n"
    "in real time by the simulator's timing or the trigger, unless --unpaced. A wait longer\n"
    "than S seconds (default 5) fails. Combine with set, e.g.\n"
    "  brenvik set FG_CAMERASIMULATOR_ENABLE=FG_CAMERASIMULATOR FG_WIDTH=512 \\\n"
    "          then acquire --frames 10 --output frames\n",
    &run,
};

}  // namespace brenvik::tool
