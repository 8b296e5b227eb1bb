// The bridge's one door to the network: UDP sockets on IPv4, behind a small interface so that
// the protocol code makes no operating-system call of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brenvik::gev::net {

// An IPv4 address and UDP port, both in host byte order.
struct Endpoint {
  std::uint32_t address = 0;
  std::uint16_t port = 0;
  friend bool operator==(const Endpoint&, const Endpoint&) = default;
};

// "127.0.0.1" to its number; nothing for text that is not a dotted IPv4 address.
std::optional<std::uint32_t> parseAddress(std::string_view dotted);
std::string formatAddress(std::uint32_t address);

// One datagram of a batch, gathered from two pieces: a header and a body (either may be empty).
struct Datagram {
  const void* head = nullptr;
  std::size_t headSize = 0;
  const void* body = nullptr;
  std::size_t bodySize = 0;
};

class UdpSocket {
 public:
  // Binds a socket to `local` (port 0: any free port). Null with the reason in `error`.
  static std::unique_ptr<UdpSocket> open(const Endpoint& local, std::string& error);
  virtual ~UdpSocket() = default;

  virtual Endpoint local() const = 0;
  // Waits up to `timeoutMs` for a datagram and copies at most `size` bytes of it. The
  // datagram's full size where the system tells it, and more than `size` for a longer one
  // in any case; 0 when none came, -1 when the socket failed.
  virtual long receive(std::uint8_t* buffer, std::size_t size, Endpoint& from, int timeoutMs) = 0;
  virtual bool send(const Endpoint& to, const void* data, std::size_t size) = 0;
  // Sends the datagrams in order, as few system calls as the system allows; how many left.
  virtual std::size_t sendBatch(const Endpoint& to, const Datagram* datagrams,
                                std::size_t count) = 0;
  // Forbids fragmenting outgoing datagrams: one too large for the path is refused instead.
  virtual void forbidFragments() = 0;
  // Asks for a send buffer of this many bytes (the system may give less).
  virtual void setSendBuffer(int bytes) = 0;
};

// The largest IP datagram the path to `to` carries without fragments; nothing when the
// system does not say.
std::optional<std::uint32_t> pathMtu(const Endpoint& to);

}  // namespace brenvik::gev::net
