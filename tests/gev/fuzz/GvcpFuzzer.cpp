// Control protocol datagrams fed to the command handler of a device over a real applet: any
// bytes get an acknowledge that fits its buffer and names the command, or none. The first byte
// picks the sender: the controlling client or another one.
#include <array>
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "brenvik/Host.h"
#include "tools/gev/Device.h"
#include "tools/gev/Wire.h"

namespace {

using namespace brenvik;
using namespace brenvik::gev;
using brenvik::test::require;

constexpr std::uint32_t kLoopback = 0x7F000001;
constexpr net::Endpoint kController{kLoopback, 40000};
constexpr net::Endpoint kOther{kLoopback, 40001};

// A stream that goes nowhere, but keeps to its promises.
class NoStream final : public StreamHooks {
 public:
  Status start(bool) override {
    if (running_) return Status::kBusy;
    running_ = true;
    return Status::kSuccess;
  }
  void stop() override { running_ = false; }
  bool streaming() const override { return running_; }
  void resend(std::uint16_t block, std::uint32_t, std::uint32_t) override { require(block != 0); }
  void fireTestPacket() override {}

 private:
  bool running_ = false;
};

struct Target {
  Target() : applet(options()), device(applet, stream, settings, kLoopback) {}
  static OpenOptions options() {
    OpenOptions open;
    open.board = 9301;
    return open;
  }
  Applet applet;
  NoStream stream;
  StreamSettings settings;
  Device device;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Target target;
  if (size < 1) return 0;
  CommandHandler& handler = target.device.handler();
  std::array<std::uint8_t, kMostAckBytes> ack{};
  const auto now = Clock::now();
  if (!target.device.control().held()) {
    std::array<std::uint8_t, 16> take{kCommandKey, kFlagAcknowledge};
    wire::store16(&take[2], static_cast<std::uint16_t>(Command::kWriteRegister));
    wire::store16(&take[4], 8);
    wire::store32(&take[8], bootstrap::kControlPrivilege);
    wire::store32(&take[12], bootstrap::kPrivilegeControl);
    handler.handle(take.data(), take.size(), kController, now, ack.data());
  }
  const net::Endpoint from = (data[0] & 1) != 0 ? kOther : kController;
  const std::size_t length = std::min(size - 1, kMostCommandBytes);
  const std::size_t answer = handler.handle(data + 1, length, from, now, ack.data());
  require(answer <= ack.size());
  if (answer > 0) {
    require(answer >= kHeaderSize);
    require(wire::load16(&ack[4]) == answer - kHeaderSize);  // the length field says it
    require(wire::load16(&ack[2]) == static_cast<std::uint16_t>(wire::load16(data + 3) + 1));
    require(wire::load16(&ack[6]) == wire::load16(data + 7));
  }
  return 0;
}
