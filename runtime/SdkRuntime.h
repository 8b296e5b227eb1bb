// The SDK runtime library as the applet calls it: its file name and the signatures of
// the functions that the applet looks up by name when it is created.
#pragma once

#include <cstdint>

namespace brenvik::runtime {

// Base name of the SDK runtime library; the platform layer maps it to the file name.
inline constexpr const char* kSdkRuntimeLibrary = "dravlib5";

// Value type codes of the typed parameter access functions.
enum TypeCode : std::int32_t {
  kTypeUint32 = 2,
  kTypeInt64 = 3,
  kTypeUint64 = 4,
  kTypeDouble = 5,
  kTypeString = 6,
  kTypeStringCopy = 22,
  kTypeField = 4096,
  kTypeLutEntry = 4098,
};

// The structured value form of arrays, passed with type code 4096.
struct FieldParameterAccess {
  std::uint32_t valueType;  // 1 or 2: 32-bit, 3 or 4: 64-bit, 5: double, 4098: LUT entries
  std::uint32_t index;      // first element
  std::uint32_t count;      // number of elements
  void* values;             // count elements of valueType
};

// One lookup-table entry, passed with type code 4098.
struct LutEntry {
  std::uint32_t value;
  std::uint32_t index;
};

extern "C" {
using RuntimeHandle = void*;

using InitHandleSlaveAwareFn = RuntimeHandle (*)(const char* hapName, std::uint64_t board,
                                                 void* hapHandle, std::uint32_t flags);
using InitHandleFn = RuntimeHandle (*)(const char* hapName, std::uint64_t board, void* hapHandle);
using GetParameterIdByNameFn = int (*)(RuntimeHandle, const char* name);
using SetParameterWithTypeFn = int (*)(RuntimeHandle, int id, const void* value,
                                       std::uint32_t dma, int type);
using GetParameterWithTypeFn = int (*)(RuntimeHandle, int id, void* value, std::uint32_t dma,
                                       int type);
using FreeParameterStringWithTypeFn = int (*)(RuntimeHandle, int id, void* value,
                                              std::uint32_t dma, int type);
using SetParameterFn = int (*)(RuntimeHandle, int id, const void* value, std::uint32_t dma);
using GetParameterFn = int (*)(RuntimeHandle, int id, void* value, std::uint32_t dma);
using GetLastErrorNumberFn = int (*)(RuntimeHandle);
using GetParameterInfoFn = const char* (*)(RuntimeHandle, int port);
using SaveConfigFn = int (*)(RuntimeHandle, const char* fileName);
using LoadConfigFn = int (*)(RuntimeHandle, const char* fileName);
using FreeGrabberFn = int (*)(RuntimeHandle);
using GetAppletIdFn = int (*)(RuntimeHandle, std::int64_t ignored);
using GetLastPicNumberExFn = std::int64_t (*)(RuntimeHandle, std::uint32_t dma, void* memory);
using GetLastPicNumberBlockingExFn = std::int64_t (*)(RuntimeHandle, std::int64_t picture,
                                                       std::uint32_t dma, int timeout,
                                                       void* memory);
using GetStatusExFn = std::int64_t (*)(RuntimeHandle, int status, std::int64_t data,
                                        std::uint32_t dma, void* memory);
using AcquireExFn = int (*)(RuntimeHandle, std::uint32_t dma, std::int64_t pictures, int flags,
                            void* memory);
using StopAcquireExFn = int (*)(RuntimeHandle, std::uint32_t dma, void* memory, int flags);
using AcquireFn = int (*)(RuntimeHandle, std::uint32_t dma, std::int64_t pictures);
using StopAcquireFn = int (*)(RuntimeHandle, std::uint32_t dma);
}

}  // namespace brenvik::runtime
