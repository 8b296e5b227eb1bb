// The GigE Vision bridge: one applet on its simulated board served as a GigE Vision device on
// one IPv4 address. A control thread answers the control protocol on the GVCP port; the
// streamer sends the board's frames to the client that controls the device.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "brenvik/Applet.h"
#include "tools/gev/Features.h"
#include "tools/gev/Protocol.h"
#include "tools/gev/net/UdpSocket.h"

namespace brenvik::gev {

struct BridgeOptions {
  std::uint32_t address = 0x7F000001;  // 127.0.0.1
  std::uint16_t port = kGvcpPort;      // tests take any free port (0)
};

class Bridge {
 public:
  // Builds the device description from the applet and binds the control and stream sockets.
  // std::runtime_error naming the address when a socket cannot be bound.
  Bridge(Applet& applet, const BridgeOptions& options);
  ~Bridge();
  Bridge(const Bridge&) = delete;
  Bridge& operator=(const Bridge&) = delete;

  // Answers commands on a thread of its own until stop() or destruction.
  void start();
  // Answers commands on the calling thread until `stopRequested` turns true (it is looked at
  // every few tenths of a second).
  void serve(const std::atomic<bool>& stopRequested);
  void stop();

  net::Endpoint controlEndpoint() const;
  const std::string& xml() const;
  const RegisterMap& registers() const;
  std::uint64_t framesSent() const;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
};

}  // namespace brenvik::gev
