// The output-source table: what each source code of an output selector writes to the
// hardware (select value and invert), and the codes the general-purpose outputs remember.
#pragma once

#include <cstdint>

#include "parameters/Enumerations.h"

namespace brenvik::semantics::trigger {

// A run of consecutive codes with consecutive select values and one invert flag.
struct OutputSourceRange {
  std::uint32_t firstCode;
  std::uint32_t count;
  std::uint32_t firstSelect;
  std::uint32_t invert;
};

using parameters::enumUnsigned;

inline constexpr OutputSourceRange kOutputSources[] = {
    {enumUnsigned("PULSEGEN0"), 4, 0, 0},
    {enumUnsigned("CAM_A_PULSEGEN0"), 4, 0, 0},
    {enumUnsigned("NOT_PULSEGEN0"), 4, 0, 1},
    {enumUnsigned("CAM_A_NOT_PULSEGEN0"), 4, 0, 1},
    {enumUnsigned("GND"), 1, 20, 0},
    {enumUnsigned("VCC"), 1, 20, 1},
    {enumUnsigned("BYPASS_GPI_0"), 8, 8, 0},
    {enumUnsigned("NOT_BYPASS_GPI_0"), 8, 8, 1},
    {enumUnsigned("BYPASS_FRONT_GPI_0"), 4, 16, 0},
    {enumUnsigned("NOT_BYPASS_FRONT_GPI_0"), 4, 16, 1},
};

// The general-purpose outputs remember the pulse generators by their camera's names; both
// name the same hardware source.
struct SourceRemap {
  std::uint32_t from;
  std::uint32_t count;
  std::uint32_t to;
};

inline constexpr SourceRemap kCameraSourceRemaps[] = {
    {enumUnsigned("PULSEGEN0"), 4, enumUnsigned("CAM_A_PULSEGEN0")},
    {enumUnsigned("NOT_PULSEGEN0"), 4, enumUnsigned("CAM_A_NOT_PULSEGEN0")},
};

struct OutputSource {
  std::uint32_t select;
  std::uint32_t invert;
};

// The hardware values of a code; a code outside the table raises -6000.
OutputSource outputSource(std::uint32_t code);

// The code a general-purpose output remembers for `code`.
std::uint32_t cameraSource(std::uint32_t code);

}  // namespace brenvik::semantics::trigger
