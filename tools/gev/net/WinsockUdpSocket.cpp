// UdpSocket on Windows through Winsock 2: select and recvfrom to receive, WSASendTo gathering
// each datagram's two pieces to send.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/win32/SystemMessage.h"
#include "tools/gev/net/SocketParts.h"

namespace brenvik::gev::net {

namespace {

constexpr std::uint32_t kLoopbackNet = 0x7F000000;
constexpr std::uint32_t kLoopbackMask = 0xFF000000;
// The largest IPv4 datagram: what a path that never leaves the machine carries.
constexpr std::uint32_t kLargestDatagram = 65535;
// How long a sender waits for room in a full queue on the way out.
constexpr std::chrono::microseconds kQueueWait{50};

// Winsock started once for the process, before its first socket, and stopped at its end.
class Winsock {
 public:
  Winsock() {
    WSADATA data{};
    started_ = ::WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~Winsock() {
    if (started_ == 0) ::WSACleanup();
  }
  Winsock(const Winsock&) = delete;
  Winsock& operator=(const Winsock&) = delete;
  // 0 when Winsock runs, else the error of its start.
  int started() const { return started_; }

 private:
  int started_ = 0;
};

int winsockStarted() {
  static const Winsock winsock;
  return winsock.started();
}

std::string lastError() {
  return platform::systemMessage(static_cast<unsigned long>(::WSAGetLastError()));
}

void closeHandle(SOCKET socket) { ::closesocket(socket); }
// A socket closed with its owner.
using Handle = OwnedSocket<SOCKET, INVALID_SOCKET, &closeHandle>;

// A socket of its own for each use; the reason in `error` when there is none.
SOCKET openSocket(std::string& error) {
  if (const int failure = winsockStarted(); failure != 0) {
    error = platform::systemMessage(static_cast<unsigned long>(failure));
    return INVALID_SOCKET;
  }
  const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (socket == INVALID_SOCKET) error = lastError();
  return socket;
}

class WinsockUdpSocket final : public UdpSocket {
 public:
  WinsockUdpSocket(SOCKET socket, const Endpoint& local) : socket_(socket), local_(local) {}

  Endpoint local() const override { return local_; }

  long receive(std::uint8_t* buffer, std::size_t size, Endpoint& from, int timeoutMs) override {
    fd_set waiting;
    FD_ZERO(&waiting);
    FD_SET(socket_.get(), &waiting);
    timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    const int ready = ::select(0, &waiting, nullptr, nullptr, &timeout);
    if (ready == 0) return 0;
    if (ready == SOCKET_ERROR) return -1;
    sockaddr_in sender{};
    int senderSize = sizeof sender;
    const int got = ::recvfrom(socket_.get(), reinterpret_cast<char*>(buffer), clamp(size), 0,
                               reinterpret_cast<sockaddr*>(&sender), &senderSize);
    long length = got;
    if (got == SOCKET_ERROR) {
      switch (::WSAGetLastError()) {
        // Winsock cuts a longer datagram to the buffer without telling its size: one more
        // byte than the buffer says that it was longer.
        case WSAEMSGSIZE:
          length = static_cast<long>(size) + 1;
          break;
        // An earlier datagram of ours found no receiver; nothing came.
        case WSAECONNRESET:
        case WSAEINTR:
        case WSAEWOULDBLOCK:
          return 0;
        default:
          return -1;
      }
    }
    from = fromSockaddr(sender);
    return length;
  }

  bool send(const Endpoint& to, const void* data, std::size_t size) override {
    const sockaddr_in target = toSockaddr(to);
    return ::sendto(socket_.get(), static_cast<const char*>(data), clamp(size), 0,
                    reinterpret_cast<const sockaddr*>(&target),
                    sizeof target) == static_cast<int>(size);
  }

  std::size_t sendBatch(const Endpoint& to, const Datagram* datagrams, std::size_t count) override {
    const sockaddr_in target = toSockaddr(to);
    std::size_t sent = 0;
    while (sent < count) {
      const Datagram& datagram = datagrams[sent];
      WSABUF pieces[2] = {{static_cast<ULONG>(datagram.headSize),
                           static_cast<char*>(const_cast<void*>(datagram.head))},
                          {static_cast<ULONG>(datagram.bodySize),
                           static_cast<char*>(const_cast<void*>(datagram.body))}};
      DWORD bytes = 0;
      if (::WSASendTo(socket_.get(), pieces, datagram.bodySize == 0 ? 1 : 2, &bytes, 0,
                      reinterpret_cast<const sockaddr*>(&target), sizeof target, nullptr,
                      nullptr) == SOCKET_ERROR) {
        // A full queue on the way out: give the receiver a moment, then go on.
        const int failure = ::WSAGetLastError();
        if (failure == WSAENOBUFS || failure == WSAEWOULDBLOCK || failure == WSAEINTR) {
          std::this_thread::sleep_for(kQueueWait);
          continue;
        }
        break;
      }
      ++sent;
    }
    return sent;
  }

  void forbidFragments() override {
    const DWORD on = 1;
    ::setsockopt(socket_.get(), IPPROTO_IP, IP_DONTFRAGMENT, reinterpret_cast<const char*>(&on),
                 sizeof on);
  }

  void setSendBuffer(int bytes) override {
    ::setsockopt(socket_.get(), SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&bytes),
                 sizeof bytes);
  }

 private:
  // Winsock counts bytes in an int; the bridge's datagrams are far smaller.
  static int clamp(std::size_t size) {
    return static_cast<int>(std::min<std::size_t>(size, kLargestDatagram));
  }

  Handle socket_;
  Endpoint local_;
};

}  // namespace

std::unique_ptr<UdpSocket> UdpSocket::open(const Endpoint& local, std::string& error) {
  Handle owner(openSocket(error));
  if (owner.get() == INVALID_SOCKET) return nullptr;
  // Another socket may not take over the port while this one is bound (Windows would allow
  // it for sockets that ask).
  const BOOL exclusive = TRUE;
  ::setsockopt(owner.get(), SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
               reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
  const sockaddr_in address = toSockaddr(local);
  if (::bind(owner.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    error = lastError();
    return nullptr;
  }
  sockaddr_in bound{};
  int boundSize = sizeof bound;
  ::getsockname(owner.get(), reinterpret_cast<sockaddr*>(&bound), &boundSize);
  return std::make_unique<WinsockUdpSocket>(owner.release(), fromSockaddr(bound));
}

std::optional<std::uint32_t> pathMtu(const Endpoint& to) {
  // The loopback path never leaves the machine and has no limit of its own below IP's.
  if ((to.address & kLoopbackMask) == kLoopbackNet) return kLargestDatagram;
  std::string error;
  Handle probe(openSocket(error));
  if (probe.get() == INVALID_SOCKET) return std::nullopt;
  const sockaddr_in target = toSockaddr({to.address, to.port == 0 ? kProbePort : to.port});
  if (::connect(probe.get(), reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
    return std::nullopt;
  }
  DWORD mtu = 0;
  int size = sizeof mtu;
  if (::getsockopt(probe.get(), IPPROTO_IP, IP_MTU, reinterpret_cast<char*>(&mtu), &size) != 0 ||
      mtu == 0) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(mtu);
}

}  // namespace brenvik::gev::net
