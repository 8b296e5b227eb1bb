// The board's C++ interface for the three stand-in libraries (dravlib5, molvrt, vurn_hw).
// Each of them is a thin C layer over these functions; the applet never sees them. No
// function throws; failures are the result codes of control.h.
#pragma once

#include <cstdint>

#include "runtime/HardwareAppletRuntime.h"
#include "runtime/ParameterRecord.h"
#include "simboard/control.h"

#define SIMBOARD_CXX_API BRENVIK_EXPORT

namespace brenvik::simboard::api {

// --- Hardware-applet images (molvrt). Handles are opaque; unknown ones give 0 or null.
// Opens a design from memory or from a file; null on failure (see simboard_last_design_error).
SIMBOARD_CXX_API void* openDesignImage(const void* image, std::uint64_t size) noexcept;
SIMBOARD_CXX_API void* openDesignFile(const char* path) noexcept;
// Releases the handle's reference to the design; null and unknown handles are ignored.
SIMBOARD_CXX_API void closeDesign(void* design) noexcept;
SIMBOARD_CXX_API std::int32_t registerCount(void* design) noexcept;
SIMBOARD_CXX_API const char* registerName(void* design, std::int32_t number) noexcept;  // 1 … count
SIMBOARD_CXX_API std::uint32_t registerId(void* design, const char* name) noexcept;  // 0: unknown
SIMBOARD_CXX_API std::uint32_t registerWidth(void* design,
                                             std::uint32_t id) noexcept;  // 0: unknown
SIMBOARD_CXX_API std::int32_t registerWritable(void* design, std::uint32_t id) noexcept;  // 1 or 0
// Descriptor of event n (valid while the handle is open), null past the last event.
SIMBOARD_CXX_API const MolvrtEventDescriptor* eventDescriptor(void* design,
                                                              std::uint32_t number) noexcept;

// --- Registers of the design loaded on a board (vurn_hw).
SIMBOARD_CXX_API std::int32_t writeRegister(std::uint64_t board, std::uint32_t id,
                                            std::uint64_t value) noexcept;
SIMBOARD_CXX_API std::int32_t readRegister(std::uint64_t board, std::uint32_t id,
                                           std::uint64_t* value) noexcept;

// --- Runtime handles (dravlib5). Every call checks the handle: null or freed handles give
// SIMBOARD_INVALID_HANDLE. Each call's result becomes the handle's last error.
// Loads the design of an open design handle onto the board and returns a runtime handle;
// null with the process-wide last init error set (SIMBOARD_INIT_FAILED) on failure.
SIMBOARD_CXX_API void* initRuntime(std::uint64_t board, void* design) noexcept;
// Records an initialisation that failed outside the board (the init-fails runtime variant):
// the last init error becomes `code`.
SIMBOARD_CXX_API void recordInitFailure(std::int32_t code) noexcept;
SIMBOARD_CXX_API std::int32_t freeRuntime(void* runtime) noexcept;
// The handle's last error; for a null handle the last error of a failed initialisation.
SIMBOARD_CXX_API std::int32_t lastError(void* runtime) noexcept;
// Id of a hardware parameter or of one of the runtime's own parameters, 0 when unknown.
SIMBOARD_CXX_API std::int32_t parameterId(void* runtime, const char* name) noexcept;
SIMBOARD_CXX_API std::int32_t setParameter(void* runtime, std::int32_t id, const void* value,
                                           std::uint32_t dma, std::int32_t type) noexcept;
SIMBOARD_CXX_API std::int32_t getParameter(void* runtime, std::int32_t id, void* value,
                                           std::uint32_t dma, std::int32_t type) noexcept;
// Releases a string handed out with type code 22 (any other code: SIMBOARD_WRONG_TYPE).
SIMBOARD_CXX_API std::int32_t freeParameterString(void* runtime, std::int32_t id, void* value,
                                                  std::uint32_t dma, std::int32_t type) noexcept;
// Newest root of the parameter-information tree for port 0; null for other ports.
SIMBOARD_CXX_API const runtime::ParameterRecord* parameterInfo(void* runtime,
                                                               std::int32_t port) noexcept;
SIMBOARD_CXX_API std::int32_t saveConfiguration(void* runtime, const char* path) noexcept;
SIMBOARD_CXX_API std::int32_t loadConfiguration(void* runtime, const char* path) noexcept;
SIMBOARD_CXX_API std::int32_t appletId(void* runtime) noexcept;
// `memory` is a buffer set of simboard_buffers_alloc; null or freed: SIMBOARD_NO_BUFFERS.
SIMBOARD_CXX_API std::int32_t startAcquisition(void* runtime, std::uint32_t dma,
                                               std::int64_t pictures, void* memory) noexcept;
SIMBOARD_CXX_API std::int32_t stopAcquisition(void* runtime, std::uint32_t dma) noexcept;
SIMBOARD_CXX_API std::int64_t lastPicture(void* runtime, std::uint32_t dma) noexcept;
SIMBOARD_CXX_API std::int64_t waitForPicture(void* runtime, std::int64_t picture, std::uint32_t dma,
                                             int timeoutSeconds) noexcept;
SIMBOARD_CXX_API std::int64_t acquisitionStatus(void* runtime, int selector, std::int64_t data,
                                                std::uint32_t dma) noexcept;

}  // namespace brenvik::simboard::api
