// Initialising the runtime on a board: loads the design of a hardware-applet handle onto
// the board. Built twice: normally, and with DRAVLIB5_INIT_FAILS for the runtime variant
// whose initialisation always fails with SIMBOARD_INIT_FAILED (-2022).
#include <cstdint>

#include "Dravlib5.h"
#include "simboard/BoardApi.h"

namespace api = brenvik::simboard::api;

namespace {

void* initialise(std::uint64_t board, void* hapHandle) {
#ifdef DRAVLIB5_INIT_FAILS
  (void)board;
  (void)hapHandle;
  api::recordInitFailure(SIMBOARD_INIT_FAILED);
  return nullptr;
#else
  return api::initRuntime(board, hapHandle);
#endif
}

}  // namespace

// The name of the hardware-applet file and the flags do not matter to the simulated board:
// the design comes from the hardware-applet handle.
DRAVLIB5_API void* Fg_InitHandleSlaveAware(const char* /*hapName*/, std::uint64_t board,
                                           void* hapHandle, std::uint32_t /*flags*/) {
  return initialise(board, hapHandle);
}

DRAVLIB5_API void* Fg_InitHandle(const char* /*hapName*/, std::uint64_t board, void* hapHandle) {
  return initialise(board, hapHandle);
}
