// Every export of the applet module that the client library calls, resolved once when the
// module is loaded, in one table.
#pragma once

#include <memory>
#include <string>

#include "applet/Exports.h"
#include "platform/os/DynamicLibrary.h"

namespace brenvik::detail {

// The exports by name, each once.
#define BRENVIK_HOST_EXPORTS(X)     \
  X(Std_entry)                      \
  X(Info)                           \
  X(Fg_setParameterWithType)        \
  X(Fg_getParameterWithType)        \
  X(Fg_freeParameterStringWithType) \
  X(Fg_getParameterIdByName)        \
  X(Fg_getParameterName)            \
  X(Fg_getParameterId)              \
  X(Fg_getNrOfParameter)            \
  X(Fg_getLastErrorNumber)          \
  X(Fg_saveConfig)                  \
  X(Fg_loadConfig)                  \
  X(Fg_getParameterInfoXML)         \
  X(Fg_getParameterInfo)            \
  X(Fg_getEventMask)                \
  X(Fg_getEventName)                \
  X(Fg_getLastPicNumberBlockingEx)  \
  X(Fg_getStatusEx)                 \
  X(Fg_AcquireEx)                   \
  X(Fg_stopAcquireEx)               \
  X(Fg_FreeGrabber)

struct ExportTable {
#define BRENVIK_HOST_EXPORT_FIELD(name) decltype(&::name) name = nullptr;
  BRENVIK_HOST_EXPORTS(BRENVIK_HOST_EXPORT_FIELD)
#undef BRENVIK_HOST_EXPORT_FIELD
};

// Resolves every export of the table; the name of the first one missing, or empty.
std::string resolveExports(const platform::DynamicLibrary& library, ExportTable& table);

// The loaded module: the library, the runtime loaded ahead of it (if any) and the table.
struct ModuleCore {
  std::unique_ptr<platform::DynamicLibrary> runtime;  // loaded before the module
  std::unique_ptr<platform::DynamicLibrary> library;
  ExportTable exports;
  std::string path;
};

}  // namespace brenvik::detail
