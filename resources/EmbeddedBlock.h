// Data blocks carried inside the applet module: the hardware-applet image and the icon.
#pragma once

#include <cstdint>

namespace brenvik::resources {

// A block of bytes described by its size and a pointer to its first byte (in this order).
struct EmbeddedBlock {
  std::uint64_t size;
  const unsigned char* data;
};

extern const EmbeddedBlock hardwareAppletImage;  // the FPGA design and its description
extern const EmbeddedBlock appletIcon;           // a 32 x 32 PNG image

}  // namespace brenvik::resources
