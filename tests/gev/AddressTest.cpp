// Dotted IPv4 addresses as the bridge reads them from its users (--listen) and writes them in
// its messages: the same on every system.
#include <gtest/gtest.h>

#include "tools/gev/net/UdpSocket.h"

namespace brenvik::gev::net {
namespace {

TEST(Address, ReadsFourDecimalPartsAndWritesThemBack) {
  EXPECT_EQ(parseAddress("127.0.0.1"), 0x7F000001u);
  EXPECT_EQ(parseAddress("0.0.0.0"), 0u);
  EXPECT_EQ(parseAddress("255.255.255.255"), 0xFFFFFFFFu);
  EXPECT_EQ(parseAddress("10.200.3.45"), 0x0AC8032Du);
  for (const char* text : {"127.0.0.1", "0.0.0.0", "255.255.255.255", "10.200.3.45"}) {
    EXPECT_EQ(formatAddress(*parseAddress(text)), text);
  }
}

TEST(Address, RefusesWhatIsNoDottedAddress) {
  for (const char* text :
       {"", "1.2.3", "1.2.3.4.5", "256.0.0.1", "1.2.3.999", "1234.1.1.1", "01.2.3.4", "1..2.3",
        ".1.2.3", "1.2.3.", "1.2.3.4 ", " 1.2.3.4", "a.b.c.d", "1.2.3.-4", "localhost", "::1"}) {
    EXPECT_FALSE(parseAddress(text)) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace brenvik::gev::net
