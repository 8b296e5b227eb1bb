// The control protocol against a running bridge, byte by byte: discovery, the XML, the
// statuses for bad commands, privilege and heartbeat, and writes taken to the applet.
#include <bit>
#include <cstdio>
#include <string>
#include <thread>

#include "GevTestSupport.h"

namespace brenvik::gev::test {
namespace {

using namespace std::chrono_literals;

std::string text(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t size) {
  std::string out(bytes.begin() + static_cast<long>(from),
                  bytes.begin() + static_cast<long>(from + size));
  return out.substr(0, out.find('\0'));
}

TEST_F(BridgeTest, DiscoveryTellsWhoAndWhereTheDeviceIs) {
  Client c = client();
  std::vector<std::uint8_t> discovery = c.command(Command::kDiscovery, {});
  wire::store16(&discovery[6], 0xFFFF);
  const Ack ack = c.exchange(discovery);
  ASSERT_TRUE(ack.answered);
  EXPECT_EQ(ack.code, acknowledgeOf(Command::kDiscovery));
  EXPECT_EQ(ack.id, 0xFFFF);
  ASSERT_EQ(ack.body.size(), bootstrap::kDiscoverySize);
  EXPECT_EQ(wire::load32(&ack.body[bootstrap::kCurrentIpAddress]), kLoopback);
  EXPECT_EQ(text(ack.body, bootstrap::kManufacturerName, bootstrap::kNameSize), "Orvane");
  EXPECT_EQ(text(ack.body, bootstrap::kModelName, bootstrap::kNameSize), "Brenvik");
  EXPECT_EQ(text(ack.body, bootstrap::kSerialNumber, bootstrap::kSerialSize),
            "SB" + std::to_string(applet().board().number()));
}

TEST_F(BridgeTest, XmlIsReadInChunksFromWhereTheUrlSays) {
  Client c = client();
  const Ack url = c.readMemory(bootstrap::kFirstUrl, bootstrap::kUrlSize);
  ASSERT_EQ(url.statusCode(), Status::kSuccess);
  char name[64] = {};
  unsigned address = 0, length = 0;
  ASSERT_EQ(std::sscanf(text(url.body, kWord, bootstrap::kUrlSize).c_str(),
                        "Local:%63[^;];%x;%x", name, &address, &length),
            3);
  EXPECT_STREQ(name, "Brenvik.xml");
  ASSERT_EQ(length, bridge().xml().size());
  std::string xml;
  for (unsigned at = 0; at < length; at += 512) {
    const unsigned count = std::min(512u, (length - at + 3) / 4 * 4);
    const Ack chunk = c.readMemory(address + at, count);
    ASSERT_EQ(chunk.statusCode(), Status::kSuccess) << at;
    ASSERT_EQ(chunk.body.size(), kWord + count);
    xml.append(chunk.body.begin() + kWord, chunk.body.end());
  }
  xml.resize(length);
  EXPECT_EQ(xml, bridge().xml());
  // Past the last whole word of the document there is nothing.
  EXPECT_EQ(c.readMemory(address + (length + 3) / 4 * 4, 4).statusCode(), Status::kInvalidAddress);
}

TEST_F(BridgeTest, BadAddressesAndSizesGetTheirStatus) {
  Client c = client();
  const std::uint32_t width = addressOf("Width");
  EXPECT_EQ(c.readMemory(width + 2, 4).statusCode(), Status::kBadAlignment);
  EXPECT_EQ(c.readRegister(width + 1).statusCode(), Status::kBadAlignment);
  EXPECT_EQ(c.readMemory(width, 0).statusCode(), Status::kInvalidParameter);
  EXPECT_EQ(c.readMemory(width, 6).statusCode(), Status::kInvalidParameter);
  EXPECT_EQ(c.readMemory(bootstrap::kFirstUrl, 540).statusCode(), Status::kInvalidParameter);
  EXPECT_EQ(c.readMemory(width, 8).statusCode(), Status::kInvalidAddress);  // runs past it
  EXPECT_EQ(c.readRegister(0x00050000).statusCode(), Status::kInvalidAddress);
  EXPECT_EQ(c.readRegister(0xFFFFFFFC).statusCode(), Status::kInvalidAddress);
  EXPECT_EQ(c.readMemory(bootstrap::kSize - 4, 8).statusCode(), Status::kInvalidAddress);
  EXPECT_EQ(c.readValue(width), 1024u);
}

TEST_F(BridgeTest, MalformedDatagramsAreRefusedOrIgnored) {
  Client c = client();
  const auto read = c.command(Command::kReadRegister, {addressOf("Width")});
  // Too short to answer, or not a command at all: silence.
  EXPECT_FALSE(c.exchange({0x42, 0x01, 0x00}, 300).answered);
  auto wrongKey = read;
  wrongKey[0] = 0x43;
  EXPECT_FALSE(c.exchange(wrongKey, 300).answered);
  auto noAck = read;
  noAck[1] = 0;
  EXPECT_FALSE(c.exchange(noAck, 300).answered);
  // A length field beyond the datagram, or in broken words.
  auto truncated = read;
  truncated.resize(truncated.size() - 2);
  Ack ack = c.exchange(truncated);
  EXPECT_EQ(ack.statusCode(), Status::kInvalidParameter);
  EXPECT_EQ(ack.code, acknowledgeOf(Command::kReadRegister));
  auto ragged = c.command(Command::kReadMemory, {0x200, 4});
  wire::store16(&ragged[4], 6);
  EXPECT_EQ(c.exchange(ragged).statusCode(), Status::kInvalidParameter);
  // Larger than any command: cut at the largest, so its length field overruns.
  std::vector<std::uint32_t> many(600, 0x200);
  EXPECT_EQ(c.exchange(c.command(Command::kReadRegister, many)).statusCode(),
            Status::kInvalidParameter);
  ack = c.exchange(c.command(static_cast<Command>(0x0090), {}));
  EXPECT_EQ(ack.statusCode(), Status::kNotImplemented);
  EXPECT_EQ(ack.code, 0x0091);
  EXPECT_EQ(c.readValue(addressOf("Width")), 1024u);  // still serving
}

TEST_F(BridgeTest, OneClientControlsAtATime) {
  Client first = client();
  Client second = client();
  const std::uint32_t width = addressOf("Width");
  EXPECT_EQ(first.writeRegister(width, 512), Status::kAccessDenied);  // nobody took control
  ASSERT_EQ(first.takeControl(), Status::kSuccess);
  EXPECT_EQ(first.readValue(bootstrap::kControlPrivilege), bootstrap::kPrivilegeControl);
  EXPECT_EQ(second.takeControl(), Status::kAccessDenied);
  EXPECT_EQ(second.writeRegister(width, 512), Status::kAccessDenied);
  EXPECT_EQ(second.readValue(bootstrap::kControlPrivilege), 0u);
  EXPECT_EQ(second.readValue(width), 1024u);  // reads are for everyone
  ASSERT_EQ(first.writeRegister(bootstrap::kControlPrivilege, 0), Status::kSuccess);
  EXPECT_EQ(second.takeControl(), Status::kSuccess);
  EXPECT_EQ(second.writeRegister(width, 512), Status::kSuccess);
}

TEST_F(BridgeTest, SilentControllerLosesControlAfterItsHeartbeat) {
  Client first = client();
  Client second = client();
  ASSERT_EQ(first.takeControl(), Status::kSuccess);
  EXPECT_EQ(first.writeRegister(bootstrap::kHeartbeatTimeout, 100), Status::kInvalidParameter);
  ASSERT_EQ(first.writeRegister(bootstrap::kHeartbeatTimeout, bootstrap::kLeastHeartbeatMs),
            Status::kSuccess);
  Status taken = second.takeControl();
  for (int tries = 0; taken != Status::kSuccess && tries < 100; ++tries) {
    std::this_thread::sleep_for(100ms);
    taken = second.takeControl();
  }
  ASSERT_EQ(taken, Status::kSuccess);
  EXPECT_EQ(first.readValue(bootstrap::kControlPrivilege), 0u);
  EXPECT_EQ(first.writeRegister(addressOf("Width"), 512), Status::kAccessDenied);
}

TEST_F(BridgeTest, RefusedWritesLeaveTheAppletAsItWas) {
  Client c = client();
  ASSERT_EQ(c.takeControl(), Status::kSuccess);
  const ParameterHandle width = applet().handle("FG_WIDTH");
  EXPECT_EQ(c.writeRegister(addressOf("Width"), 13), Status::kInvalidParameter);
  EXPECT_EQ(applet().getInteger(width), 1024);
  EXPECT_EQ(c.writeRegister(addressOf("Width"), 512), Status::kSuccess);
  EXPECT_EQ(applet().getInteger(width), 512);
  EXPECT_EQ(c.readValue(addressOf("FG_WIDTH")), 512u);
  // Read-only features, the description and the bootstrap's fixed registers.
  EXPECT_EQ(c.writeRegister(addressOf("PayloadSize"), 1), Status::kWriteProtect);
  EXPECT_EQ(c.writeMemory(kXmlBase, {0}), Status::kWriteProtect);
  EXPECT_EQ(c.writeMemory(bootstrap::kManufacturerName, {0}), Status::kWriteProtect);
  EXPECT_EQ(c.writeRegister(0x00050000, 1), Status::kInvalidAddress);
  EXPECT_EQ(c.writeRegister(bootstrap::kStreamPacketSize, 1401), Status::kInvalidParameter);
  EXPECT_EQ(c.writeMemory(addressOf("FG_PROCESSING_GAMMA"), {0}), Status::kInvalidParameter);
}

TEST_F(BridgeTest, StandardFeaturesGoThroughTheApplet) {
  Client c = client();
  ASSERT_EQ(c.takeControl(), Status::kSuccess);
  EXPECT_EQ(c.writeRegister(addressOf("PixelFormat"), pixel::kMono16), Status::kSuccess);
  EXPECT_EQ(applet().getInteger(applet().handle("FG_FORMAT")),
            parameters::enumUnsigned("FG_GRAY16"));
  EXPECT_EQ(c.readValue(addressOf("PayloadSize")), 1024u * 1024u * 2u);
  EXPECT_EQ(c.writeRegister(addressOf("PixelFormat"), 0x01080002), Status::kInvalidParameter);

  const ParameterHandle mode = applet().handle("FG_AREATRIGGERMODE");
  ASSERT_EQ(c.writeRegister(addressOf("TriggerMode"), kTriggerOn), Status::kSuccess);
  EXPECT_EQ(applet().getInteger(mode), parameters::enumUnsigned("ATM_SOFTWARE"));
  ASSERT_EQ(c.writeRegister(addressOf("TriggerSource"), kSourceLine0), Status::kSuccess);
  EXPECT_EQ(applet().getInteger(mode), parameters::enumUnsigned("ATM_EXTERNAL"));
  ASSERT_EQ(c.writeRegister(addressOf("TriggerMode"), kTriggerOff), Status::kSuccess);
  EXPECT_EQ(applet().getInteger(mode), parameters::enumUnsigned("ATM_GENERATOR"));
  EXPECT_EQ(c.readValue(addressOf("TriggerSource")), kSourceLine0);
  EXPECT_EQ(c.writeRegister(addressOf("TriggerMode"), 7), Status::kInvalidParameter);

  // The frame rate is the trigger generator's with the camera port, the simulator's else.
  const auto rate = [](double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    return std::vector<std::uint32_t>{static_cast<std::uint32_t>(bits >> 32),
                                      static_cast<std::uint32_t>(bits)};
  };
  ASSERT_EQ(c.writeMemory(addressOf("AcquisitionFrameRate"), rate(50.0)), Status::kSuccess);
  EXPECT_DOUBLE_EQ(applet().getDouble(applet().handle("FG_TRIGGER_FRAMESPERSECOND")), 50.0);
  applet().setInteger(applet().handle("FG_CAMERASIMULATOR_ENABLE"),
                      parameters::enumUnsigned("FG_CAMERASIMULATOR"));
  ASSERT_EQ(c.writeMemory(addressOf("AcquisitionFrameRate"), rate(20.0)), Status::kSuccess);
  EXPECT_NEAR(applet().getDouble(applet().handle("FG_CAMERASIMULATOR_FRAMERATE")), 20.0, 0.1);
  const Ack read = c.readMemory(addressOf("AcquisitionFrameRate"), 8);
  ASSERT_EQ(read.statusCode(), Status::kSuccess);
  EXPECT_NEAR(std::bit_cast<double>(wire::load64(&read.body[kWord])), 20.0, 0.1);

  // The software trigger outside software trigger mode is the applet's refusal.
  EXPECT_EQ(c.writeRegister(addressOf("TriggerSoftware"), 1), Status::kInvalidParameter);
}

}  // namespace
}  // namespace brenvik::gev::test
