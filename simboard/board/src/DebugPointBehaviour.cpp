// The design's debug points: the operation mode's input and output bits, the ready flag,
// single pixels injected with their end-of-line and end-of-frame flags, insertion of a PGM
// image file, and the monitor of an InjectMonitor point following what was injected.
#include <algorithm>
#include <optional>
#include <string>

#include "Behaviour.h"
#include "InputImages.h"

namespace brenvik::simboard {

namespace {

constexpr std::uint64_t kInputBit = 1u << 0;
constexpr std::uint64_t kOutputBit = 1u << 1;
constexpr std::uint64_t kEndOfFrame = 1;  // a write flag of 0 ends a line, 1 a frame

// One debug point's parameter indices (-1 where the design lacks one).
struct Point {
  int debugFile = -1, mode = -1, insert = -1, pixel = -1, flag = -1, ready = -1;
  int xPosition = -1, yPosition = -1, pixelValue = -1;  // InjectMonitor points only
  std::uint64_t pixelMaximum = 0;
  std::uint32_t x = 0, y = 0;  // where the next injected pixel lands
};

class DebugPointBehaviour final : public Behaviour {
 public:
  std::vector<std::size_t> attach(const Design& design, ParameterStore& values,
                                  Clock::time_point) override {
    points_.clear();
    const int entries = design.parameterIndex("Device1_Process0_Debug_Entries");
    if (entries < 0) return {};
    const std::string& count = values.at(static_cast<std::size_t>(entries)).text;
    const int total = count.empty() || count[0] < '0' || count[0] > '9' ? 0 : count[0] - '0';
    std::vector<std::size_t> watched;
    for (int entry = 0; entry < total; ++entry) {
      const int path = design.parameterIndex("Device1_Process0_Debug_Path" + std::to_string(entry));
      if (path < 0) break;
      const std::string prefix =
          "Device1_Process0_" + values.at(static_cast<std::size_t>(path)).text;
      auto index = [&](const char* suffix) { return design.parameterIndex(prefix + suffix); };
      Point point{.debugFile = index("_DebugFile"),
                  .mode = index("_OperationMode"),
                  .insert = index("_Insert"),
                  .pixel = index("_Inject_WritePixel"),
                  .flag = index("_Inject_WriteFlag"),
                  .ready = index("_Inject_ReadyForInjection"),
                  .xPosition = index("_XPosition"),
                  .yPosition = index("_YPosition"),
                  .pixelValue = index("_PixelValue")};
      if (point.pixelValue >= 0) {
        point.pixelMaximum = design.parameters[static_cast<std::size_t>(point.pixelValue)].maximum;
      }
      for (int watch : {point.mode, point.insert, point.pixel, point.flag}) {
        if (watch >= 0) watched.push_back(static_cast<std::size_t>(watch));
      }
      // The ready flag keeps the design's initial value until the operation mode is written.
      points_.push_back(point);
    }
    return watched;
  }

  void written(std::size_t index, ParameterStore& values, Moment&) override {
    const int written = static_cast<int>(index);
    for (Point& point : points_) {
      if (written == point.mode) {
        updateReady(point, values);
      } else if (written == point.pixel) {
        if (inputEnabled(point, values)) inject(point, values, values.at(index).bits);
      } else if (written == point.flag) {
        if (inputEnabled(point, values)) endLineOrFrame(point, values.at(index).bits);
      } else if (written == point.insert) {
        if (values.at(index).bits == 1 && inputEnabled(point, values)) insertFile(point, values);
        values.at(index).bits = 0;  // the insertion has run; the trigger clears itself
      }
    }
  }

 private:
  static std::uint64_t mode(const Point& point, const ParameterStore& values) {
    return point.mode < 0 ? 0 : values.at(static_cast<std::size_t>(point.mode)).bits;
  }
  static bool inputEnabled(const Point& point, const ParameterStore& values) {
    return (mode(point, values) & kInputBit) != 0;
  }

  // A point takes data while its input is enabled; the injection itself never keeps it busy.
  static void updateReady(const Point& point, ParameterStore& values) {
    if (point.ready < 0) return;
    values.at(static_cast<std::size_t>(point.ready)).bits = inputEnabled(point, values) ? 1 : 0;
  }

  // The monitor of an enabled output reports the position and value of the last pixel.
  static void inject(Point& point, ParameterStore& values, std::uint64_t pixel) {
    if ((mode(point, values) & kOutputBit) != 0 && point.pixelValue >= 0) {
      if (point.xPosition >= 0) values.at(static_cast<std::size_t>(point.xPosition)).bits = point.x;
      if (point.yPosition >= 0) values.at(static_cast<std::size_t>(point.yPosition)).bits = point.y;
      values.at(static_cast<std::size_t>(point.pixelValue)).bits =
          std::min(pixel, point.pixelMaximum == 0 ? pixel : point.pixelMaximum);
    }
    ++point.x;
  }

  static void endLineOrFrame(Point& point, std::uint64_t flag) {
    point.x = 0;
    point.y = flag == kEndOfFrame ? 0 : point.y + 1;
  }

  // The whole image of the point's debug file, line by line; a file that is no readable
  // binary PGM injects nothing.
  static void insertFile(Point& point, ParameterStore& values) {
    if (point.debugFile < 0) return;
    const auto image = readPgm(values.at(static_cast<std::size_t>(point.debugFile)).text);
    if (!image) return;
    const std::uint32_t width = image->width;
    const std::uint32_t height = image->height;
    point.x = 0;
    point.y = 0;
    for (std::uint32_t row = 0; row < height; ++row) {
      for (std::uint32_t column = 0; column < width; ++column) {
        inject(point, values, image->samples[std::size_t{row} * width + column]);
      }
      if (row + 1 < height) endLineOrFrame(point, 0);
    }
    endLineOrFrame(point, kEndOfFrame);
  }

  std::vector<Point> points_;
};

}  // namespace

std::unique_ptr<Behaviour> makeDebugPointBehaviour() {
  return std::make_unique<DebugPointBehaviour>();
}

}  // namespace brenvik::simboard
