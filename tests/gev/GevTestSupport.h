// What the bridge's tests share: an applet on a board of the test's own served by a bridge on
// a free loopback port, and a client that speaks the control protocol byte by byte.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "brenvik/Host.h"
#include "tools/gev/Bridge.h"
#include "tools/gev/Protocol.h"
#include "tools/gev/Wire.h"
#include "tools/gev/net/UdpSocket.h"

namespace brenvik::gev::test {

inline constexpr std::uint32_t kLoopback = 0x7F000001;
// Generous: the machine may be busy with other builds.
inline constexpr int kAnswerMs = 3000;

inline std::uint64_t freshBoard() {
  static std::atomic<std::uint64_t> next{7300};
  return next++;
}

struct Ack {
  bool answered = false;
  std::uint16_t status = 0xFFFF;
  std::uint16_t code = 0;
  std::uint16_t id = 0;
  std::vector<std::uint8_t> body;
  Status statusCode() const { return static_cast<Status>(status); }
};

// A control protocol client on its own loopback port.
class Client {
 public:
  explicit Client(net::Endpoint device) : device_(device) {
    std::string error;
    socket_ = net::UdpSocket::open({kLoopback, 0}, error);
    EXPECT_TRUE(socket_) << error;
  }

  // Sends raw bytes; the answer, if one comes within `waitMs`.
  Ack exchange(const std::vector<std::uint8_t>& datagram, int waitMs = kAnswerMs) {
    socket_->send(device_, datagram.data(), datagram.size());
    Ack ack;
    std::vector<std::uint8_t> buffer(2048);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (std::chrono::steady_clock::now() < deadline) {
      net::Endpoint from;
      const long got = socket_->receive(buffer.data(), buffer.size(), from, 50);
      if (got < static_cast<long>(kHeaderSize) || from != device_) continue;
      ack.answered = true;
      ack.status = wire::load16(buffer.data());
      ack.code = wire::load16(buffer.data() + 2);
      ack.id = wire::load16(buffer.data() + 6);
      ack.body.assign(buffer.begin() + kHeaderSize, buffer.begin() + got);
      return ack;
    }
    return ack;
  }

  // A well-formed command with the acknowledge flag and a fresh request id.
  std::vector<std::uint8_t> command(Command code, const std::vector<std::uint32_t>& words) {
    std::vector<std::uint8_t> datagram(kHeaderSize + words.size() * kWord);
    datagram[0] = kCommandKey;
    datagram[1] = kFlagAcknowledge;
    wire::store16(&datagram[2], static_cast<std::uint16_t>(code));
    wire::store16(&datagram[4], static_cast<std::uint16_t>(words.size() * kWord));
    wire::store16(&datagram[6], ++requestId_);
    for (std::size_t i = 0; i < words.size(); ++i) {
      wire::store32(&datagram[kHeaderSize + i * kWord], words[i]);
    }
    return datagram;
  }

  Ack readRegister(std::uint32_t address) {
    return exchange(command(Command::kReadRegister, {address}));
  }
  std::uint32_t readValue(std::uint32_t address) {
    const Ack ack = readRegister(address);
    EXPECT_EQ(ack.statusCode(), Status::kSuccess);
    return ack.body.size() >= kWord ? wire::load32(ack.body.data()) : 0;
  }
  Status writeRegister(std::uint32_t address, std::uint32_t value) {
    return exchange(command(Command::kWriteRegister, {address, value})).statusCode();
  }
  Ack readMemory(std::uint32_t address, std::uint32_t count) {
    return exchange(command(Command::kReadMemory, {address, count}));
  }
  Status writeMemory(std::uint32_t address, const std::vector<std::uint32_t>& words) {
    std::vector<std::uint32_t> all{address};
    all.insert(all.end(), words.begin(), words.end());
    return exchange(command(Command::kWriteMemory, all)).statusCode();
  }
  Status takeControl() {
    return writeRegister(bootstrap::kControlPrivilege, bootstrap::kPrivilegeControl);
  }

  net::UdpSocket& socket() { return *socket_; }
  net::Endpoint local() const { return socket_->local(); }

 private:
  net::Endpoint device_;
  std::unique_ptr<net::UdpSocket> socket_;
  std::uint16_t requestId_ = 0;
};

class BridgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenOptions options;
    options.board = freshBoard();
    applet_ = std::make_unique<Applet>(options);
    bridge_ = std::make_unique<Bridge>(*applet_, BridgeOptions{kLoopback, 0});
    bridge_->start();
  }
  void TearDown() override {
    bridge_.reset();
    applet_.reset();
  }

  Client client() { return Client(bridge_->controlEndpoint()); }
  // The address of a feature's register.
  std::uint32_t addressOf(std::string_view name) const {
    for (const Register& reg : bridge_->registers().registers()) {
      if (reg.name == name) return reg.address;
    }
    ADD_FAILURE() << "no feature " << name;
    return 0;
  }
  Applet& applet() { return *applet_; }
  Bridge& bridge() { return *bridge_; }

  std::unique_ptr<Applet> applet_;
  std::unique_ptr<Bridge> bridge_;
};

}  // namespace brenvik::gev::test
