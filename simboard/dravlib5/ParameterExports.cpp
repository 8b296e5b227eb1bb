// Typed parameter access of the runtime.
#include <cstdint>

#include "Dravlib5.h"
#include "simboard/BoardApi.h"

namespace api = brenvik::simboard::api;

DRAVLIB5_API int Fg_getParameterIdByName(void* runtime, const char* name) {
  return api::parameterId(runtime, name);
}

DRAVLIB5_API int Fg_setParameterWithType(void* runtime, int id, const void* value,
                                         std::uint32_t dma, int type) {
  return api::setParameter(runtime, id, value, dma, type);
}

DRAVLIB5_API int Fg_getParameterWithType(void* runtime, int id, void* value, std::uint32_t dma,
                                         int type) {
  return api::getParameter(runtime, id, value, dma, type);
}

DRAVLIB5_API int Fg_freeParameterStringWithType(void* runtime, int id, void* value,
                                                std::uint32_t dma, int type) {
  return api::freeParameterString(runtime, id, value, dma, type);
}
