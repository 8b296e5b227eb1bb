// What the control channel asks of the stream: start and stop it, resend packets, send a test
// packet. The bridge's streamer answers; tests put a recorder in its place.
#pragma once

#include <cstdint>

#include "tools/gev/Protocol.h"

namespace brenvik::gev {

class StreamHooks {
 public:
  virtual ~StreamHooks() = default;
  // Starts the acquisition and the stream: until stopped, or for one frame.
  virtual Status start(bool singleFrame) = 0;
  virtual void stop() = 0;
  virtual bool streaming() const = 0;
  // Sends packets `first` to `last` of block `block` again (or says they are gone).
  virtual void resend(std::uint16_t block, std::uint32_t first, std::uint32_t last) = 0;
  // Sends one datagram of the packet size, not fragmented, to the stream's destination.
  virtual void fireTestPacket() = 0;
};

}  // namespace brenvik::gev
