// The bootstrap space: the device's identity, the address of its XML, the control privilege
// and the settings of stream channel 0, as 32-bit big-endian registers and fixed-size texts.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/gev/ControlChannel.h"
#include "tools/gev/Protocol.h"
#include "tools/gev/net/UdpSocket.h"

namespace brenvik::gev {

struct DeviceIdentity {
  std::string vendor;
  std::string model;
  std::string version;
  std::string info;
  std::string serial;
  std::string userName;
  std::uint32_t address = 0;       // the device's IPv4 address
  std::array<std::uint8_t, 6> mac{};
};

// Stream channel 0 as the client sets it; read by the streaming thread.
struct StreamSettings {
  std::atomic<std::uint32_t> destination{0};  // IPv4 address
  std::atomic<std::uint32_t> port{0};         // 0: channel closed
  std::atomic<std::uint32_t> packetSize{gvsp::kDefaultPacketSize};
  std::atomic<std::uint32_t> delay{0};
  std::uint32_t mostPacketSize = gvsp::kMostPacketSize;
};

class Bootstrap {
 public:
  Bootstrap(const DeviceIdentity& identity, std::uint32_t xmlAddress, std::size_t xmlLength,
            StreamSettings& stream, ControlChannel& control);

  static bool contains(std::uint32_t address) { return address < bootstrap::kSize; }

  // Reads `count` bytes from `address` as `client` sees them.
  Status read(std::uint32_t address, std::size_t count, std::uint8_t* out,
              const net::Endpoint& client);
  // Writes `count` bytes at `address` (the caller checked the privilege). A write of the
  // packet size register with the test bit set asks for a test packet: `fireTest` is set.
  Status write(std::uint32_t address, const std::uint8_t* data, std::size_t count,
               const net::Endpoint& client, Clock::time_point now, bool& fireTest);

  // The registers that a discovery acknowledge carries.
  void discoveryData(std::uint8_t* out);

 private:
  void refresh(const net::Endpoint& client);

  // The registers that are stored here from 0 up; the rest of the space reads as invalid.
  static constexpr std::size_t kImageSize = 0x1000;
  std::array<std::uint8_t, kImageSize> image_{};
  std::array<std::uint8_t, bootstrap::kSerialSize> userName_{};
  StreamSettings& stream_;
  ControlChannel& control_;
};

}  // namespace brenvik::gev
