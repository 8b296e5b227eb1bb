// The lookup table computed from offset, gain, gamma and invert, and the whole-table write
// that hands it to the hardware.
#pragma once

#include <array>
#include <cstdint>

#include "parameters/CurrentValues.h"
#include "semantics/SetContext.h"

namespace brenvik::semantics {

using LutTable = std::array<std::uint32_t, parameters::kLutSize>;

// The four processing settings that the table is computed from.
struct ProcessingSettings {
  double offset = 0.0;
  double gain = 1.0;
  double gamma = 1.0;
  std::int32_t invert = 0;  // FG_ON or FG_OFF
};

// Fills `table` from the settings: x = (i / 1023 + offset) × gain, entry =
// trunc(x^(1/gamma) × 1023 + 0.5) for x ≥ 0 and 0 below, inverted (1023 − entry) when asked,
// then clamped to 0 … 1023.
void computeProcessingTable(const ProcessingSettings& settings, LutTable& table);

// Writes the cached table whole (FieldParameterAccess, type 4096); a failing write raises
// the runtime's code.
void writeWholeTable(SetContext& context);

// Recomputes the cached table from the stored processing values and writes it.
void recomputeAndWriteTable(SetContext& context);

}  // namespace brenvik::semantics
