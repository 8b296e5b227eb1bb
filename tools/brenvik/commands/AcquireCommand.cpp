// "brenvik acquire": grabs frames through the applet's acquisition exports into DMA buffers
// of the simulated board and writes each one as a binary PGM file.
#include <unistd.h>

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
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"
#include "tools/brenvik/NumberText.h"

namespace brenvik::tool {

namespace {

using parameters::sdkId;

constexpr std::uint32_t kMostFrames = 1000000;
constexpr std::uint32_t kMostBuffers = 4096;
constexpr std::uint32_t kDefaultBuffers = 4;
constexpr int kDefaultTimeoutSeconds = 5;
constexpr int kMostTimeoutSeconds = 3600;

struct Request {
  std::uint32_t frames = 0;
  std::filesystem::path output;
  std::uint32_t buffers = kDefaultBuffers;
  int timeout = kDefaultTimeoutSeconds;
  std::vector<std::string> inputs;
  bool unpaced = false;
  bool noCamera = false;
};

template <typename Number>
bool parseNumber(const std::string& text, Number& value, Number least, Number most) {
  return parseWhole(text, value) && value >= least && value <= most;
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
    } else if (option == "--no-camera") {
      request.noCamera = true;
    } else {
      return "unexpected argument '" + option + "'";
    }
  }
  if (request.frames == 0) return "--frames N is required";
  if (request.output.empty()) return "--output DIR is required";
  return {};
}

// "frame-0007.pgm" for the eighth frame.
std::filesystem::path frameFile(const std::filesystem::path& directory, std::int64_t picture) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%04lld.pgm", static_cast<long long>(picture - 1));
  return directory / name;
}

// Binary PGM: 8-bit samples as they are, wider ones as 16-bit big-endian samples.
bool writePgm(const std::filesystem::path& path, const Frame& frame) {
  std::ofstream file(path, std::ios::binary);
  const bool wide = frame.bytesPerPixel() == 2;
  const auto* pixels = static_cast<const std::uint8_t*>(frame.pixels());
  file << "P5\n" << frame.width() << " " << frame.height() << "\n" << (wide ? 65535 : 255) << "\n";
  if (!wide) {
    file.write(reinterpret_cast<const char*>(pixels), static_cast<std::streamsize>(frame.bytes()));
  } else {
    std::vector<char> swapped(frame.bytes());
    for (std::size_t i = 0; i + 1 < frame.bytes(); i += 2) {
      std::uint16_t sample = 0;
      std::memcpy(&sample, pixels + i, sizeof sample);
      swapped[i] = static_cast<char>(sample >> 8);
      swapped[i + 1] = static_cast<char>(sample & 0xff);
    }
    file.write(swapped.data(), static_cast<std::streamsize>(swapped.size()));
  }
  return static_cast<bool>(file);
}

class Grab {
 public:
  Grab(Context& context, Applet& applet, const Request& request)
      : context_(context), applet_(applet), request_(request) {}

  int run() {
    if (!prepareBoard()) return kExitFailed;
    std::error_code error;
    std::filesystem::create_directories(request_.output, error);
    if (error) {
      context_.err << "brenvik acquire: cannot create " << request_.output.string() << ": "
                   << error.message() << "\n";
      return kExitFailed;
    }
    try {
      return grab();
    } catch (const Error& failure) {
      return fail(failure.what(), 0);
    }
  }

 private:
  int fail(const std::string& what, std::int64_t code) {
    context_.err << "brenvik acquire: " << what;
    if (code != 0) context_.err << ": " << describeCode(code);
    context_.err << "\n";
    return kExitFailed;
  }

  // Camera input and pacing are the board's own settings.
  bool prepareBoard() {
    Board board = applet_.board();
    try {
      if (request_.unpaced) board.setPaced(false);
      if (request_.noCamera) board.setSceneCamera(false);
      if (!request_.inputs.empty()) board.setCameraFiles(request_.inputs);
    } catch (const Error& error) {
      std::string list;
      for (const std::string& input : request_.inputs) list += (list.empty() ? "" : ",") + input;
      fail(request_.inputs.empty() ? std::string("cannot set up the board")
                                   : "cannot use the input images " + list,
           error.code());
      return false;
    }
    const bool fromCameraPort =
        applet_.getInteger(applet_.handle(sdkId("FG_CAMERASIMULATOR_ENABLE"))) ==
        parameters::enumUnsigned("FG_CAMPORT");
    if (fromCameraPort && !board.cameraAttached()) {
      fail(
          "no camera on the camera port: give --input FILE, or set "
          "FG_CAMERASIMULATOR_ENABLE=FG_CAMERASIMULATOR",
          0);
      return false;
    }
    return true;
  }

