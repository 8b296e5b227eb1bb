// Sending frames as blocks of stream packets. Packet 0 is the leader, 1..N carry the pixels
// (packet size − 36 bytes each but the last), N + 1 is the trailer. The pixels are sent from
// the frame's own buffer: each datagram gathers its header and a slice of the frame.
#include "tools/gev/Streamer.h"

#include <algorithm>
#include <chrono>

#include "parameters/Enumerations.h"
#include "tools/gev/Features.h"
#include "tools/gev/Wire.h"

namespace brenvik::gev {

namespace {

constexpr std::int64_t kActive = parameters::enumUnsigned("TS_ACTIVE");
constexpr std::int64_t kSyncStop = parameters::enumUnsigned("TS_SYNC_STOP");
// How long one wait for a frame lasts before the thread looks whether it is to stop.
constexpr std::chrono::milliseconds kWait(200);
// Error packets sent for one resend request of a block that is gone, at most.
constexpr std::uint32_t kMostErrorPackets = 16;
// Leader, payload or trailer header, with the largest body after it that a header carries.
constexpr std::size_t kHeaderRoom = gvsp::kHeaderSize + gvsp::kLeaderSize;

std::uint64_t nowNanoseconds() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

void header(std::uint8_t* at, std::uint16_t status, std::uint16_t block, std::uint8_t format,
            std::uint32_t packet) {
  wire::store16(at, status);
  wire::store16(at + 2, block);
  wire::store32(at + 4, (std::uint32_t{format} << 24) | (packet & 0x00FFFFFF));
}

}  // namespace

Streamer::Streamer(Applet& applet, net::UdpSocket& socket, StreamSettings& settings)
    : applet_(applet),
      socket_(socket),
      settings_(settings),
      triggerState_(applet.handle("FG_TRIGGERSTATE")),
      xOffset_(applet.handle("FG_XOFFSET")),
      yOffset_(applet.handle("FG_YOFFSET")),
      format_(applet.handle("FG_FORMAT")),
      width_(applet.handle("FG_WIDTH")),
      height_(applet.handle("FG_HEIGHT")) {}

Streamer::~Streamer() { stop(); }

Status Streamer::start(bool singleFrame) {
  if (running_) return Status::kBusy;
  stop();  // a single frame's stream that ended by itself: its thread and acquisition
  try {
    const FormatCode* format = formatByOutput(applet_.getInteger(format_));
    pixelFormat_ = format != nullptr ? format->code : pixel::kMono8;
    offsetX_ = static_cast<std::uint32_t>(applet_.getInteger(xOffset_));
    offsetY_ = static_cast<std::uint32_t>(applet_.getInteger(yOffset_));
    const auto frameBytes = static_cast<std::size_t>(
        applet_.getInteger(width_) * applet_.getInteger(height_) *
        static_cast<std::int64_t>(pixel::bitsPerPixel(pixelFormat_) / 8));
    historyFrames_ = std::clamp(kHistoryBytes / std::max<std::size_t>(frameBytes, 1),
                                kLeastHistoryFrames, kMostHistoryFrames);
    // The camera port's camera sends at the trigger unit's pulses while it is active.
    applet_.setInteger(triggerState_, kActive);
    try {
      applet_.start(static_cast<std::uint32_t>(historyFrames_) + kSpareBuffers,
                    singleFrame ? 1 : kUntilStopped);
    } catch (const Error&) {
      applet_.setInteger(triggerState_, kSyncStop);
      throw;
    }
  } catch (const Error& error) {
    return error.category() == ErrorCategory::kInvalidState ? Status::kBusy
                                                            : Status::kInvalidParameter;
  }
  stopping_ = false;
  running_ = true;
  thread_ = std::thread([this, singleFrame] { run(singleFrame); });
  return Status::kSuccess;
}

void Streamer::joinThread() {
  if (!thread_.joinable()) return;
  // The thread's wait asks stopping_ every few milliseconds. (A cancel would outlive a wait
  // that already ended and end the next acquisition's first wait.)
  stopping_ = true;
  thread_.join();
}

void Streamer::stop() {
  const bool wasStarted = thread_.joinable();
  joinThread();
  if (wasStarted) {
    try {
      applet_.stop();
      applet_.setInteger(triggerState_, kSyncStop);
    } catch (const Error&) {  // a closed applet has nothing left to stop
    }
  }
  std::deque<Block> released;
  {
    std::lock_guard guard(historyLock_);
    released.swap(history_);
  }
}

void Streamer::run(bool singleFrame) {
  while (!stopping_) {
    Block block;
    try {
      block.frame = applet_.next(kWait, [this] { return stopping_.load(); });
    } catch (const Error& error) {
      if (error.category() == ErrorCategory::kTimeout) continue;
      break;  // stopped, or the acquisition ended
    }
    lastBlock_ = static_cast<std::uint16_t>(lastBlock_ == 0xFFFF ? 1 : lastBlock_ + 1);
    block.id = lastBlock_;
    block.packetSize = settings_.packetSize.load() & bootstrap::kPacketSizeMask;
    block.timestamp = nowNanoseconds();
    // Kept before it is sent, so that a resend asked for at once finds it.
    send(keep(std::move(block)));
    ++framesSent_;
    if (singleFrame) break;
  }
  running_ = false;
}

net::Endpoint Streamer::destination() const {
  return {settings_.destination.load(),
          static_cast<std::uint16_t>(settings_.port.load() & bootstrap::kPacketSizeMask)};
}

std::uint32_t Streamer::packetCount(const Block& block) const {
  const std::size_t data = block.packetSize - gvsp::kOverhead;
  return static_cast<std::uint32_t>((block.frame.bytes() + data - 1) / data);
}

std::size_t Streamer::build(const Block& block, std::uint32_t first, std::uint32_t last,
                            std::uint16_t status, Packets& packets) const {
  const std::uint32_t count = last - first + 1;
  packets.headers.resize(std::size_t{count} * kHeaderRoom);
  packets.datagrams.resize(count);
  const std::uint32_t payloadPackets = packetCount(block);
  const std::size_t data = block.packetSize - gvsp::kOverhead;
  const auto* pixels = static_cast<const std::uint8_t*>(block.frame.pixels());
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t id = first + i;
    std::uint8_t* at = packets.headers.data() + std::size_t{i} * kHeaderRoom;
    net::Datagram& datagram = packets.datagrams[i];
    datagram = {at, gvsp::kHeaderSize, nullptr, 0};
    if (id == 0) {
      header(at, status, block.id, gvsp::kFormatLeader, id);
      std::uint8_t* body = at + gvsp::kHeaderSize;
      wire::store16(body, 0);
      wire::store16(body + 2, gvsp::kPayloadImage);
      wire::store64(body + 4, block.timestamp);
      wire::store32(body + 12, pixelFormat_);
      wire::store32(body + 16, block.frame.width());
      wire::store32(body + 20, block.frame.height());
      wire::store32(body + 24, offsetX_);
      wire::store32(body + 28, offsetY_);
      wire::store32(body + 32, 0);  // no padding
      datagram.headSize += gvsp::kLeaderSize;
    } else if (id <= payloadPackets) {
      header(at, status, block.id, gvsp::kFormatPayload, id);
      const std::size_t offset = std::size_t{id - 1} * data;
      datagram.body = pixels + offset;
      datagram.bodySize = std::min(data, block.frame.bytes() - offset);
    } else {
      header(at, status, block.id, gvsp::kFormatTrailer, id);
      std::uint8_t* body = at + gvsp::kHeaderSize;
      wire::store16(body, 0);
      wire::store16(body + 2, gvsp::kPayloadImage);
      wire::store32(body + 4, block.frame.height());
      datagram.headSize += gvsp::kTrailerSize;
    }
  }
  return count;
}

