// Acquisition on the board's DMA channel 0. Memory arguments and flags are accepted and
// not used: the simulated board delivers picture numbers, not image data.
#include <cstdint>

#include "Dravlib5.h"
#include "simboard/BoardApi.h"

namespace api = brenvik::simboard::api;

DRAVLIB5_API int Fg_AcquireEx(void* runtime, std::uint32_t dma, std::int64_t pictures,
                              int /*flags*/, void* memory) {
  return api::startAcquisition(runtime, dma, pictures, memory);
}

DRAVLIB5_API int Fg_stopAcquireEx(void* runtime, std::uint32_t dma, void* /*memory*/,
                                  int /*flags*/) {
  return api::stopAcquisition(runtime, dma);
}

// Without a memory argument there are no buffers to fill: SIMBOARD_NO_BUFFERS.
DRAVLIB5_API int Fg_Acquire(void* runtime, std::uint32_t dma, std::int64_t pictures) {
  return api::startAcquisition(runtime, dma, pictures, nullptr);
}

DRAVLIB5_API int Fg_stopAcquire(void* runtime, std::uint32_t dma) {
  return api::stopAcquisition(runtime, dma);
}

DRAVLIB5_API std::int64_t Fg_getLastPicNumberEx(void* runtime, std::uint32_t dma,
                                                void* /*memory*/) {
  return api::lastPicture(runtime, dma);
}

// Waits up to `timeout` seconds; returns the number of the last delivered picture once it
// reaches `picture`, else SIMBOARD_TIMEOUT.
DRAVLIB5_API std::int64_t Fg_getLastPicNumberBlockingEx(void* runtime, std::int64_t picture,
                                                        std::uint32_t dma, int timeout,
                                                        void* /*memory*/) {
  return api::waitForPicture(runtime, picture, dma, timeout);
}

// Selectors: SIMBOARD_STATUS_* of control.h.
DRAVLIB5_API std::int64_t Fg_getStatusEx(void* runtime, int status, std::int64_t data,
                                         std::uint32_t dma, void* /*memory*/) {
  return api::acquisitionStatus(runtime, status, data, dma);
}
