// GigE Vision as the bridge speaks it: the control protocol's commands, acknowledge codes,
// flags and statuses, the bootstrap register map, the stream protocol's packet layout and the
// pixel format codes. Every number of the protocol is written here once.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brenvik::gev {

// --- Control protocol (GVCP) ---

inline constexpr std::uint16_t kGvcpPort = 3956;
inline constexpr std::uint8_t kCommandKey = 0x42;
inline constexpr std::size_t kHeaderSize = 8;  // command and acknowledge headers alike

// Command flags.
inline constexpr std::uint8_t kFlagAcknowledge = 0x01;
inline constexpr std::uint8_t kFlagExtendedIds = 0x10;  // packet resend with 64-bit block ids

// Commands; each acknowledge code is its command's code plus one.
enum class Command : std::uint16_t {
  kDiscovery = 0x0002,
  kBye = 0x0004,
  kPacketResend = 0x0040,
  kReadRegister = 0x0080,
  kWriteRegister = 0x0082,
  kReadMemory = 0x0084,
  kWriteMemory = 0x0086,
};
constexpr std::uint16_t acknowledgeOf(Command command) {
  return static_cast<std::uint16_t>(static_cast<std::uint16_t>(command) + 1);
}

enum class Status : std::uint16_t {
  kSuccess = 0x0000,
  kResent = 0x0100,  // a stream packet sent again on request
  kNotImplemented = 0x8001,
  kInvalidParameter = 0x8002,
  kInvalidAddress = 0x8003,
  kWriteProtect = 0x8004,
  kBadAlignment = 0x8005,
  kAccessDenied = 0x8006,
  kBusy = 0x8007,
  kPacketUnavailable = 0x800C,
  kPacketRemovedFromMemory = 0x8012,
  kError = 0x8FFF,
};

// Memory reads and writes carry at most this many data bytes, in whole 32-bit words.
inline constexpr std::size_t kMostMemoryBytes = 536;
inline constexpr std::size_t kWord = 4;
// The largest command a client sends: a memory write's header, address and data.
inline constexpr std::size_t kMostCommandBytes = kHeaderSize + kWord + kMostMemoryBytes;

// --- Bootstrap registers ---

namespace bootstrap {
inline constexpr std::uint32_t kVersion = 0x0000;
inline constexpr std::uint32_t kDeviceMode = 0x0004;
inline constexpr std::uint32_t kMacHigh = 0x0008;
inline constexpr std::uint32_t kMacLow = 0x000C;
inline constexpr std::uint32_t kSupportedIpConfiguration = 0x0010;
inline constexpr std::uint32_t kCurrentIpConfiguration = 0x0014;
inline constexpr std::uint32_t kCurrentIpAddress = 0x0024;
inline constexpr std::uint32_t kCurrentSubnetMask = 0x0034;
inline constexpr std::uint32_t kManufacturerName = 0x0048;
inline constexpr std::uint32_t kModelName = 0x0068;
inline constexpr std::uint32_t kDeviceVersion = 0x0088;
inline constexpr std::uint32_t kManufacturerInfo = 0x00A8;
inline constexpr std::uint32_t kSerialNumber = 0x00D8;
inline constexpr std::uint32_t kUserDefinedName = 0x00E8;
inline constexpr std::uint32_t kFirstUrl = 0x0200;
inline constexpr std::uint32_t kSecondUrl = 0x0400;
inline constexpr std::uint32_t kNetworkInterfaces = 0x0600;
inline constexpr std::uint32_t kMessageChannels = 0x0900;
inline constexpr std::uint32_t kStreamChannels = 0x0904;
inline constexpr std::uint32_t kCapability = 0x0934;
inline constexpr std::uint32_t kHeartbeatTimeout = 0x0938;
inline constexpr std::uint32_t kTickFrequencyHigh = 0x093C;
inline constexpr std::uint32_t kTickFrequencyLow = 0x0940;
inline constexpr std::uint32_t kControlPrivilege = 0x0A00;
inline constexpr std::uint32_t kStreamPort = 0x0D00;        // SCP0: host port, low 16 bits
inline constexpr std::uint32_t kStreamPacketSize = 0x0D04;  // SCPS0
inline constexpr std::uint32_t kStreamPacketDelay = 0x0D08;  // SCPD0
inline constexpr std::uint32_t kStreamDestination = 0x0D18;  // SCDA0
inline constexpr std::uint32_t kStreamSourcePort = 0x0D1C;   // SCSP0
// The whole bootstrap space; device registers lie above it.
inline constexpr std::uint32_t kSize = 0x10000;
// What discovery acknowledges carry: the registers from 0 up to here.
inline constexpr std::size_t kDiscoverySize = 0xF8;

// String register sizes.
inline constexpr std::size_t kNameSize = 32;
inline constexpr std::size_t kInfoSize = 48;
inline constexpr std::size_t kSerialSize = 16;
inline constexpr std::size_t kUrlSize = 512;

inline constexpr std::uint32_t kBigEndianDevice = 0x80000000;
inline constexpr std::uint32_t kCapabilityWriteMemory = 0x00000002;
inline constexpr std::uint32_t kCapabilityPacketResend = 0x00000004;
inline constexpr std::uint32_t kCapabilitySerialNumber = 0x40000000;
inline constexpr std::uint32_t kCapabilityUserName = 0x80000000;
inline constexpr std::uint32_t kPrivilegeExclusive = 0x1;
inline constexpr std::uint32_t kPrivilegeControl = 0x2;
inline constexpr std::uint32_t kFireTestPacket = 0x80000000;  // in SCPS0
inline constexpr std::uint32_t kDoNotFragment = 0x40000000;   // in SCPS0
inline constexpr std::uint32_t kPacketSizeMask = 0x0000FFFF;
inline constexpr std::uint32_t kDefaultHeartbeatMs = 3000;
inline constexpr std::uint32_t kLeastHeartbeatMs = 500;
inline constexpr std::uint32_t kTickFrequency = 1000000000;  // timestamps in nanoseconds
}  // namespace bootstrap

// --- Stream protocol (GVSP) ---

namespace gvsp {
inline constexpr std::size_t kHeaderSize = 8;
// IP and UDP headers and the stream header: what a packet of size S leaves for data.
inline constexpr std::size_t kIpUdpSize = 28;
inline constexpr std::size_t kOverhead = kIpUdpSize + kHeaderSize;
inline constexpr std::size_t kLeaderSize = 36;   // after the header
inline constexpr std::size_t kTrailerSize = 8;   // after the header
inline constexpr std::uint8_t kFormatLeader = 1;
inline constexpr std::uint8_t kFormatTrailer = 2;
inline constexpr std::uint8_t kFormatPayload = 3;
inline constexpr std::uint16_t kPayloadImage = 0x0001;
inline constexpr std::uint32_t kDefaultPacketSize = 1400;
inline constexpr std::uint32_t kLeastPacketSize = 576;
inline constexpr std::uint32_t kPacketSizeStep = 4;
// The largest IP datagram a 16-bit size field names, in whole steps.
inline constexpr std::uint32_t kMostPacketSize = 65532;
}  // namespace gvsp

// Pixel format codes of the monochrome formats the grabber delivers.
namespace pixel {
inline constexpr std::uint32_t kMono8 = 0x01080001;
inline constexpr std::uint32_t kMono10 = 0x01100003;
inline constexpr std::uint32_t kMono16 = 0x01100007;
constexpr std::uint32_t bitsPerPixel(std::uint32_t format) { return (format >> 16) & 0xFF; }
}  // namespace pixel

}  // namespace brenvik::gev
