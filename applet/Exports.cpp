// The exported functions: check the handle, call the applet object or the SDK runtime, and
// keep exceptions inside the module.
#include "applet/Exports.h"

#include <cstring>
#include <type_traits>

#include "applet/Creation.h"
#include "applet/FgTolqWrapper.h"
#include "applet/Info.h"
#include "runtime/ResultCodes.h"

using brenvik::FgTolqWrapper;
using brenvik::RuntimeFunctionTable;
namespace codes = brenvik::codes;
namespace runtime = brenvik::runtime;

namespace {

FgTolqWrapper* appletOf(AppletHandle* handle) {
  if (handle == nullptr || handle->applet == nullptr) return nullptr;
  return static_cast<FgTolqWrapper*>(handle->applet);
}

// Runs an operation on the applet behind a valid handle. An exception that escapes the
// operation is stored as the internal-failure code and answered with `failed`.
template <typename Result, typename Operation>
Result onApplet(AppletHandle* handle, Result invalid, Result failed, Operation&& operation) {
  FgTolqWrapper* applet = appletOf(handle);
  if (applet == nullptr) return invalid;
  try {
    return operation(*applet);
  } catch (...) {
    applet->setLastError(codes::kInternalFailure);
    return failed;
  }
}

template <typename Operation>
int onApplet(AppletHandle* handle, Operation&& operation) {
  return onApplet<int>(handle, codes::kInvalidHandle, codes::kInternalFailure,
                       std::forward<Operation>(operation));
}

// Calls a runtime function with the runtime handle in place of the caller's handle. The last
// error becomes 0, or the runtime's own last error when the result is negative.
template <typename Function, typename... Args>
auto forward(AppletHandle* handle, RuntimeFunctionTable::Index index, Args... args) {
  using Result = std::invoke_result_t<Function, runtime::RuntimeHandle, Args...>;
  return onApplet<Result>(
      handle, Result{codes::kInvalidHandle}, Result{codes::kInternalFailure},
      [&](FgTolqWrapper& applet) -> Result {
        const auto function = applet.functionTable().function<Function>(index);
        if (function == nullptr || applet.runtimeHandle() == nullptr) {
          return applet.setLastError(codes::kNotAvailable);
        }
        const Result result = function(applet.runtimeHandle(), args...);
        applet.setLastError(result >= 0 ? codes::kSuccess : applet.runtimeLastError());
        return result;
      });
}

// Shading operations store their own result as the last error.
template <typename Operation>
int storingResult(AppletHandle* handle, Operation&& operation) {
  return onApplet(handle, [&](FgTolqWrapper& applet) {
    return applet.setLastError(operation(applet));
  });
}

}  // namespace

