// The stream as a client receives it: blocks of leader, payload and trailer packets of the
// negotiated size, resends from the history, test packets, and the end of the stream when
// its controller falls silent.
#include <map>
#include <thread>

#include "GevTestSupport.h"

namespace brenvik::gev::test {
namespace {

using namespace std::chrono_literals;

struct Packet {
  std::uint16_t status = 0;
  std::uint16_t block = 0;
  std::uint8_t format = 0;
  std::uint32_t id = 0;
  std::vector<std::uint8_t> body;
};

class StreamTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    std::string error;
    receiver_ = net::UdpSocket::open({kLoopback, 0}, error);
    ASSERT_TRUE(receiver_) << error;
    control_ = std::make_unique<Client>(bridge().controlEndpoint());
    ASSERT_EQ(control_->takeControl(), Status::kSuccess);
    ASSERT_EQ(control_->writeRegister(bootstrap::kStreamDestination, kLoopback), Status::kSuccess);
    ASSERT_EQ(control_->writeRegister(bootstrap::kStreamPort, receiver_->local().port),
              Status::kSuccess);
    // A small frame, 20 times a second from the trigger generator.
    ASSERT_EQ(control_->writeRegister(addressOf("Width"), kWidth), Status::kSuccess);
    ASSERT_EQ(control_->writeRegister(addressOf("Height"), kHeight), Status::kSuccess);
    applet().setDouble(applet().handle("FG_TRIGGER_FRAMESPERSECOND"), kRate);
  }

  // The next packet within `waitMs`; nothing when none came.
  std::optional<Packet> receive(int waitMs = kAnswerMs) {
    std::vector<std::uint8_t>& buffer = buffer_;
    net::Endpoint from;
    const long got = receiver_->receive(buffer.data(), buffer.size(), from, waitMs);
    if (got < static_cast<long>(gvsp::kHeaderSize)) return std::nullopt;
    Packet packet;
    packet.status = wire::load16(buffer.data());
    packet.block = wire::load16(buffer.data() + 2);
    packet.format = buffer[4];
    packet.id = wire::load32(buffer.data() + 4) & 0x00FFFFFF;
    packet.body.assign(buffer.begin() + gvsp::kHeaderSize, buffer.begin() + got);
    return packet;
  }

  // Drops what came before: packets of earlier acquisitions, of other sizes.
  void drain() {
    while (receive(0)) {
    }
  }

  // The packets of the first block that arrives whole, by packet id.
  std::map<std::uint32_t, Packet> nextBlock() {
    std::map<std::uint16_t, std::map<std::uint32_t, Packet>> blocks;
    while (auto packet = receive()) {
      auto& block = blocks[packet->block];
      block[packet->id] = *packet;
      const auto last = block.rbegin();
      if (block.count(0) != 0 && last->second.format == gvsp::kFormatTrailer &&
          block.size() == last->first + 1) {
        return block;
      }
    }
    ADD_FAILURE() << "no whole block arrived";
    return {};
  }

  void sendResend(std::uint16_t block, std::uint32_t first, std::uint32_t last) {
    std::vector<std::uint8_t> datagram(kHeaderSize + 12);
    datagram[0] = kCommandKey;
    wire::store16(&datagram[2], static_cast<std::uint16_t>(Command::kPacketResend));
    wire::store16(&datagram[4], 12);
    wire::store16(&datagram[6], 1);
    wire::store32(&datagram[8], block);
    wire::store32(&datagram[12], first);
    wire::store32(&datagram[16], last);
    receiver_->send(bridge().controlEndpoint(), datagram.data(), datagram.size());
  }

  static constexpr double kRate = 20;  // the history then spans 200 ms
  static constexpr std::uint32_t kWidth = 1024;
  static constexpr std::uint32_t kHeight = 16;  // a few packets: the client's queue holds them
  std::unique_ptr<Client> control_;
  std::unique_ptr<net::UdpSocket> receiver_;
  std::vector<std::uint8_t> buffer_ = std::vector<std::uint8_t>(gvsp::kMostPacketSize);
};

TEST_F(StreamTest, FramesArriveAsBlocksOfTheNegotiatedPacketSize) {
  for (const std::uint32_t size : {gvsp::kDefaultPacketSize, 8192u}) {
    ASSERT_EQ(control_->writeRegister(bootstrap::kStreamPacketSize, size), Status::kSuccess);
    drain();
    ASSERT_EQ(control_->writeRegister(addressOf("AcquisitionStart"), 1), Status::kSuccess);
    const auto block = nextBlock();
    ASSERT_EQ(control_->writeRegister(addressOf("AcquisitionStop"), 1), Status::kSuccess);
    const std::size_t data = size - gvsp::kOverhead;
    const auto payloads = static_cast<std::uint32_t>((kWidth * kHeight + data - 1) / data);
    ASSERT_EQ(block.size(), payloads + 2) << size;
    const Packet& leader = block.at(0);
    EXPECT_NE(leader.block, 0);
    EXPECT_EQ(leader.format, gvsp::kFormatLeader);
    ASSERT_EQ(leader.body.size(), gvsp::kLeaderSize);
    EXPECT_EQ(wire::load16(&leader.body[2]), gvsp::kPayloadImage);
    EXPECT_EQ(wire::load32(&leader.body[12]), pixel::kMono8);
    EXPECT_EQ(wire::load32(&leader.body[16]), kWidth);
    EXPECT_EQ(wire::load32(&leader.body[20]), kHeight);
    std::size_t bytes = 0;
    for (std::uint32_t id = 1; id <= payloads; ++id) {
      const Packet& packet = block.at(id);
      EXPECT_EQ(packet.block, leader.block);
      EXPECT_EQ(packet.format, gvsp::kFormatPayload);
      if (id < payloads) {
        EXPECT_EQ(packet.body.size(), data);
      }
      bytes += packet.body.size();
    }
    EXPECT_EQ(bytes, kWidth * kHeight);
    const Packet& trailer = block.at(payloads + 1);
    EXPECT_EQ(wire::load32(&trailer.body[4]), kHeight);
  }
}

