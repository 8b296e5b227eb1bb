// Putting the bridge together: sockets, the streamer and the device.
#include "tools/gev/Bridge.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "tools/gev/Device.h"
#include "tools/gev/Streamer.h"

namespace brenvik::gev {

namespace {

// How often an idle control thread looks at the heartbeat and at its stop request.
constexpr int kPollMs = 100;
// Room for a stream's bursts of packets on their way out.
constexpr int kSendBuffer = 8 << 20;

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

StreamSettings& withLimit(StreamSettings& settings, std::uint32_t address) {
  settings.mostPacketSize = mostPacketSize(address);
  return settings;
}

}  // namespace

struct Bridge::Parts {
  Parts(Applet& applet, const BridgeOptions& options)
      : control(bind({options.address, options.port}, "control")),
        stream(bind({options.address, 0}, "stream")),
        streamer(applet, *stream, withLimit(settings, options.address)),
        device(applet, streamer, settings, options.address) {
    stream->forbidFragments();
    stream->setSendBuffer(kSendBuffer);
  }

  // Receives and answers one command, or waits up to kPollMs for one.
  void answerOne() {
    net::Endpoint from;
    const long got = control->receive(request.data(), request.size(), from, kPollMs);
    const Clock::time_point now = Clock::now();
    if (device.control().expire(now)) streamer.stop();  // the controller fell silent
    if (got <= 0) return;
    const std::size_t size = std::min(static_cast<std::size_t>(got), request.size());
    const std::size_t answer = device.handler().handle(request.data(), size, from, now, ack.data());
    if (answer > 0) control->send(from, ack.data(), answer);
  }

  std::unique_ptr<net::UdpSocket> control, stream;
  StreamSettings settings;
  Streamer streamer;
  Device device;
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
const std::string& Bridge::xml() const { return parts_->device.xml(); }
const RegisterMap& Bridge::registers() const { return parts_->device.registers(); }
std::uint64_t Bridge::framesSent() const { return parts_->streamer.framesSent(); }

}  // namespace brenvik::gev
