// Declarations of the SDK runtime stand-in's exports, as the tests call them directly.
#pragma once

#include <cstdint>

extern "C" {
void* Fg_InitHandleSlaveAware(const char* hapName, std::uint64_t board, void* hapHandle,
                              std::uint32_t flags);
void* Fg_InitHandle(const char* hapName, std::uint64_t board, void* hapHandle);
int Fg_getParameterIdByName(void* runtime, const char* name);
int Fg_setParameterWithType(void* runtime, int id, const void* value, std::uint32_t dma, int type);
int Fg_getParameterWithType(void* runtime, int id, void* value, std::uint32_t dma, int type);
int Fg_freeParameterStringWithType(void* runtime, int id, void* value, std::uint32_t dma, int type);
int Fg_setParameter(void* runtime, int id, const void* value, std::uint32_t dma);
int Fg_getParameter(void* runtime, int id, void* value, std::uint32_t dma);
int Fg_getLastErrorNumber(void* runtime);
const char* Fg_getParameterInfo(void* runtime, int port);
int Fg_saveConfig(void* runtime, const char* fileName);
int Fg_loadConfig(void* runtime, const char* fileName);
int Fg_FreeGrabber(void* runtime);
int Fg_getAppletId(void* runtime, std::int64_t ignored);
std::int64_t Fg_getLastPicNumberEx(void* runtime, std::uint32_t dma, void* memory);
std::int64_t Fg_getLastPicNumberBlockingEx(void* runtime, std::int64_t picture, std::uint32_t dma,
                                           int timeout, void* memory);
std::int64_t Fg_getStatusEx(void* runtime, int status, std::int64_t data, std::uint32_t dma,
                            void* memory);
int Fg_AcquireEx(void* runtime, std::uint32_t dma, std::int64_t pictures, int flags, void* memory);
int Fg_stopAcquireEx(void* runtime, std::uint32_t dma, void* memory, int flags);
int Fg_Acquire(void* runtime, std::uint32_t dma, std::int64_t pictures);
int Fg_stopAcquire(void* runtime, std::uint32_t dma);
}
