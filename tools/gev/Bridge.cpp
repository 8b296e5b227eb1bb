// Putting the bridge together: identity, registers, XML, sockets, handler and streamer.
#include "tools/gev/Bridge.h"

#include <algorithm>
#include <stdexcept>

#include "applet/InfoQueries.h"
#include "tools/gev/Bootstrap.h"
#include "tools/gev/CommandHandler.h"
#include "tools/gev/ControlChannel.h"
#include "tools/gev/DeviceXml.h"
#include "tools/gev/FeatureRouter.h"
#include "tools/gev/Features.h"
#include "tools/gev/Streamer.h"

namespace brenvik::gev {

namespace {

// How often an idle control thread looks at the heartbeat and at its stop request.
constexpr int kPollMs = 100;
// Room for a stream's bursts of packets on their way out.
constexpr int kSendBuffer = 8 << 20;
// A path that does not tell its size is taken to carry an Ethernet frame.
constexpr std::uint32_t kEthernetMtu = 1500;

// An attribute's value in the applet's own XML ("Brenvik" for ModelName).
std::string attribute(const std::string& xml, const std::string& name) {
  const std::string key = name + "=\"";
  const auto start = xml.find(key);
  if (start == std::string::npos) return {};
  const auto end = xml.find('"', start + key.size());
  return end == std::string::npos ? std::string() : xml.substr(start + key.size(), end - start - key.size());
}

std::string appletVersion(const Applet& applet) {
  const char* text = nullptr;
  applet.module().info(info::namedQuery("version").code, 0, 0, nullptr, &text);
  return text != nullptr ? text : "";
}

std::unique_ptr<net::UdpSocket> bind(const net::Endpoint& at, const char* what) {
  std::string error;
  auto socket = net::UdpSocket::open(at, error);
  if (!socket) {
    throw std::runtime_error("cannot bind the " + std::string(what) + " socket to " +
                             net::formatAddress(at.address) + " port " + std::to_string(at.port) +
                             ": " + error);
  }
  return socket;
}

std::uint32_t mostPacketSize(std::uint32_t address) {
  const std::uint32_t mtu = net::pathMtu({address, 0}).value_or(kEthernetMtu);
  const std::uint32_t most = std::min(mtu, gvsp::kMostPacketSize);
  return most / gvsp::kPacketSizeStep * gvsp::kPacketSizeStep;
}

}  // namespace

struct Bridge::Parts {
  Parts(Applet& applet, const BridgeOptions& options)
      : control(bind({options.address, options.port}, "control")),
        stream(bind({options.address, 0}, "stream")),
        registers(RegisterMap::build(applet, mostPacketSize(options.address))),
        streamer(applet, *stream, settings),
        router(applet, streamer) {
    settings.mostPacketSize = mostPacketSize(options.address);
    stream->forbidFragments();
    stream->setSendBuffer(kSendBuffer);
    const std::string own = applet.xml();
    identity.vendor = attribute(own, "VendorName");
    identity.model = attribute(own, "ModelName");
    identity.version = appletVersion(applet);
    identity.info = "Camera Link grabber on simulated board " + std::to_string(applet.board().number());
    identity.serial = "SB" + std::to_string(applet.board().number());
    identity.address = options.address;
    identity.mac = {0x02, 0, 0, 0, 0, static_cast<std::uint8_t>(applet.board().number())};
    xml = deviceXml(registers, {identity.vendor, identity.model});
    bootstrap = std::make_unique<Bootstrap>(identity, kXmlBase, xml.size(), settings, channel);
    handler = std::make_unique<CommandHandler>(*bootstrap, registers, router, channel, streamer,
                                               std::span<const char>(xml.data(), xml.size()));
  }

  // Receives and answers one command, or waits up to kPollMs for one.
  void answerOne() {
    net::Endpoint from;
    const long got = control->receive(request.data(), request.size(), from, kPollMs);
    const Clock::time_point now = Clock::now();
    if (channel.expire(now)) streamer.stop();  // the controller fell silent
    if (got <= 0) return;
    const std::size_t size = std::min(static_cast<std::size_t>(got), request.size());
    const std::size_t answer = handler->handle(request.data(), size, from, now, ack.data());
    if (answer > 0) control->send(from, ack.data(), answer);
  }

  std::unique_ptr<net::UdpSocket> control, stream;
  StreamSettings settings;
  ControlChannel channel;
  RegisterMap registers;
  Streamer streamer;
  FeatureRouter router;
  DeviceIdentity identity;
  std::string xml;
  std::unique_ptr<Bootstrap> bootstrap;
  std::unique_ptr<CommandHandler> handler;
  std::array<std::uint8_t, kMostCommandBytes> request{};
  std::array<std::uint8_t, kMostAckBytes> ack{};
};

Bridge::Bridge(Applet& applet, const BridgeOptions& options)
    : parts_(std::make_unique<Parts>(applet, options)) {}

Bridge::~Bridge() { stop(); }

void Bridge::start() {
  if (thread_.joinable()) return;
  stopping_ = false;
  thread_ = std::thread([this] { serve(stopping_); });
}

void Bridge::serve(const std::atomic<bool>& stopRequested) {
  while (!stopRequested) parts_->answerOne();
  parts_->streamer.stop();
}

void Bridge::stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  parts_->streamer.stop();
}

net::Endpoint Bridge::controlEndpoint() const { return parts_->control->local(); }
const std::string& Bridge::xml() const { return parts_->xml; }
std::uint64_t Bridge::framesSent() const { return parts_->streamer.framesSent(); }

}  // namespace brenvik::gev
