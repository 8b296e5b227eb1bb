// The bootstrap space: fixed registers written once into an image, the live ones (privilege,
// heartbeat, stream channel) copied in before each read.
#include "tools/gev/Bootstrap.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tools/gev/Wire.h"

namespace brenvik::gev {

namespace {

using namespace bootstrap;

// The registers a client may write, each a whole 32-bit word but for the user's name.
constexpr std::uint32_t kWritableWords[] = {kControlPrivilege, kHeartbeatTimeout, kStreamPort,
                                            kStreamPacketSize, kStreamPacketDelay,
                                            kStreamDestination};

void putText(std::uint8_t* image, std::uint32_t address, std::size_t size,
             const std::string& text) {
  std::memcpy(image + address, text.data(), std::min(text.size(), size - 1));
}

}  // namespace

Bootstrap::Bootstrap(const DeviceIdentity& identity, std::uint32_t xmlAddress,
                     std::size_t xmlLength, StreamSettings& stream, ControlChannel& control)
    : stream_(stream), control_(control) {
  std::uint8_t* image = image_.data();
  wire::store32(image + kVersion, 0x00020000);  // version 2.0
  wire::store32(image + kDeviceMode, kBigEndianDevice | 1);  // UTF-8 texts
  wire::store32(image + kMacHigh, static_cast<std::uint32_t>((identity.mac[0] << 8) | identity.mac[1]));
  wire::store32(image + kMacLow, wire::load32(identity.mac.data() + 2));
  wire::store32(image + kSupportedIpConfiguration, 0x1);  // a persistent address
  wire::store32(image + kCurrentIpConfiguration, 0x1);
  wire::store32(image + kCurrentIpAddress, identity.address);
  wire::store32(image + kCurrentSubnetMask, 0xFF000000);
  putText(image, kManufacturerName, kNameSize, identity.vendor);
  putText(image, kModelName, kNameSize, identity.model);
  putText(image, kDeviceVersion, kNameSize, identity.version);
  putText(image, kManufacturerInfo, kInfoSize, identity.info);
  putText(image, kSerialNumber, kSerialSize, identity.serial);
  std::memcpy(userName_.data(), identity.userName.data(),
              std::min(identity.userName.size(), userName_.size() - 1));
  char url[kUrlSize];
  std::snprintf(url, sizeof url, "Local:%s.xml;%x;%zx", identity.model.c_str(), xmlAddress,
                xmlLength);
  putText(image, kFirstUrl, kUrlSize, url);
  wire::store32(image + kNetworkInterfaces, 1);
  wire::store32(image + kStreamChannels, 1);
  wire::store32(image + kCapability, kCapabilityWriteMemory | kCapabilityPacketResend |
                                         kCapabilitySerialNumber | kCapabilityUserName);
  wire::store32(image + kTickFrequencyLow, kTickFrequency);
}

void Bootstrap::refresh(const net::Endpoint& client) {
  std::uint8_t* image = image_.data();
  std::memcpy(image + kUserDefinedName, userName_.data(), userName_.size());
  wire::store32(image + kControlPrivilege, control_.read(client));
  wire::store32(image + kHeartbeatTimeout, control_.heartbeatMs());
  wire::store32(image + kStreamPort, stream_.port.load());
  wire::store32(image + kStreamPacketSize, stream_.packetSize.load());
  wire::store32(image + kStreamPacketDelay, stream_.delay.load());
  wire::store32(image + kStreamDestination, stream_.destination.load());
}

Status Bootstrap::read(std::uint32_t address, std::size_t count, std::uint8_t* out,
                       const net::Endpoint& client) {
  if (address >= kImageSize || count > kImageSize - address) return Status::kInvalidAddress;
  refresh(client);
  std::memcpy(out, image_.data() + address, count);
  return Status::kSuccess;
}

void Bootstrap::discoveryData(std::uint8_t* out) {
  refresh(net::Endpoint{});
  std::memcpy(out, image_.data(), kDiscoverySize);
}

Status Bootstrap::write(std::uint32_t address, const std::uint8_t* data, std::size_t count,
                        const net::Endpoint& client, Clock::time_point now, bool& fireTest) {
  fireTest = false;
  if (address == kUserDefinedName) {
    if (count > userName_.size()) return Status::kInvalidParameter;
    userName_.fill(0);
    std::memcpy(userName_.data(), data, count);
    userName_.back() = 0;
    return Status::kSuccess;
  }
  const bool writable = std::find(std::begin(kWritableWords), std::end(kWritableWords),
                                  address) != std::end(kWritableWords);
  if (!writable) return address < kImageSize ? Status::kWriteProtect : Status::kInvalidAddress;
  if (count != kWord) return Status::kInvalidParameter;
  const std::uint32_t value = wire::load32(data);
  switch (address) {
    case kControlPrivilege:
      return control_.write(client, value, now);
    case kHeartbeatTimeout:
      return control_.setHeartbeatMs(value);
    case kStreamPort:
      stream_.port = value & kPacketSizeMask;
      return Status::kSuccess;
    case kStreamPacketSize: {
      const std::uint32_t size = value & kPacketSizeMask;
      if (size < gvsp::kLeastPacketSize || size > stream_.mostPacketSize ||
          size % gvsp::kPacketSizeStep != 0) {
        return Status::kInvalidParameter;
      }
      stream_.packetSize = size | (value & kDoNotFragment);
      fireTest = (value & kFireTestPacket) != 0;
      return Status::kSuccess;
    }
    case kStreamPacketDelay:
      stream_.delay = value;
      return Status::kSuccess;
    default:  // kStreamDestination
      stream_.destination = value;
      return Status::kSuccess;
  }
}

}  // namespace brenvik::gev
