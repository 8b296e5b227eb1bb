// The output format: the table of the output-format block's inputs that creation discovers,
// the bit-shift arithmetic, and the setters of FG_FORMAT, FG_BITALIGNMENT and
// FG_CUSTOM_BIT_SHIFT_RIGHT.
#pragma once

#include <array>
#include <cstdint>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::runtime {
class AppletServices;
}

namespace brenvik::semantics {

// One input of the output-format block: the pixel format it delivers and, when it has one,
// the hardware id of the switch that turns its converter off (1) or on (0).
struct OutputFormatInput {
  std::uint32_t format = 0;  // FG_GRAY, FG_GRAY10, ...
  std::uint32_t bits = 0;    // bits per pixel
  bool hasConvert = false;
  std::uint32_t convertId = 0;  // 0 when there is no switch
};

// Filled once at creation; read by the FG_FORMAT setter. The input count is one decimal
// digit, so the table has room for ten inputs.
struct OutputFormatTable {
  static constexpr std::size_t kCapacity = 10;
  std::int32_t count = 0;    // inputs discovered completely
  std::int32_t maxBits = 0;  // the pipeline's bit width
  std::array<OutputFormatInput, kCapacity> entries{};
};

// Reads the output-format block's description from the hardware applet. False when a read
// fails or a text is not one the applet knows: discovery stops there and the inputs read
// completely so far stay in the table.
bool discoverOutputFormats(const runtime::AppletServices& services, OutputFormatTable& table);

// Bits per pixel of an output format code; an unknown code raises -2031.
std::uint32_t bitsOfFormat(std::uint32_t format);

// The right shift that moves `bits` pixel bits out of a `maxBits` pipeline for an alignment
// (FG_RIGHT_ALIGNED, FG_LEFT_ALIGNED or FG_CUSTOM_BIT_SHIFT_MODE with `customShift`). A custom
// shift outside 0 to maxBits - 1 raises -6000, an unknown alignment -2031.
std::int32_t outputShift(std::int32_t alignment, std::uint32_t customShift, std::uint32_t bits,
                         std::int32_t maxBits);

// Setters (value, reportErrors).
void setFormat(SetContext& context, std::uint32_t format, bool reportErrors);
void setBitAlignment(SetContext& context, std::int32_t alignment, bool reportErrors);
void setCustomBitShiftRight(SetContext& context, std::uint32_t shift, bool reportErrors);

inline constexpr std::array kOutputFormatParameters{
    writable<&setFormat>("FG_FORMAT"),
    writable<&setBitAlignment>("FG_BITALIGNMENT"),
    writable<&setCustomBitShiftRight>("FG_CUSTOM_BIT_SHIFT_RIGHT"),
};

}  // namespace brenvik::semantics
