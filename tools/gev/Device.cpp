// The device's identity comes from the applet: vendor and model as its own XML names them,
// the version from its Info export, a serial number after the board.
#include "tools/gev/Device.h"

#include <algorithm>

#include "applet/InfoQueries.h"
#include "tools/gev/DeviceXml.h"
#include "tools/gev/net/UdpSocket.h"

namespace brenvik::gev {

namespace {

// A path that does not tell its size is taken to carry an Ethernet frame.
constexpr std::uint32_t kEthernetMtu = 1500;

// An attribute's value in the applet's own XML ("Brenvik" for ModelName).
std::string attribute(const std::string& xml, const std::string& name) {
  const std::string key = name + "=\"";
  const auto start = xml.find(key);
  if (start == std::string::npos) return {};
  const auto end = xml.find('"', start + key.size());
  if (end == std::string::npos) return {};
  return xml.substr(start + key.size(), end - start - key.size());
}

std::string appletVersion(const Applet& applet) {
  const char* text = nullptr;
  applet.module().info(info::namedQuery("version").code, 0, 0, nullptr, &text);
  return text != nullptr ? text : "";
}

DeviceIdentity identityOf(const Applet& applet, std::uint32_t address) {
  const std::string own = applet.xml();
  const std::uint64_t board = applet.board().number();
  DeviceIdentity identity;
  identity.vendor = attribute(own, "VendorName");
  identity.model = attribute(own, "ModelName");
  identity.version = appletVersion(applet);
  identity.info = "Camera Link grabber on simulated board " + std::to_string(board);
  identity.serial = "SB" + std::to_string(board);
  identity.address = address;
  // A locally administered address, one per board.
  identity.mac = {0x02, 0, 0, 0, static_cast<std::uint8_t>(board >> 8),
                  static_cast<std::uint8_t>(board)};
  return identity;
}

}  // namespace

std::uint32_t mostPacketSize(std::uint32_t address) {
  const std::uint32_t mtu = net::pathMtu({address, 0}).value_or(kEthernetMtu);
  return std::min(mtu, gvsp::kMostPacketSize) / gvsp::kPacketSizeStep * gvsp::kPacketSizeStep;
}

Device::Device(Applet& applet, StreamHooks& stream, StreamSettings& settings,
               std::uint32_t address)
    : identity_(identityOf(applet, address)),
      registers_(RegisterMap::build(applet, settings.mostPacketSize)),
      xml_(deviceXml(registers_, {identity_.vendor, identity_.model})),
      router_(applet, stream),
      bootstrap_(std::make_unique<Bootstrap>(identity_, kXmlBase, xml_.size(), settings, control_)),
      handler_(std::make_unique<CommandHandler>(*bootstrap_, registers_, router_, control_, stream,
                                                std::span<const char>(xml_.data(), xml_.size()))) {}

}  // namespace brenvik::gev
