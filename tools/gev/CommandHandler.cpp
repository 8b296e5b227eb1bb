// Parsing and answering control commands. Layout of every command: key, flags, command code,
// body length, request id (8 bytes), then the body.
#include "tools/gev/CommandHandler.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "tools/gev/Wire.h"

namespace brenvik::gev {

namespace {

constexpr std::size_t kResendBody = 12;
constexpr std::size_t kExtendedResendBody = 20;

std::size_t acknowledge(std::uint8_t* ack, Status status, std::uint16_t code,
                        std::size_t bodyLength, std::uint16_t requestId) {
  wire::store16(ack, static_cast<std::uint16_t>(status));
  wire::store16(ack + 2, code);
  wire::store16(ack + 4, static_cast<std::uint16_t>(bodyLength));
  wire::store16(ack + 6, requestId);
  return kHeaderSize + bodyLength;
}

bool isCommand(std::uint16_t code) {
  switch (static_cast<Command>(code)) {
    case Command::kDiscovery:
    case Command::kBye:
    case Command::kPacketResend:
    case Command::kReadRegister:
    case Command::kWriteRegister:
    case Command::kReadMemory:
    case Command::kWriteMemory:
      return true;
  }
  return false;
}

}  // namespace

CommandHandler::CommandHandler(Bootstrap& bootstrap, const RegisterMap& registers,
                               FeatureRouter& router, ControlChannel& control,
                               StreamHooks& stream, std::span<const char> xml)
    : bootstrap_(bootstrap),
      registers_(registers),
      router_(router),
      control_(control),
      stream_(stream),
      xml_(xml) {}

std::size_t CommandHandler::handle(const std::uint8_t* packet, std::size_t size,
                                   const net::Endpoint& client, Clock::time_point now,
                                   std::uint8_t* ack) {
  // Too short to be a command, or not one: no answer can be addressed.
  if (size < kHeaderSize || packet[0] != kCommandKey) return 0;
  const std::uint8_t flags = packet[1];
  const std::uint16_t code = wire::load16(packet + 2);
  const std::size_t length = wire::load16(packet + 4);
  const std::uint16_t requestId = wire::load16(packet + 6);
  const std::uint8_t* body = packet + kHeaderSize;
  const bool answer = (flags & kFlagAcknowledge) != 0;
  const auto reply = [&](Status status, std::size_t bodyLength) -> std::size_t {
    if (!answer) return 0;
    return acknowledge(ack, status, static_cast<std::uint16_t>(code + 1), bodyLength, requestId);
  };
  control_.heard(client, now);
  if (!isCommand(code)) return reply(Status::kNotImplemented, 0);
  // A body shorter than its length field says, or not in whole words.
  if (length > size - kHeaderSize || length % kWord != 0) {
    return reply(Status::kInvalidParameter, 0);
  }
  Status status = Status::kSuccess;
  switch (static_cast<Command>(code)) {
    case Command::kDiscovery:
      bootstrap_.discoveryData(ack + kHeaderSize);
      return reply(Status::kSuccess, bootstrap::kDiscoverySize);
    case Command::kPacketResend:
      packetResend(body, length, (flags & kFlagExtendedIds) != 0);
      return 0;
    case Command::kReadRegister: {
      const std::size_t n = readRegisters(body, length, client, ack + kHeaderSize, status);
      return reply(status, n);
    }
    case Command::kWriteRegister: {
      const std::size_t n = writeRegisters(body, length, client, now, ack + kHeaderSize, status);
      return reply(status, n);
    }
    case Command::kReadMemory: {
      const std::size_t n = readMemory(body, length, client, ack + kHeaderSize, status);
      return reply(status, n);
    }
    case Command::kWriteMemory:
      status = writeMemory(body, length, client, now);
      wire::store32(ack + kHeaderSize, 0);
      return reply(status, kWord);
    case Command::kBye:
      return reply(Status::kSuccess, 0);
  }
  return 0;
}

std::size_t CommandHandler::readRegisters(const std::uint8_t* body, std::size_t length,
                                          const net::Endpoint& client, std::uint8_t* out,
                                          Status& status) {
  if (length == 0 || length > kMostMemoryBytes) {
    status = Status::kInvalidParameter;
    return 0;
  }
  std::size_t done = 0;
  for (; done < length; done += kWord) {
    const std::uint32_t address = wire::load32(body + done);
    if (address % kWord != 0) {
      status = Status::kBadAlignment;
      break;
    }
    status = read(address, kWord, out + done, client);
    if (status != Status::kSuccess) break;
  }
  return done;
}

std::size_t CommandHandler::writeRegisters(const std::uint8_t* body, std::size_t length,
                                           const net::Endpoint& client, Clock::time_point now,
                                           std::uint8_t* out, Status& status) {
  constexpr std::size_t kPair = 2 * kWord;
  std::uint16_t written = 0;
  if (length == 0 || length % kPair != 0 || length > kMostMemoryBytes) {
    status = Status::kInvalidParameter;
  } else {
    for (std::size_t at = 0; at < length; at += kPair, ++written) {
      const std::uint32_t address = wire::load32(body + at);
      if (address % kWord != 0) {
        status = Status::kBadAlignment;
        break;
      }
      status = write(address, body + at + kWord, kWord, client, now);
      if (status != Status::kSuccess) break;
    }
  }
  // The acknowledge says how many writes were made.
  wire::store16(out, 0);
  wire::store16(out + 2, written);
  return kWord;
}

std::size_t CommandHandler::readMemory(const std::uint8_t* body, std::size_t length,
                                       const net::Endpoint& client, std::uint8_t* out,
                                       Status& status) {
  if (length != 2 * kWord) {
    status = Status::kInvalidParameter;
    return 0;
  }
  const std::uint32_t address = wire::load32(body);
  const std::size_t count = wire::load16(body + 6);  // the low 16 bits of the second word
  wire::store32(out, address);
  if (address % kWord != 0) {
    status = Status::kBadAlignment;
  } else if (count == 0 || count % kWord != 0 || count > kMostMemoryBytes) {
    status = Status::kInvalidParameter;
  } else {
    status = read(address, count, out + kWord, client);
  }
  return status == Status::kSuccess ? kWord + count : kWord;
}

Status CommandHandler::writeMemory(const std::uint8_t* body, std::size_t length,
                                   const net::Endpoint& client, Clock::time_point now) {
  if (length <= kWord || length - kWord > kMostMemoryBytes) return Status::kInvalidParameter;
  const std::uint32_t address = wire::load32(body);
  if (address % kWord != 0) return Status::kBadAlignment;
  return write(address, body + kWord, length - kWord, client, now);
}

void CommandHandler::packetResend(const std::uint8_t* body, std::size_t length, bool extended) {
  if (extended) {
    if (length != kExtendedResendBody) return;
    const std::uint64_t block = wire::load64(body + 12);
    if (block == 0 || block > 0xFFFF) return;
    stream_.resend(static_cast<std::uint16_t>(block), wire::load32(body + 4),
                   wire::load32(body + 8));
    return;
  }
  if (length != kResendBody) return;
  const std::uint32_t channelAndBlock = wire::load32(body);
  // The device has stream channel 0 alone, and no block is numbered 0.
  if ((channelAndBlock >> 16) != 0 || (channelAndBlock & 0xFFFF) == 0) return;
  constexpr std::uint32_t kPacketIdMask = 0x00FFFFFF;
  stream_.resend(static_cast<std::uint16_t>(channelAndBlock), wire::load32(body + 4) & kPacketIdMask,
                 wire::load32(body + 8) & kPacketIdMask);
}

Status CommandHandler::read(std::uint32_t address, std::size_t count, std::uint8_t* out,
                            const net::Endpoint& client) {
  if (Bootstrap::contains(address)) {
    if (count > bootstrap::kSize - address) return Status::kInvalidAddress;
    return bootstrap_.read(address, count, out, client);
  }
  if (address >= kXmlBase && address - kXmlBase < xml_.size()) {
    // The last read may run up to the next whole word: it reads as zeros there.
    const std::size_t offset = address - kXmlBase;
    const std::size_t padded = (xml_.size() + kWord - 1) / kWord * kWord;
    if (count > padded - offset) return Status::kInvalidAddress;
    const std::size_t available = std::min(count, xml_.size() - offset);
    std::memcpy(out, xml_.data() + offset, available);
    std::memset(out + available, 0, count - available);
    return Status::kSuccess;
  }
  const Register* reg = registers_.find(address);
  if (reg == nullptr) return Status::kInvalidAddress;
  const std::size_t offset = address - reg->address;
  if (count > reg->length - offset) return Status::kInvalidAddress;
  std::array<std::uint8_t, kMostMemoryBytes> value{};
  if (reg->length > value.size()) return Status::kInvalidAddress;
  const Status status = router_.read(*reg, value.data());
  if (status == Status::kSuccess) std::memcpy(out, value.data() + offset, count);
  return status;
}

Status CommandHandler::write(std::uint32_t address, const std::uint8_t* data, std::size_t count,
                             const net::Endpoint& client, Clock::time_point now) {
  if (!control_.isController(client) && address != bootstrap::kControlPrivilege) {
    return Status::kAccessDenied;
  }
  if (Bootstrap::contains(address)) {
    bool fireTest = false;
    const Status status = bootstrap_.write(address, data, count, client, now, fireTest);
    if (status == Status::kSuccess && address == bootstrap::kControlPrivilege &&
        !control_.held()) {
      stream_.stop();  // the controller left: its stream ends with it
    }
    if (fireTest) stream_.fireTestPacket();
    return status;
  }
  if (address >= kXmlBase && address - kXmlBase < xml_.size()) return Status::kWriteProtect;
  const Register* reg = registers_.find(address);
  if (reg == nullptr) return Status::kInvalidAddress;
  if (reg->address != address) return Status::kInvalidAddress;
  return router_.write(*reg, data, count);
}

}  // namespace brenvik::gev
