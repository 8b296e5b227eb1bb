// The stream: a thread that takes the board's frames as they come (paced by the board) and
// sends each as a block of packets (leader, payload, trailer) to the address and port the
// client set, keeping the last frames held in their DMA buffers so that lost packets can be
// sent again.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "brenvik/Applet.h"
#include "tools/gev/Bootstrap.h"
#include "tools/gev/StreamHooks.h"
#include "tools/gev/net/UdpSocket.h"

namespace brenvik::gev {

// Frames kept for resends: as many as fit in kHistoryBytes, within these bounds. The
// acquisition has kSpareBuffers DMA buffers more than that for new pictures.
inline constexpr std::size_t kHistoryBytes = 64 << 20;
inline constexpr std::size_t kLeastHistoryFrames = 2;
inline constexpr std::size_t kMostHistoryFrames = 8;
inline constexpr std::uint32_t kSpareBuffers = 8;

class Streamer final : public StreamHooks {
 public:
  // `socket` sends from the device's address.
  Streamer(Applet& applet, net::UdpSocket& socket, StreamSettings& settings);
  ~Streamer() override;
  Streamer(const Streamer&) = delete;
  Streamer& operator=(const Streamer&) = delete;

  Status start(bool singleFrame) override;
  void stop() override;
  bool streaming() const override { return running_.load(); }
  void resend(std::uint16_t block, std::uint32_t first, std::uint32_t last) override;
  void fireTestPacket() override;

  std::uint64_t framesSent() const { return framesSent_.load(); }

 private:
  // A frame sent, held for resends.
  struct Block {
    std::uint16_t id = 0;
    Frame frame;
    std::uint32_t packetSize = 0;
    std::uint64_t timestamp = 0;
  };
  // Headers of one block's packets, reused from frame to frame.
  struct Packets {
    std::vector<std::uint8_t> headers;
    std::vector<net::Datagram> datagrams;
  };

  void run(bool singleFrame);
  void send(const Block& block);
  // Builds packets `first` to `last` of `block` into `packets`; how many.
  std::size_t build(const Block& block, std::uint32_t first, std::uint32_t last,
                    std::uint16_t status, Packets& packets) const;
  std::uint32_t packetCount(const Block& block) const;
  net::Endpoint destination() const;
  const Block& keep(Block block);
  void joinThread();

  Applet& applet_;
  net::UdpSocket& socket_;
  StreamSettings& settings_;
  ParameterHandle triggerState_, xOffset_, yOffset_, format_, width_, height_;
  std::uint32_t pixelFormat_ = 0, offsetX_ = 0, offsetY_ = 0;

  std::thread thread_;
  std::atomic<bool> running_{false};
  std::atomic<bool> stopping_{false};
  std::atomic<std::uint64_t> framesSent_{0};
  std::uint16_t lastBlock_ = 0;  // block ids go on across acquisitions
  Packets sending_;              // the streaming thread's

  std::mutex historyLock_;  // guards history_ and resending_
  std::size_t historyFrames_ = kLeastHistoryFrames;  // set when a stream starts
  std::deque<Block> history_;
  Packets resending_;
};

}  // namespace brenvik::gev
