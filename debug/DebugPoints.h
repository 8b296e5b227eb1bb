// DebugPoints: the hardware applet's debug injection points, discovered at creation, and
// the reads and writes of a point's hardware parameters behind the debug parameters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace brenvik::runtime {
class AppletServices;
struct ParameterRecord;
}  // namespace brenvik::runtime

namespace brenvik::debug {

enum PointKind : std::uint32_t {
  kInject = 0,         // image data can be injected
  kInjectMonitor = 1,  // and the stream can be watched pixel by pixel
};

// The hardware parameters of a point: "Device1_Process0_" + path + the suffix of each.
enum class PointParameter : std::uint8_t {
  kDebugFile,      // text: the file of image data to inject
  kOperationMode,  // bit 0 input enabled, bit 1 output enabled
  kInsert,         // 1 starts an insertion
  kWritePixel,     // unsigned 64-bit pixel data
  kWriteFlag,      // end of line or end of frame for the written pixel
  kReady,          // the point is ready for injection
  kXPosition,      // monitored position and pixel (InjectMonitor points)
  kYPosition,
  kPixelValue,
  kCount,
};

// The suffix of each point parameter, in the order above.
const char* suffixOf(PointParameter parameter);

struct DebugPoint {
  static constexpr std::size_t kTextSize = 128;  // 127 characters and the terminator
  std::uint32_t kind = kInject;
  std::array<char, kTextSize> name{};
  std::array<char, kTextSize> path{};
  // The runtime's ids of the point's parameters, resolved once at discovery (0: unknown).
  std::array<std::int32_t, static_cast<std::size_t>(PointParameter::kCount)> ids{};
  // The runtime's integer maximum of "_PixelValue", 0 when it describes none.
  std::int32_t pixelMaximum = 0;
};

// Thread-safety: discovered once during creation; reads and writes run under the parameter
// lock.
class DebugPoints {
 public:
  static constexpr std::size_t kCapacity = 16;
  static constexpr std::uint32_t kInputBit = 1u << 0;
  static constexpr std::uint32_t kOutputBit = 1u << 1;

  explicit DebugPoints(const runtime::AppletServices& services) : services_(services) {}
  DebugPoints(const DebugPoints&) = delete;
  DebugPoints& operator=(const DebugPoints&) = delete;

  // Reads the point count and each point's name, kind and path, and resolves the ids of its
  // hardware parameters. False when a read fails or a kind is neither "Inject" nor
  // "InjectMonitor": discovery stops there, silently, and the points read so far stay. An
  // unreadable count is no failure: there are no points then.
  bool discover();

  std::int32_t count() const { return count_; }
  // The count the design reports now, read again ("Device1_Process0_Debug_Entries"); 0 when
  // it cannot be read.
  std::int32_t currentCount() const;
  // A point by index; an index beyond the table gives an empty Inject point.
  const DebugPoint& point(std::uint32_t index) const;

  // Reads and writes of a point's hardware parameter; a failure raises -2031.
  std::uint32_t readUint32(std::uint32_t index, PointParameter parameter) const;
  void readText(std::uint32_t index, PointParameter parameter, char* destination) const;
  void writeUint32(std::uint32_t index, PointParameter parameter, std::uint32_t value) const;
  void writeUint64(std::uint32_t index, PointParameter parameter, std::uint64_t value) const;
  void writeText(std::uint32_t index, PointParameter parameter, const char* text) const;

  // Bit 0 (input) and bit 1 (output, InjectMonitor points only; 0 otherwise) of the
  // point's operation mode.
  std::uint32_t inputEnabled(std::uint32_t index) const;
  std::uint32_t outputEnabled(std::uint32_t index) const;
  // A monitored value (position or pixel) of an InjectMonitor point; 0 for other points.
  std::uint32_t monitored(std::uint32_t index, PointParameter parameter) const;

 private:
  int readDesignText(std::int32_t id, char* text) const;
  void resolve(DebugPoint& point) const;
  std::int32_t idOf(std::uint32_t index, PointParameter parameter) const;

  const runtime::AppletServices& services_;
  std::int32_t count_ = 0;
  std::int32_t entriesId_ = 0;      // "Device1_Process0_Debug_Entries", resolved at discovery
  mutable std::vector<char> text_;  // room for the count's text, kept for re-reading it
  std::array<DebugPoint, kCapacity> points_{};
};

}  // namespace brenvik::debug
