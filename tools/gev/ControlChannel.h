// Who controls the device: the control channel privilege that one client at a time holds, kept
// alive by its commands and lost when it falls silent for longer than the heartbeat time-out.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "tools/gev/Protocol.h"
#include "tools/gev/net/UdpSocket.h"

namespace brenvik::gev {

using Clock = std::chrono::steady_clock;

// The longest heartbeat time-out a client may ask for: ten minutes; beyond that it is gone.
inline constexpr std::uint32_t kMostHeartbeatMs = 600000;

class ControlChannel {
 public:
  bool held() const { return controller_.has_value(); }
  bool isController(const net::Endpoint& client) const {
    return controller_ && *controller_ == client;
  }

  // A command from `client`: the controller's commands keep its privilege alive.
  void heard(const net::Endpoint& client, Clock::time_point now) {
    if (isController(client)) lastHeard_ = now;
  }

  // Drops a controller silent for longer than the time-out; true when it did.
  bool expire(Clock::time_point now) {
    if (!controller_ || now - lastHeard_ <= std::chrono::milliseconds(heartbeatMs_)) return false;
    release();
    return true;
  }

  // A write of the privilege register: a bit takes control (refused while another holds it),
  // 0 gives it back.
  Status write(const net::Endpoint& client, std::uint32_t value, Clock::time_point now) {
    const std::uint32_t bits =
        value & (bootstrap::kPrivilegeExclusive | bootstrap::kPrivilegeControl);
    if (controller_ && !isController(client)) return Status::kAccessDenied;
    if (bits == 0) {
      release();
      return Status::kSuccess;
    }
    controller_ = client;
    privilege_ = bits;
    lastHeard_ = now;
    return Status::kSuccess;
  }

  // What the privilege register reads for `client`: the privilege for its holder, 0 for any
  // other client, so that a client whose privilege expired sees that it lost it.
  std::uint32_t read(const net::Endpoint& client) const {
    return isController(client) ? privilege_ : 0;
  }

  std::uint32_t heartbeatMs() const { return heartbeatMs_; }
  Status setHeartbeatMs(std::uint32_t ms) {
    if (ms < bootstrap::kLeastHeartbeatMs || ms > kMostHeartbeatMs) return Status::kInvalidParameter;
    heartbeatMs_ = ms;
    return Status::kSuccess;
  }

 private:
  void release() {
    controller_.reset();
    privilege_ = 0;
  }

  std::optional<net::Endpoint> controller_;
  std::uint32_t privilege_ = 0;
  Clock::time_point lastHeard_{};
  std::uint32_t heartbeatMs_ = bootstrap::kDefaultHeartbeatMs;
};

}  // namespace brenvik::gev
