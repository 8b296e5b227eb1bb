// Untyped parameter access: the typed functions with type code 2. They call the exported
// typed functions by name, which -Bsymbolic binds to this library's own definitions even
// when the process exports functions of the same names.
#include <cstdint>

#include "Dravlib5.h"
#include "runtime/SdkRuntime.h"

DRAVLIB5_API int Fg_setParameterWithType(void* runtime, int id, const void* value,
                                         std::uint32_t dma, int type);
DRAVLIB5_API int Fg_getParameterWithType(void* runtime, int id, void* value, std::uint32_t dma,
                                         int type);

DRAVLIB5_API int Fg_setParameter(void* runtime, int id, const void* value, std::uint32_t dma) {
  return Fg_setParameterWithType(runtime, id, value, dma, brenvik::runtime::kTypeUint32);
}

DRAVLIB5_API int Fg_getParameter(void* runtime, int id, void* value, std::uint32_t dma) {
  return Fg_getParameterWithType(runtime, id, value, dma, brenvik::runtime::kTypeUint32);
}
