// The device's features as one table: the standard features that GenICam clients look for,
// each with the route its reads and writes take into the applet, and every FG_ parameter of the
// applet. The register map and the XML are both made from it, so an address is written once.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>
#include <utility>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "brenvik/Applet.h"
#include "parameters/Enumerations.h"
#include "tools/gev/Protocol.h"

namespace brenvik::gev {

enum class Shape : std::uint8_t { kInteger, kFloat, kEnumeration, kCommand, kString };
enum class Access : std::uint8_t { kReadOnly, kReadWrite, kWriteOnly };

// What reading or writing a feature's register does.
enum class Route : std::uint8_t {
  kParameter,         // an applet parameter, the value as it is
  kPixelFormat,       // FG_FORMAT through the pixel format table
  kPayloadSize,       // bytes of one frame at the current size and format
  kAcquisitionMode,   // the bridge's own: continuous or a single frame
  kAcquisitionStart,
  kAcquisitionStop,
  kFrameRate,         // the simulator's or the trigger generator's rate, as selected
  kTriggerMode,       // the area trigger mode: generator (off) or the trigger source (on)
  kTriggerSource,
  kTriggerSoftware,
  kParamsLocked,      // reads 1 while streaming
  kBootstrap,         // a bootstrap register, served by the bootstrap space
};

struct EntryName {
  std::string_view name;
  std::int64_t value;
};

struct StandardFeature {
  std::string_view name;
  std::string_view category;
  Shape shape;
  Access access;
  Route route;
  std::string_view parameter;  // the applet parameter the route goes through, if any
  std::uint32_t address;       // bootstrap registers only; the others are placed in order
  std::uint32_t length;
  std::span<const EntryName> entries;
  std::string_view description;
  // Bits of a 32-bit register that the feature holds, numbered from the top bit (0) as
  // big-endian registers number them: 0..31 is the whole register.
  std::uint8_t msb = 0;
  std::uint8_t lsb = 31;
};

// Pixel formats and the output formats they stand for.
struct PixelFormat {
  std::string_view name;
  std::uint32_t code;
  std::string_view outputFormat;  // the FG_FORMAT symbol
};
inline constexpr PixelFormat kPixelFormats[] = {
    {"Mono8", pixel::kMono8, "FG_GRAY"},
    {"Mono10", pixel::kMono10, "FG_GRAY10"},
    {"Mono16", pixel::kMono16, "FG_GRAY16"},
};

// The pixel format table with each output format's value looked up while compiling.
struct FormatCode {
  std::uint32_t code;
  std::int64_t output;  // the FG_FORMAT value
};
inline constexpr auto kFormatCodes = []() consteval {
  std::array<FormatCode, std::size(kPixelFormats)> codes{};
  for (std::size_t i = 0; i < codes.size(); ++i) {
    codes[i] = {kPixelFormats[i].code, parameters::enumUnsigned(kPixelFormats[i].outputFormat)};
  }
  return codes;
}();
inline const FormatCode* formatByCode(std::int64_t code) {
  for (const FormatCode& format : kFormatCodes) {
    if (format.code == code) return &format;
  }
  return nullptr;
}
inline const FormatCode* formatByOutput(std::int64_t output) {
  for (const FormatCode& format : kFormatCodes) {
    if (format.output == output) return &format;
  }
  return nullptr;
}

// The bridge's own enumerations: the values its registers hold.
inline constexpr std::int64_t kContinuous = 0;
inline constexpr std::int64_t kSingleFrame = 1;
inline constexpr std::int64_t kTriggerOff = 0;
inline constexpr std::int64_t kTriggerOn = 1;
inline constexpr std::int64_t kSourceSoftware = 0;
inline constexpr std::int64_t kSourceLine0 = 1;  // the trigger input that FG_TRIGGERIN_SRC selects

inline constexpr EntryName kPixelFormatEntries[] = {
    {kPixelFormats[0].name, kPixelFormats[0].code},
    {kPixelFormats[1].name, kPixelFormats[1].code},
    {kPixelFormats[2].name, kPixelFormats[2].code},
};
static_assert(std::size(kPixelFormatEntries) == std::size(kPixelFormats));
inline constexpr EntryName kAcquisitionModes[] = {{"Continuous", kContinuous},
                                                  {"SingleFrame", kSingleFrame}};
inline constexpr EntryName kTriggerModes[] = {{"Off", kTriggerOff}, {"On", kTriggerOn}};
inline constexpr EntryName kTriggerSources[] = {{"Software", kSourceSoftware},
                                                {"Line0", kSourceLine0}};

// The categories of the standard features, and of the FG_ parameters.
inline constexpr std::string_view kDeviceControl = "DeviceControl";
inline constexpr std::string_view kImageFormat = "ImageFormatControl";
inline constexpr std::string_view kAcquisition = "AcquisitionControl";
inline constexpr std::string_view kTransportLayer = "TransportLayerControl";
inline constexpr std::string_view kGrabberCategory = "FrameGrabber";
inline constexpr std::string_view kCategories[] = {kDeviceControl, kImageFormat, kAcquisition,
                                                   kTransportLayer, kGrabberCategory};

namespace detail {
using enum Shape;
using enum Access;
using enum Route;
namespace b = bootstrap;
// clang-format off
inline constexpr StandardFeature kStandardFeatures[] = {
  {"Width", kImageFormat, kInteger, kReadWrite, kParameter, "FG_WIDTH", 0, 4, {}, "Width of the image in pixels"},
  {"Height", kImageFormat, kInteger, kReadWrite, kParameter, "FG_HEIGHT", 0, 4, {}, "Height of the image in lines"},
  {"OffsetX", kImageFormat, kInteger, kReadWrite, kParameter, "FG_XOFFSET", 0, 4, {}, "Horizontal offset of the region of interest"},
  {"OffsetY", kImageFormat, kInteger, kReadWrite, kParameter, "FG_YOFFSET", 0, 4, {}, "Vertical offset of the region of interest"},
  {"PixelFormat", kImageFormat, kEnumeration, kReadWrite, kPixelFormat, "FG_FORMAT", 0, 4, kPixelFormatEntries, "Format of the pixels delivered"},
  {"PayloadSize", kTransportLayer, kInteger, kReadOnly, kPayloadSize, "", 0, 4, {}, "Bytes of one frame"},
  {"AcquisitionMode", kAcquisition, kEnumeration, kReadWrite, kAcquisitionMode, "", 0, 4, kAcquisitionModes, "Continuous frames or a single one"},
  {"AcquisitionStart", kAcquisition, kCommand, kWriteOnly, kAcquisitionStart, "", 0, 4, {}, "Starts the acquisition and the stream"},
  {"AcquisitionStop", kAcquisition, kCommand, kWriteOnly, kAcquisitionStop, "", 0, 4, {}, "Stops the acquisition and the stream"},
  {"AcquisitionFrameRate", kAcquisition, kFloat, kReadWrite, kFrameRate, "", 0, 8, {}, "Frame rate of the camera simulator, or of the trigger generator with the camera port"},
  {"TriggerMode", kAcquisition, kEnumeration, kReadWrite, kTriggerMode, "", 0, 4, kTriggerModes, "On: a frame per trigger from the trigger source; off: the generator's rate"},
  {"TriggerSource", kAcquisition, kEnumeration, kReadWrite, kTriggerSource, "", 0, 4, kTriggerSources, "Software triggers, or the trigger input FG_TRIGGERIN_SRC selects"},
  {"TriggerSoftware", kAcquisition, kCommand, kWriteOnly, kTriggerSoftware, "", 0, 4, {}, "Sends one software trigger"},
  {"TLParamsLocked", kTransportLayer, kInteger, kReadWrite, kParamsLocked, "", 0, 4, {}, "1 while the stream runs: size and format are locked"},
  {"DeviceVendorName", kDeviceControl, kString, kReadOnly, kBootstrap, "", b::kManufacturerName, b::kNameSize, {}, "Maker of the device"},
  {"DeviceModelName", kDeviceControl, kString, kReadOnly, kBootstrap, "", b::kModelName, b::kNameSize, {}, "Model of the device"},
  {"DeviceVersion", kDeviceControl, kString, kReadOnly, kBootstrap, "", b::kDeviceVersion, b::kNameSize, {}, "Version of the applet"},
  {"DeviceSerialNumber", kDeviceControl, kString, kReadOnly, kBootstrap, "", b::kSerialNumber, b::kSerialSize, {}, "Serial number of the device"},
  {"DeviceUserID", kDeviceControl, kString, kReadWrite, kBootstrap, "", b::kUserDefinedName, b::kSerialSize, {}, "A name the user gives the device"},
  {"GevSCPSPacketSize", kTransportLayer, kInteger, kReadWrite, kBootstrap, "", b::kStreamPacketSize, 4, {}, "Size of the stream's IP datagrams in bytes", 16, 31},
  {"GevSCPSFireTestPacket", kTransportLayer, kInteger, kReadWrite, kBootstrap, "", b::kStreamPacketSize, 4, {}, "Sends one test packet of the packet size", 0, 0},
  {"GevHeartbeatTimeout", kTransportLayer, kInteger, kReadWrite, kBootstrap, "", b::kHeartbeatTimeout, 4, {}, "Milliseconds without a command after which the controller loses control"},
};
// clang-format on
}  // namespace detail

using detail::kStandardFeatures;

// The row of a standard feature by name; a name the table lacks does not compile.
consteval std::size_t standardIndex(std::string_view name) {
  for (std::size_t i = 0; i < std::size(kStandardFeatures); ++i) {
    if (kStandardFeatures[i].name == name) return i;
  }
  throw "no standard feature of that name";
}

// Device registers above the bootstrap space: the standard features, the FG_ parameters and
// the XML, each region far from the others.
inline constexpr std::uint32_t kStandardBase = 0x00010000;
inline constexpr std::uint32_t kParameterBase = 0x00020000;
inline constexpr std::uint32_t kXmlBase = 0x00100000;
inline constexpr std::uint32_t kStringLength = 512;  // FG_ text parameters

// One register of the device: where it lies, what it is and where it goes.
struct Register {
  std::uint32_t address = 0;
  std::uint32_t length = 0;
  std::string name;  // the feature's name
  std::string_view category;
  Shape shape = Shape::kInteger;
  Access access = Access::kReadOnly;
  Route route = Route::kParameter;
  bool isSigned = false;
  std::uint8_t msb = 0, lsb = 31;
  ParameterHandle parameter;  // routes through a parameter
  // What the XML says of it.
  std::string displayName;
  std::string description;
  std::string unit;
  std::optional<Value> minimum, maximum, step;
  std::vector<std::pair<std::string, std::int64_t>> entries;
  bool standard = false;
};

class RegisterMap {
 public:
  // The standard features, then every FG_ parameter of the applet that has a value a
  // register can hold (the lookup table has none).
  // `mostPacketSize` bounds the stream packet size feature.
  static RegisterMap build(const Applet& applet, std::uint32_t mostPacketSize);

  // The register that holds `address`, null when none does. No allocation.
  const Register* find(std::uint32_t address) const noexcept;
  const std::vector<Register>& registers() const noexcept { return registers_; }
  const Register& standard(std::size_t index) const { return registers_[index]; }

 private:
  std::vector<Register> registers_;   // standard features first, in table order
  std::vector<std::uint32_t> order_;  // register indices by address, for the search
};

}  // namespace brenvik::gev
