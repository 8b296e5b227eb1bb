// The control protocol's command handler: one datagram in, at most one acknowledge out. It
// checks every field before it acts, answers malformed commands with the standard status (or
// not at all when they cannot be answered), and keeps writes to the controlling client.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "tools/gev/Bootstrap.h"
#include "tools/gev/ControlChannel.h"
#include "tools/gev/FeatureRouter.h"
#include "tools/gev/Features.h"
#include "tools/gev/StreamHooks.h"

namespace brenvik::gev {

// Room for the largest acknowledge: a memory read's header, address and data.
inline constexpr std::size_t kMostAckBytes = kHeaderSize + kWord + kMostMemoryBytes;

class CommandHandler {
 public:
  CommandHandler(Bootstrap& bootstrap, const RegisterMap& registers, FeatureRouter& router,
                 ControlChannel& control, StreamHooks& stream, std::span<const char> xml);

  // Handles the datagram `packet` from `client`; the size of the acknowledge written to `ack`
  // (at most kMostAckBytes), 0 when none is due.
  std::size_t handle(const std::uint8_t* packet, std::size_t size, const net::Endpoint& client,
                     Clock::time_point now, std::uint8_t* ack);

 private:
  std::size_t readRegisters(const std::uint8_t* body, std::size_t length,
                            const net::Endpoint& client, std::uint8_t* ack, Status& status);
  std::size_t writeRegisters(const std::uint8_t* body, std::size_t length,
                             const net::Endpoint& client, Clock::time_point now,
                             std::uint8_t* ack, Status& status);
  std::size_t readMemory(const std::uint8_t* body, std::size_t length,
                         const net::Endpoint& client, std::uint8_t* ack, Status& status);
  Status writeMemory(const std::uint8_t* body, std::size_t length, const net::Endpoint& client,
                     Clock::time_point now);
  void packetResend(const std::uint8_t* body, std::size_t length, bool extended);

  Status read(std::uint32_t address, std::size_t count, std::uint8_t* out,
              const net::Endpoint& client);
  Status write(std::uint32_t address, const std::uint8_t* data, std::size_t count,
               const net::Endpoint& client, Clock::time_point now);

  Bootstrap& bootstrap_;
  const RegisterMap& registers_;
  FeatureRouter& router_;
  ControlChannel& control_;
  StreamHooks& stream_;
  std::span<const char> xml_;
};

}  // namespace brenvik::gev