  // Takes pictures until the frames asked for are written; pictures that arrive while a
  // frame is written find no free buffer and are lost, which the summary counts.
  int grab() {
    using Clock = std::chrono::steady_clock;
    const bool terminal = &context_.err == &std::cerr && isatty(STDERR_FILENO) != 0;
    const auto start = Clock::now();
    applet_.start(request_.buffers);
    std::uint32_t width = 0, height = 0, bits = 0, bytesPerPixel = 1;
    auto last = start;
    for (std::uint32_t written = 0; written < request_.frames; ++written) {
      Frame frame;
      try {
        frame = applet_.next(std::chrono::seconds(request_.timeout));
      } catch (const Error& error) {
        if (error.category() != ErrorCategory::kTimeout) throw;
        return fail("waiting for frame " + std::to_string(written + 1) + " failed", error.code());
      }
      last = Clock::now();
      width = frame.width();
      height = frame.height();
      bits = frame.bits();
      bytesPerPixel = frame.bytesPerPixel();
      const std::filesystem::path path = frameFile(request_.output, written + 1);
      if (!writePgm(path, frame)) return fail("cannot write " + path.string(), 0);
      if (terminal) {
        context_.err << "\racquire: frame " << written + 1 << " of " << request_.frames
                     << std::flush;
      }
    }
    if (terminal) context_.err << "\n";
    const std::int64_t lost = applet_.lostFrames();
    applet_.stop();
    const double seconds = std::chrono::duration<double>(last - start).count();
    context_.out << "acquired " << request_.frames << " frames (" << width << " x " << height
                 << ", " << bits << " bits) in " << std::fixed << std::setprecision(3) << seconds
                 << " s: " << std::setprecision(1)
                 << (seconds > 0 ? static_cast<double>(request_.frames) / seconds : 0.0)
                 << " frames/s, " << lost << " lost while writing\n";
    context_.out << "wrote " << frameFile(request_.output, 1).string();
    if (request_.frames > 1) {
      context_.out << " .. " << frameFile(request_.output, request_.frames).filename().string();
    }
    context_.out << " (binary PGM, maxval " << (bytesPerPixel == 2 ? 65535 : 255) << ")\n";
    return kExitOk;
  }

  Context& context_;
  Applet& applet_;
  const Request& request_;
};

int run(Context& context, const std::vector<std::string>& arguments) {
  Request request;
  if (std::string problem = parse(arguments, request); !problem.empty()) {
    context.err << "brenvik acquire: " << problem << "\n";
    return kExitUsage;
  }
  const auto applet = openApplet(context);
  if (!applet) return kExitFailed;
  Grab grab(context, *applet, request);
  return grab.run();
}

}  // namespace

extern const Command kAcquireCommand{
    "acquire",
    "grab frames through the image path and write them as PGM files",
    "usage: brenvik [options] acquire --frames N --output DIR [--buffers B] [--input FILE ...]\n"
    "                                 [--timeout S] [--unpaced] [--no-camera]\n"
    "\n"
    "Creates the applet, allocates B DMA buffers on the simulated board (default 4), grabs\n"
    "frames through the applet's acquisition exports until N are written, as\n"
    "DIR/frame-0000.pgm, frame-0001.pgm, ... (binary PGM of FG_WIDTH x FG_HEIGHT, maxval 255\n"
    "for FG_GRAY and 65535 for the wider formats). Then prints the measured frame rate and\n"
    "the pictures lost while frames were written. Progress shows on a terminal.\n"
    "The frames come from the camera port, whose built-in camera sends a moving test scene,\n"
    "or the --input images (PGM or PNG) in turn, or from the camera simulator (set\n"
    "FG_CAMERASIMULATOR_ENABLE); they are paced in real time by the port's picture period,\n"
    "the simulator's timing or the trigger, unless --unpaced. --no-camera leaves the camera\n"
    "port empty. A wait longer than S seconds (default 5) fails. Combine with set, e.g.\n"
    "  brenvik set FG_CAMERASIMULATOR_ENABLE=FG_CAMERASIMULATOR FG_WIDTH=512 \\\n"
    "          then acquire --frames 10 --output frames\n",
    &run,
};

}  // namespace brenvik::tool