void Streamer::send(const Block& block) {
  const net::Endpoint to = destination();
  if (to.port == 0 || to.address == 0) return;  // no stream channel open: nowhere to send
  const std::size_t count = build(block, 0, packetCount(block) + 1, 0, sending_);
  socket_.sendBatch(to, sending_.datagrams.data(), count);
}

const Streamer::Block& Streamer::keep(Block block) {
  Block oldest;  // released after the lock
  std::lock_guard guard(historyLock_);
  if (history_.size() >= historyFrames_) {
    oldest = std::move(history_.front());
    history_.pop_front();
  }
  // Only this thread removes blocks while it runs, so the block stays where it is.
  return history_.emplace_back(std::move(block));
}

void Streamer::resend(std::uint16_t id, std::uint32_t first, std::uint32_t last) {
  const net::Endpoint to = destination();
  if (to.port == 0 || last < first) return;
  std::lock_guard guard(historyLock_);
  for (const Block& block : history_) {
    if (block.id != id) continue;
    const std::uint32_t trailer = packetCount(block) + 1;
    if (first > trailer) return;
    const std::size_t count =
        build(block, first, std::min(last, trailer), static_cast<std::uint16_t>(Status::kResent),
              resending_);
    socket_.sendBatch(to, resending_.datagrams.data(), count);
    return;
  }
  // Gone from the history: say so for each packet asked for, so that the client stops asking.
  const std::uint32_t count = std::min(last - first + 1, kMostErrorPackets);
  resending_.headers.resize(std::size_t{count} * kHeaderRoom);
  resending_.datagrams.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint8_t* at = resending_.headers.data() + std::size_t{i} * kHeaderRoom;
    header(at, static_cast<std::uint16_t>(Status::kPacketRemovedFromMemory), id,
           gvsp::kFormatPayload, first + i);
    resending_.datagrams[i] = {at, gvsp::kHeaderSize, nullptr, 0};
  }
  socket_.sendBatch(to, resending_.datagrams.data(), count);
}

void Streamer::fireTestPacket() {
  const net::Endpoint to = destination();
  const std::uint32_t size = settings_.packetSize.load() & bootstrap::kPacketSizeMask;
  if (to.port == 0 || size <= gvsp::kIpUdpSize) return;
  const std::vector<std::uint8_t> test(size - gvsp::kIpUdpSize, 0);
  socket_.send(to, test.data(), test.size());
}

}  // namespace brenvik::gev
