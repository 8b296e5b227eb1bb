// What the sockets' two backends share: IPv4 endpoints as the system's addresses, and a
// socket closed with its owner. Included by the backends alone, after their system headers.
#pragma once

#include "tools/gev/net/UdpSocket.h"

namespace brenvik::gev::net {

// Connecting a datagram socket sends nothing; any port names the path.
inline constexpr std::uint16_t kProbePort = 9;

inline sockaddr_in toSockaddr(const Endpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(endpoint.address);
  address.sin_port = htons(endpoint.port);
  return address;
}

inline Endpoint fromSockaddr(const sockaddr_in& address) {
  return {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
}

// The system's socket of type Socket (kNone: none), closed by `close` with its owner.
template <typename Socket, Socket kNone, void (*close)(Socket)>
class OwnedSocket {
 public:
  explicit OwnedSocket(Socket socket) : socket_(socket) {}
  ~OwnedSocket() {
    if (socket_ != kNone) close(socket_);
  }
  OwnedSocket(const OwnedSocket&) = delete;
  OwnedSocket& operator=(const OwnedSocket&) = delete;
  Socket get() const { return socket_; }
  Socket release() {
    const Socket socket = socket_;
    socket_ = kNone;
    return socket;
  }

 private:
  Socket socket_;
};

}  // namespace brenvik::gev::net
