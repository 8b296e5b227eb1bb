// UdpSocket on POSIX systems: poll and recvfrom to receive, sendmmsg where Linux has it to send
// a frame's packets in few calls.
#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "tools/gev/net/SocketParts.h"

namespace brenvik::gev::net {

namespace {

void closeDescriptor(int fd) { ::close(fd); }
// A socket descriptor closed with its owner.
using Descriptor = OwnedSocket<int, -1, &closeDescriptor>;

class PosixUdpSocket final : public UdpSocket {
 public:
  PosixUdpSocket(int fd, const Endpoint& local) : fd_(fd), local_(local) {}

  Endpoint local() const override { return local_; }

  long receive(std::uint8_t* buffer, std::size_t size, Endpoint& from, int timeoutMs) override {
    pollfd waiting{fd_.get(), POLLIN, 0};
    const int ready = ::poll(&waiting, 1, timeoutMs);
    if (ready == 0 || (ready < 0 && errno == EINTR)) return 0;
    if (ready < 0) return -1;
    sockaddr_in sender{};
    socklen_t senderSize = sizeof sender;
    const ssize_t got = ::recvfrom(fd_.get(), buffer, size, MSG_TRUNC,
                                   reinterpret_cast<sockaddr*>(&sender), &senderSize);
    if (got < 0) return errno == EINTR || errno == EAGAIN ? 0 : -1;
    from = fromSockaddr(sender);
    return static_cast<long>(got);
  }

  bool send(const Endpoint& to, const void* data, std::size_t size) override {
    const sockaddr_in target = toSockaddr(to);
    return ::sendto(fd_.get(), data, size, 0, reinterpret_cast<const sockaddr*>(&target),
                    sizeof target) == static_cast<ssize_t>(size);
  }

  std::size_t sendBatch(const Endpoint& to, const Datagram* datagrams,
                        std::size_t count) override {
    sockaddr_in target = toSockaddr(to);
    // On the stack: the streaming thread and the control thread (resends) send at once.
    std::array<mmsghdr, kBatch> messages{};
    std::array<std::array<iovec, 2>, kBatch> pieces{};
    std::size_t sent = 0;
    while (sent < count) {
      const std::size_t chunk = std::min(count - sent, kBatch);
      for (std::size_t i = 0; i < chunk; ++i) {
        const Datagram& datagram = datagrams[sent + i];
        pieces[i][0] = {const_cast<void*>(datagram.head), datagram.headSize};
        pieces[i][1] = {const_cast<void*>(datagram.body), datagram.bodySize};
        msghdr& header = messages[i].msg_hdr;
        header = msghdr{};
        header.msg_name = &target;
        header.msg_namelen = sizeof target;
        header.msg_iov = pieces[i].data();
        header.msg_iovlen = datagram.bodySize == 0 ? 1 : 2;
      }
#if defined(__linux__)
      const int done = ::sendmmsg(fd_.get(), messages.data(), static_cast<unsigned>(chunk), 0);
#else
      int done = 0;
      while (static_cast<std::size_t>(done) < chunk &&
             ::sendmsg(fd_.get(), &messages[done].msg_hdr, 0) >= 0) {
        ++done;
      }
      if (done == 0) done = -1;
#endif
      if (done < 0) {
        // A full queue on the way out: give the receiver a moment, then go on.
        if (errno == ENOBUFS || errno == EAGAIN || errno == EINTR) {
          ::usleep(50);
          continue;
        }
        break;
      }
      sent += static_cast<std::size_t>(done);
    }
    return sent;
  }

  void forbidFragments() override {
#if defined(__linux__)
    const int mode = IP_PMTUDISC_DO;
    ::setsockopt(fd_.get(), IPPROTO_IP, IP_MTU_DISCOVER, &mode, sizeof mode);
#endif
  }

  void setSendBuffer(int bytes) override {
    ::setsockopt(fd_.get(), SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
  }

 private:
  static constexpr std::size_t kBatch = 64;
  Descriptor fd_;
  Endpoint local_;
};

}  // namespace

std::unique_ptr<UdpSocket> UdpSocket::open(const Endpoint& local, std::string& error) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = std::strerror(errno);
    return nullptr;
  }
  Descriptor owner(fd);
  const sockaddr_in address = toSockaddr(local);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    error = std::strerror(errno);
    return nullptr;
  }
  sockaddr_in bound{};
  socklen_t boundSize = sizeof bound;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &boundSize);
  return std::make_unique<PosixUdpSocket>(owner.release(), fromSockaddr(bound));
}

std::optional<std::uint32_t> pathMtu(const Endpoint& to) {
#if defined(__linux__)
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return std::nullopt;
  Descriptor owner(fd);
  const sockaddr_in target = toSockaddr({to.address, to.port == 0 ? kProbePort : to.port});
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
    return std::nullopt;
  }
  int mtu = 0;
  socklen_t size = sizeof mtu;
  if (::getsockopt(fd, IPPROTO_IP, IP_MTU, &mtu, &size) != 0 || mtu <= 0) return std::nullopt;
  return static_cast<std::uint32_t>(mtu);
#else
  (void)to;
  return std::nullopt;
#endif
}

}  // namespace brenvik::gev::net
