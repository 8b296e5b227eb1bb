// The device as the control protocol sees it, without sockets: identity, register map, XML,
// bootstrap space, control privilege and the command handler, over one applet. The bridge
// puts sockets and a streamer around it; the fuzz target feeds it datagrams directly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "brenvik/Applet.h"
#include "tools/gev/Bootstrap.h"
#include "tools/gev/CommandHandler.h"
#include "tools/gev/ControlChannel.h"
#include "tools/gev/FeatureRouter.h"
#include "tools/gev/Features.h"
#include "tools/gev/StreamHooks.h"

namespace brenvik::gev {

class Device {
 public:
  // `address` is the device's IPv4 address, as discovery reports it.
  Device(Applet& applet, StreamHooks& stream, StreamSettings& settings, std::uint32_t address);
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  CommandHandler& handler() { return *handler_; }
  ControlChannel& control() { return control_; }
  const RegisterMap& registers() const { return registers_; }
  const std::string& xml() const { return xml_; }
  const DeviceIdentity& identity() const { return identity_; }

 private:
  DeviceIdentity identity_;
  RegisterMap registers_;
  std::string xml_;
  ControlChannel control_;
  FeatureRouter router_;
  std::unique_ptr<Bootstrap> bootstrap_;
  std::unique_ptr<CommandHandler> handler_;
};

// The largest stream packet the path from `address` carries, in whole size steps.
std::uint32_t mostPacketSize(std::uint32_t address);

}  // namespace brenvik::gev
