// The runtime handle's lifetime, last error, identity, parameter information and saved
// configuration.
#include <cstdint>

#include "Dravlib5.h"
#include "simboard/BoardApi.h"

namespace api = brenvik::simboard::api;

DRAVLIB5_API int Fg_FreeGrabber(void* runtime) { return api::freeRuntime(runtime); }

DRAVLIB5_API int Fg_getLastErrorNumber(void* runtime) { return api::lastError(runtime); }

DRAVLIB5_API int Fg_getAppletId(void* runtime, std::int64_t /*ignored*/) {
  return api::appletId(runtime);
}

DRAVLIB5_API const char* Fg_getParameterInfo(void* runtime, int port) {
  return reinterpret_cast<const char*>(api::parameterInfo(runtime, port));
}

DRAVLIB5_API int Fg_saveConfig(void* runtime, const char* fileName) {
  return api::saveConfiguration(runtime, fileName);
}

// Loading a saved configuration is not offered: SIMBOARD_NOT_SUPPORTED.
DRAVLIB5_API int Fg_loadConfig(void* runtime, const char* fileName) {
  return api::loadConfiguration(runtime, fileName);
}
