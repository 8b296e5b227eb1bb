// The register library stand-in: register reads and writes on a board, as a thin layer
// over the board library. Failures are the board's result codes: SIMBOARD_NO_DESIGN for a
// board without a design or an unknown register id, SIMBOARD_READ_ONLY for a write to a
// read-only register, SIMBOARD_INVALID_PARAMETER for a null result pointer.
#include "runtime/HardwareAppletRuntime.h"
#include "simboard/BoardApi.h"

namespace api = brenvik::simboard::api;

extern "C" {

VURN_HW_API std::int32_t VurnHw_WriteRegister(std::uint64_t board, std::uint32_t id,
                                              std::uint64_t value) {
  return api::writeRegister(board, id, value);
}

VURN_HW_API std::int32_t VurnHw_ReadRegister(std::uint64_t board, std::uint32_t id,
                                             std::uint64_t* value) {
  return api::readRegister(board, id, value);
}

}  // extern "C"