extern "C" {

void* Std_entry(uint64_t boardHandle, int32_t* errorCode, uint32_t flags) {
  try {
    return brenvik::createApplet(boardHandle, errorCode, flags);
  } catch (...) {
    if (errorCode != nullptr) *errorCode = codes::kInternalFailure;
    return nullptr;
  }
}

int Info(int query, unsigned index1, unsigned index2, void* out1, void* out2) {
  try {
    return brenvik::info::query(query, index1, index2, out1, out2);
  } catch (...) {
    return codes::kInternalFailure;
  }
}

int Fg_setParameterWithType(AppletHandle* handle, int id, const void* value, unsigned dma,
                            int type) {
  return onApplet(handle, [&](FgTolqWrapper& a) {
    return a.setParameterWithType(id, value, dma, type);
  });
}

int Fg_getParameterWithType(AppletHandle* handle, int id, void* value, unsigned dma, int type) {
  return onApplet(handle, [&](FgTolqWrapper& a) {
    if ((type == runtime::kTypeInt64 || type == runtime::kTypeUint64) && value != nullptr) {
      std::memset(value, 0, sizeof(uint64_t));
    }
    return a.getParameterWithType(id, value, dma, type);
  });
}

int Fg_freeParameterStringWithType(AppletHandle* handle, int id, void* value, unsigned dma,
                                   int type) {
  return onApplet(handle, [&](FgTolqWrapper& a) {
    if (type != runtime::kTypeStringCopy) return codes::kWrongStringType;
    return a.freeParameterStringWithType(id, value, dma, type);
  });
}

int Fg_getParameterIdByName(AppletHandle* handle, const char* name) {
  return onApplet(handle, [&](FgTolqWrapper& a) { return a.getParameterIdByName(name); });
}

const char* Fg_getParameterName(AppletHandle* handle, int index) {
  return onApplet<const char*>(handle, nullptr, nullptr,
                               [&](FgTolqWrapper& a) { return a.getParameterName(index); });
}

int Fg_getParameterId(AppletHandle* handle, int index) {
  return onApplet(handle, [&](FgTolqWrapper& a) { return a.getParameterId(index); });
}

int Fg_getNrOfParameter(AppletHandle* handle) {
  return onApplet(handle, [](FgTolqWrapper& a) { return a.getNrOfParameter(); });
}

int Fg_getLastErrorNumber(AppletHandle* handle) {
  return onApplet(handle, [](FgTolqWrapper& a) { return a.getLastError(); });
}

int Fg_saveConfig(AppletHandle* handle, const char* fileName) {
  return onApplet(handle,
                  [&](FgTolqWrapper& a) { return a.saveConfig(a.runtimeHandle(), fileName); });
}

int Fg_loadConfig(AppletHandle* handle, const char* fileName) {
  return onApplet(handle,
                  [&](FgTolqWrapper& a) { return a.loadConfig(a.runtimeHandle(), fileName); });
}

int Fg_getParameterInfoXML(AppletHandle* handle, int port, char* buffer, uint64_t* bufferSize) {
  return onApplet(handle, [&](FgTolqWrapper& a) {
    return a.getParameterInfoXML(handle, port, buffer, bufferSize);
  });
}

const char* Fg_getParameterInfo(AppletHandle* handle, int port) {
  return onApplet<const char*>(handle, nullptr, nullptr, [&](FgTolqWrapper& a) -> const char* {
    if (a.functionTable().get(RuntimeFunctionTable::kGetParameterInfo) == nullptr ||
        a.runtimeHandle() == nullptr) {
      return nullptr;
    }
    return reinterpret_cast<const char*>(a.descriptionTable().root(port));
  });
}

uint64_t Fg_getEventMask(AppletHandle* handle, const char* name) {
  return onApplet<uint64_t>(handle, 0, 0,
                            [&](FgTolqWrapper& a) { return a.getEventMask(name); });
}

const char* Fg_getEventName(AppletHandle* handle, uint64_t mask) {
  return onApplet<const char*>(handle, nullptr, nullptr,
                               [&](FgTolqWrapper& a) { return a.getEventName(mask); });
}

int Fg_getAppletId(AppletHandle* handle, int64_t ignored) {
  return forward<runtime::GetAppletIdFn>(handle, RuntimeFunctionTable::kGetAppletId, ignored);
}

int64_t Fg_getLastPicNumberEx(AppletHandle* handle, unsigned dma, void* memory) {
  return forward<runtime::GetLastPicNumberExFn>(
      handle, RuntimeFunctionTable::kGetLastPicNumberEx, dma, memory);
}

int64_t Fg_getLastPicNumberBlockingEx(AppletHandle* handle, int64_t picture, unsigned dma,
                                      int timeout, void* memory) {
  return forward<runtime::GetLastPicNumberBlockingExFn>(
      handle, RuntimeFunctionTable::kGetLastPicNumberBlockingEx, picture, dma, timeout, memory);
}

int64_t Fg_getStatusEx(AppletHandle* handle, int status, int64_t data, unsigned dma,
                       void* memory) {
  return forward<runtime::GetStatusExFn>(handle, RuntimeFunctionTable::kGetStatusEx, status,
                                         data, dma, memory);
}

int Fg_AcquireEx(AppletHandle* handle, unsigned dma, int64_t pictures, int flags, void* memory) {
  return forward<runtime::AcquireExFn>(handle, RuntimeFunctionTable::kAcquireEx, dma, pictures,
                                       flags, memory);
}

int Fg_stopAcquireEx(AppletHandle* handle, unsigned dma, void* memory, int flags) {
  return forward<runtime::StopAcquireExFn>(handle, RuntimeFunctionTable::kStopAcquireEx, dma,
                                           memory, flags);
}

int Fg_FreeGrabber(AppletHandle* handle) {
  FgTolqWrapper* applet = appletOf(handle);
  if (applet == nullptr) return codes::kInvalidHandle;
  int result = codes::kSuccess;
  const auto freeGrabber = applet->functionTable().function<runtime::FreeGrabberFn>(
      RuntimeFunctionTable::kFreeGrabber);
  if (freeGrabber != nullptr && applet->runtimeHandle() != nullptr) {
    result = freeGrabber(applet->runtimeHandle());
  }
  try {
    delete applet;
  } catch (...) {
    // A lock still held at teardown; the object's storage is released all the same.
  }
  handle->applet = nullptr;
  return result;
}

void* Fg_AllocShading(AppletHandle* handle) {
  return onApplet<void*>(handle, nullptr, nullptr, [](FgTolqWrapper& a) {
    void* shading = a.allocShading();
    a.setLastError(shading != nullptr ? codes::kSuccess : codes::kInternalFailure);
    return shading;
  });
}

int Fg_FreeShading(AppletHandle* handle, void* shading) {
  return storingResult(handle, [&](FgTolqWrapper& a) { return a.freeShading(shading); });
}

int Shad_SetSubValueLine(AppletHandle* handle, void* access, int x, int channel, float value) {
  return storingResult(handle,
                       [&](FgTolqWrapper& a) { return a.setSubValueLine(access, x, channel, value); });
}

int Shad_SetMultValueLine(AppletHandle* handle, void* access, int x, int channel, float value) {
  return storingResult(handle,
                       [&](FgTolqWrapper& a) { return a.setMultValueLine(access, x, channel, value); });
}

int Shad_SetFixedPatternNoiseLine(AppletHandle* handle, void* access, int x, int channel,
                                  int value) {
  return storingResult(handle, [&](FgTolqWrapper& a) {
    return a.setFixedPatternNoiseLine(access, x, channel, value);
  });
}

int Shad_GetMaxLine(AppletHandle* handle, void* access) {
  return storingResult(handle, [&](FgTolqWrapper& a) { return a.getMaxLine(access); });
}

int Shad_GetAccess(AppletHandle* handle, void* shadingObject) {
  return storingResult(handle, [&](FgTolqWrapper& a) { return a.getAccess(shadingObject); });
}

int Shad_FreeAccess(AppletHandle* handle, void* access) {
  return storingResult(handle, [&](FgTolqWrapper& a) { return a.freeAccess(access); });
}

int Shad_WriteActLine(AppletHandle* handle, void* access, int line) {
  return storingResult(handle, [&](FgTolqWrapper& a) { return a.writeActLine(access, line); });
}

}  // extern "C"