TEST_F(StreamTest, LostPacketsAreSentAgainWhileTheFrameIsKept) {
  ASSERT_EQ(control_->writeRegister(addressOf("AcquisitionStart"), 1), Status::kSuccess);
  const auto block = nextBlock();
  const std::uint16_t id = block.at(0).block;
  ASSERT_EQ(control_->writeRegister(addressOf("AcquisitionStop"), 1), Status::kSuccess);
  drain();
  // The stopped stream released its frames: their packets are gone.
  sendResend(id, 2, 3);
  auto gone = receive();
  ASSERT_TRUE(gone);
  EXPECT_EQ(gone->status, static_cast<std::uint16_t>(Status::kPacketRemovedFromMemory));
  EXPECT_EQ(gone->id, 2u);

  ASSERT_EQ(control_->writeRegister(addressOf("AcquisitionStart"), 1), Status::kSuccess);
  const auto live = nextBlock();
  const std::uint16_t liveId = live.at(0).block;
  EXPECT_NE(liveId, id);
  sendResend(liveId, 2, 3);
  int resent = 0;
  while (resent < 2) {
    auto packet = receive();
    ASSERT_TRUE(packet);
    if (packet->status == 0) continue;  // the stream goes on meanwhile
    ASSERT_EQ(packet->status, static_cast<std::uint16_t>(Status::kResent));
    EXPECT_EQ(packet->block, liveId);
    EXPECT_EQ(packet->body, live.at(packet->id).body);
    ++resent;
  }
}

TEST_F(StreamTest, StreamingLocksTheFrameAndSingleFrameSendsOne) {
  ASSERT_EQ(control_->writeRegister(addressOf("AcquisitionStart"), 1), Status::kSuccess);
  EXPECT_EQ(control_->writeRegister(addressOf("AcquisitionStart"), 1), Status::kBusy);
  EXPECT_EQ(control_->readValue(addressOf("TLParamsLocked")), 1u);
  EXPECT_EQ(control_->writeRegister(addressOf("Width"), 512), Status::kWriteProtect);
  EXPECT_EQ(control_->writeRegister(addressOf("FG_HEIGHT"), 8), Status::kWriteProtect);
  nextBlock();
  ASSERT_EQ(control_->writeRegister(addressOf("AcquisitionStop"), 1), Status::kSuccess);
  EXPECT_EQ(control_->readValue(addressOf("TLParamsLocked")), 0u);

  ASSERT_EQ(control_->writeRegister(addressOf("AcquisitionMode"), kSingleFrame), Status::kSuccess);
  for (int round = 0; round < 2; ++round) {
    drain();
    ASSERT_EQ(control_->writeRegister(addressOf("AcquisitionStart"), 1), Status::kSuccess);
    const std::uint16_t block = nextBlock().at(0).block;
    // Nothing more comes: the next packet would be another block's.
    while (auto packet = receive(500)) EXPECT_EQ(packet->block, block);
  }
}

TEST_F(StreamTest, TestPacketHasThePacketSize) {
  ASSERT_EQ(control_->writeRegister(bootstrap::kStreamPacketSize,
                                   bootstrap::kFireTestPacket | bootstrap::kDoNotFragment | 4000),
            Status::kSuccess);
  const auto packet = receive();
  ASSERT_TRUE(packet);
  EXPECT_EQ(packet->body.size() + gvsp::kHeaderSize, 4000 - gvsp::kIpUdpSize);
  EXPECT_EQ(control_->readValue(bootstrap::kStreamPacketSize) & bootstrap::kPacketSizeMask, 4000u);
}

TEST_F(StreamTest, StreamEndsWhenItsControllerFallsSilent) {
  ASSERT_EQ(control_->writeRegister(bootstrap::kHeartbeatTimeout, bootstrap::kLeastHeartbeatMs),
            Status::kSuccess);
  ASSERT_EQ(control_->writeRegister(addressOf("AcquisitionStart"), 1), Status::kSuccess);
  ASSERT_TRUE(receive());
  // No command from here on: after the heartbeat time-out the packets stop.
  bool quiet = false;
  for (int tries = 0; !quiet && tries < 100; ++tries) {
    std::this_thread::sleep_for(100ms);
    while (receive(0)) {
    }
    quiet = !applet().acquiring();
  }
  EXPECT_TRUE(quiet);
  EXPECT_FALSE(receive(500));
}

}  // namespace
}  // namespace brenvik::gev::test
