// DebugPoints: the hardware applet's debug injection points, discovered at creation, and
// the reads of a point's hardware parameters behind the debug parameters' get side.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace brenvik::runtime {
class AppletServices;
}

namespace brenvik::debug {

enum PointKind : std::uint32_t {
  kInject = 0,         // image data can be injected
  kInjectMonitor = 1,  // and the stream can be watched pixel by pixel
};

struct DebugPoint {
  static constexpr std::size_t kTextSize = 128;  // 127 characters and the terminator
  std::uint32_t kind = kInject;
  std::array<char, kTextSize> name{};
  std::array<char, kTextSize> path{};
};

// Thread-safety: discovered once during creation; the reads run under the parameter lock.
class DebugPoints {
 public:
  static constexpr std::size_t kCapacity = 16;

  explicit DebugPoints(const runtime::AppletServices& services) : services_(services) {}
  DebugPoints(const DebugPoints&) = delete;
  DebugPoints& operator=(const DebugPoints&) = delete;

  // Reads the point count and each point's name, kind and path. False when a read fails or a
  // kind is neither "Inject" nor "InjectMonitor": discovery stops there, silently, and the
  // points read so far stay. An unreadable count is no failure: there are no points then.
  bool discover();

  std::int32_t count() const { return count_; }
  // A point by index; an index beyond the table gives an empty Inject point.
  const DebugPoint& point(std::uint32_t index) const;

  // Reads of the hardware parameter "Device1_Process0_" + path + suffix of a point, its
  // name resolved on every access; a failed read raises -2031.
  std::uint32_t readUint32(std::uint32_t index, const char* suffix) const;
  void readText(std::uint32_t index, const char* suffix, char* destination) const;
  // Bit 0 (input) and bit 1 (output, InjectMonitor points only; 0 otherwise) of the
  // point's operation mode.
  std::uint32_t inputEnabled(std::uint32_t index) const;
  std::uint32_t outputEnabled(std::uint32_t index) const;
  // A monitored value (position or pixel) of an InjectMonitor point; 0 for other points.
  std::uint32_t monitored(std::uint32_t index, const char* suffix) const;

 private:
  int readPointParameter(std::uint32_t index, const char* suffix, void* value, int type) const;
  int readDesignText(const char* name, char* text) const;

  const runtime::AppletServices& services_;
  std::int32_t count_ = 0;
  std::array<DebugPoint, kCapacity> points_{};
};

}  // namespace brenvik::debug
