// The applet object's record of the loaded SDK runtime: library, handles, function table
// and the per-port parameter descriptions.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "applet/RuntimeFunctionTable.h"
#include "description/ParameterDescriptionTree.h"
#include "platform/os/DynamicLibrary.h"
#include "runtime/SdkRuntime.h"

namespace brenvik {

struct RuntimeBinding {
  explicit RuntimeBinding(std::int32_t portCount);
  // Unloads the SDK runtime library, then closes the hardware-applet handle, then releases
  // the function table and the descriptions, in this order.
  ~RuntimeBinding();
  RuntimeBinding(const RuntimeBinding&) = delete;
  RuntimeBinding& operator=(const RuntimeBinding&) = delete;

  std::unique_ptr<RuntimeFunctionTable> functions;
  runtime::RuntimeHandle runtimeHandle = nullptr;
  std::uint64_t boardHandle = 0;
  void* hapHandle = nullptr;
  std::unique_ptr<platform::DynamicLibrary> library;
  runtime::InitHandleSlaveAwareFn initHandleSlaveAware = nullptr;
  runtime::InitHandleFn initHandle = nullptr;
  runtime::GetParameterIdByNameFn getParameterIdByName = nullptr;
  runtime::GetLastErrorNumberFn getLastErrorNumber = nullptr;
  std::unique_ptr<description::ParameterDescriptionTree> descriptions;
  // Written by every operation, read from any thread: one value per object.
  std::atomic<std::int32_t> lastError{0};
};

}  // namespace brenvik
