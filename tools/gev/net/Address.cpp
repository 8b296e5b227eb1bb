// Dotted IPv4 addresses, read and written without the system's help (the same on every
// system): four decimal parts of 0 to 255, without leading zeros.
#include <string>

#include "tools/gev/net/UdpSocket.h"

namespace brenvik::gev::net {

namespace {

constexpr int kParts = 4;
constexpr std::uint32_t kLargestPart = 255;
constexpr std::size_t kMostDigits = 3;

}  // namespace

std::optional<std::uint32_t> parseAddress(std::string_view dotted) {
  std::uint32_t address = 0;
  std::size_t at = 0;
  for (int part = 0; part < kParts; ++part) {
    if (part > 0) {
      if (at >= dotted.size() || dotted[at] != '.') return std::nullopt;
      ++at;
    }
    const std::size_t first = at;
    std::uint32_t value = 0;
    while (at < dotted.size() && dotted[at] >= '0' && dotted[at] <= '9' &&
           at - first < kMostDigits) {
      value = value * 10 + static_cast<std::uint32_t>(dotted[at] - '0');
      ++at;
    }
    const std::size_t digits = at - first;
    if (digits == 0 || value > kLargestPart || (digits > 1 && dotted[first] == '0')) {
      return std::nullopt;
    }
    address = (address << 8) | value;
  }
  if (at != dotted.size()) return std::nullopt;
  return address;
}

std::string formatAddress(std::uint32_t address) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (!text.empty()) text.push_back('.');
    text += std::to_string((address >> shift) & kLargestPart);
  }
  return text;
}

}  // namespace brenvik::gev::net
