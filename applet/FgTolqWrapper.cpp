// Base implementations of the applet object: runtime binding, last error, shading refusals,
// the XML size protocol, description records by id and the event lookups that ask the
// hardware-applet runtime.
#include "applet/FgTolqWrapper.h"

#include <cstring>

#include "applet/ProcessHandles.h"
#include "description/DescriptionBuilder.h"
#include "description/ParameterInfoBuilderXML.h"
#include "platform/logging/LogMessage.h"
#include "platform/logging/Logging.h"
#include "runtime/HardwareAppletRuntime.h"
#include "runtime/ResultCodes.h"

namespace brenvik {

namespace {
constexpr std::uint32_t kLevelCreationFailed = 5;
constexpr std::uint32_t kLevelRuntimeMissing = 6;
constexpr std::uint32_t kEventLimit = 64;
}  // namespace

FgTolqWrapper::FgTolqWrapper(std::int32_t portCount)
    : binding_(std::make_unique<RuntimeBinding>(portCount)) {}

FgTolqWrapper::~FgTolqWrapper() noexcept(false) = default;

vurn::tools::logging::Logger* FgTolqWrapper::getLogger() {
  if (logger_ == nullptr) {
    logger_ = vurn::tools::logging::Logging::getLogger("vurn.wrapper.FgTolqWrapper");
  }
  return logger_;
}

std::int32_t FgTolqWrapper::loadRuntimeLibrary(const std::string& libraryName) {
  binding_->library = platform::DynamicLibrary::open(libraryName);
  if (!binding_->library) {
    vurn::tools::logging::logMessage(getLogger(), kLevelRuntimeMissing, "error opening dll '",
                                     libraryName, "'");
    return setLastError(codes::kRuntimeMissing);
  }
  auto& table = *binding_->functions;
  for (const auto& entry : RuntimeFunctionTable::entries()) {
    table.set(entry.index, binding_->library->symbol(std::string(entry.name).c_str()));
  }
  binding_->getParameterIdByName =
      binding_->library->function<runtime::GetParameterIdByNameFn>("Fg_getParameterIdByName");
  return codes::kSuccess;
}

std::int32_t FgTolqWrapper::initRuntime(const char* hapName, std::uint64_t boardHandle,
                                        void* hapHandle, std::uint32_t flags) {
  auto& library = *binding_->library;
  binding_->initHandleSlaveAware =
      library.function<runtime::InitHandleSlaveAwareFn>("Fg_InitHandleSlaveAware");
  binding_->initHandle = library.function<runtime::InitHandleFn>("Fg_InitHandle");
  binding_->getLastErrorNumber =
      library.function<runtime::GetLastErrorNumberFn>("Fg_getLastErrorNumber");

  if (binding_->initHandleSlaveAware == nullptr && binding_->initHandle == nullptr) {
    vurn::tools::logging::logMessage(
        getLogger(), kLevelRuntimeMissing,
        "cannot resolve function 'Fg_InitHandle' and/or 'Fg_InitHandleSlaveAware'");
    return setLastError(codes::kRuntimeMissing);
  }
  const bool slaveAware = binding_->initHandleSlaveAware != nullptr;
  binding_->runtimeHandle =
      slaveAware ? binding_->initHandleSlaveAware(hapName, boardHandle, hapHandle, flags)
                 : binding_->initHandle(hapName, boardHandle, hapHandle);
  if (binding_->runtimeHandle != nullptr) {
    recordCreatedHandles(boardHandle, hapHandle);
    return codes::kSuccess;
  }
  vurn::tools::logging::logMessage(
      getLogger(), kLevelCreationFailed, "error calling '",
      slaveAware ? "Fg_InitHandleSlaveAware" : "Fg_InitHandle", "' (hapName = '", hapName, "')");
  std::int32_t result = codes::kInitFailed;
  if (binding_->getLastErrorNumber != nullptr) result = binding_->getLastErrorNumber(nullptr);
  // A runtime that gives no handle but reports no error still failed: an applet without a
  // runtime handle could do nothing but refuse every call.
  if (result == codes::kSuccess) result = codes::kInitFailed;
  return setLastError(result);
}

void FgTolqWrapper::adoptHandles(std::uint64_t boardHandle, void* hapHandle) {
  binding_->boardHandle = boardHandle;
  binding_->hapHandle = hapHandle;
}

std::int32_t FgTolqWrapper::runtimeLastError() const {
  auto getLastError = binding_->functions->function<runtime::GetLastErrorNumberFn>(
      RuntimeFunctionTable::kGetLastErrorNumber);
  if (getLastError == nullptr || binding_->runtimeHandle == nullptr) return codes::kNotAvailable;
  return getLastError(binding_->runtimeHandle);
}

// --- Forwarders ---

int FgTolqWrapper::runtimeParameterId(const char* name) const {
  if (binding_->getParameterIdByName == nullptr) return 0;
  return binding_->getParameterIdByName(binding_->runtimeHandle, name);
}

int FgTolqWrapper::runtimeGetParameter(int id, void* value, unsigned dma, int type) const {
  auto get = binding_->functions->function<runtime::GetParameterWithTypeFn>(
      RuntimeFunctionTable::kGetParameterWithType);
  if (get == nullptr) return codes::kNotAvailable;
  return get(binding_->runtimeHandle, id, value, dma, type);
}

int FgTolqWrapper::runtimeSetParameter(int id, const void* value, unsigned dma, int type) const {
  auto set = binding_->functions->function<runtime::SetParameterWithTypeFn>(
      RuntimeFunctionTable::kSetParameterWithType);
  if (set == nullptr) return codes::kNotAvailable;
  return set(binding_->runtimeHandle, id, value, dma, type);
}

int FgTolqWrapper::runtimeFreeParameterString(int id, void* value, unsigned dma,
                                              int type) const {
  auto release = binding_->functions->function<runtime::FreeParameterStringWithTypeFn>(
      RuntimeFunctionTable::kFreeParameterStringWithType);
  if (release == nullptr) return codes::kNotAvailable;
  return release(binding_->runtimeHandle, id, value, dma, type);
}

const runtime::ParameterRecord* FgTolqWrapper::runtimeParameterInfo() const {
  auto info = binding_->functions->function<runtime::GetParameterInfoFn>(
      RuntimeFunctionTable::kGetParameterInfo);
  if (info == nullptr) return nullptr;
  return reinterpret_cast<const runtime::ParameterRecord*>(info(binding_->runtimeHandle, 0));
}

int FgTolqWrapper::runtimeSaveConfig(const char* fileName) const {
  auto save =
      binding_->functions->function<runtime::SaveConfigFn>(RuntimeFunctionTable::kSaveConfig);
  if (save == nullptr) return codes::kNotAvailable;
  return save(binding_->runtimeHandle, fileName);
}

// --- Parameter description as XML: ask for the size with a null buffer, then fetch ---

int FgTolqWrapper::getParameterInfoXML(AppletHandle*, int port, char* buffer,
                                       std::uint64_t* bufferSize) {
  if (bufferSize == nullptr) return setLastError(codes::kInvalidParameter);
  if (*bufferSize == 0 && buffer != nullptr) return setLastError(codes::kBufferTooSmall);
  if (binding_->descriptions->root(port) == nullptr) return setLastError(codes::kNoDescription);
  const std::string text =
      description::ParameterInfoBuilderXML(*binding_->descriptions, getAppletName(),
                                           static_cast<std::uint32_t>(port))
          .build();
  if (buffer != nullptr) {
    if (text.size() >= *bufferSize) return setLastError(codes::kBufferTooSmall);
    // The text with its terminator, then zeros up to the end of the caller's buffer.
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    std::memset(buffer + text.size() + 1, 0,
                static_cast<std::size_t>(*bufferSize) - text.size() - 1);
  }
  *bufferSize = text.size() + 1;
  return setLastError(codes::kSuccess);
}

// --- Description records, found by parameter id where the set path changes them ---

runtime::ParameterRecord* FgTolqWrapper::descriptionRecord(std::int32_t id) const {
  // SDK ids, which every limit step asks for, without a search.
  if (const std::int32_t ordinal = parameters::sdkOrdinal(id); ordinal >= 0) {
    return sdkRecords_[static_cast<std::size_t>(ordinal)];
  }
  const auto port = descriptionNodes_.find(description::kDescribedPort);
  if (port == descriptionNodes_.end()) return nullptr;
  const auto record = port->second.find(id);
  return record == port->second.end() ? nullptr : record->second;
}

void FgTolqWrapper::indexDescriptionRecords() {
  sdkRecords_.fill(nullptr);
  const auto port = descriptionNodes_.find(description::kDescribedPort);
  if (port == descriptionNodes_.end()) return;
  for (const auto& [id, record] : port->second) {
    if (const std::int32_t ordinal = parameters::sdkOrdinal(id); ordinal >= 0) {
      sdkRecords_[static_cast<std::size_t>(ordinal)] = record;
    }
  }
}

// --- Shading: this applet has none ---

void* FgTolqWrapper::allocShading() { return nullptr; }
int FgTolqWrapper::freeShading(void*) { return codes::kNotSupported; }
int FgTolqWrapper::setSubValueLine(void*, int, int, float) { return codes::kNotSupported; }
int FgTolqWrapper::setMultValueLine(void*, int, int, float) { return codes::kNotSupported; }
int FgTolqWrapper::setFixedPatternNoiseLine(void*, int, int, int) {
  return codes::kNotSupported;
}
int FgTolqWrapper::getMaxLine(void*) { return codes::kNotSupported; }
int FgTolqWrapper::getAccess(void*) { return codes::kNotSupported; }
int FgTolqWrapper::freeAccess(void*) { return codes::kNotSupported; }
int FgTolqWrapper::writeActLine(void*, int) { return codes::kNotSupported; }

// --- Events, asked of the hardware-applet runtime on every call ---

std::uint64_t FgTolqWrapper::getEventMask(const char* name) {
  if (name == nullptr) return 0;
  for (std::uint32_t n = 0; n < kEventLimit; ++n) {
    const MolvrtEventDescriptor* event = Molvrt_EventDescriptor(binding_->hapHandle, n);
    if (event != nullptr && event->name != nullptr && std::strcmp(event->name, name) == 0) {
      return std::uint64_t{1} << n;
    }
  }
  return 0;
}

const char* FgTolqWrapper::getEventName(std::uint64_t mask) {
  for (std::uint32_t n = 0; n < kEventLimit; ++n) {
    const MolvrtEventDescriptor* event = Molvrt_EventDescriptor(binding_->hapHandle, n);
    if (event != nullptr && (std::uint64_t{1} << n) == mask) return event->name;
  }
  return nullptr;
}

}  // namespace brenvik
