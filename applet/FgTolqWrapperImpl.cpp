// The Brenvik applet object: construction, the id bands of get and set, lookups, events.
#include "applet/FgTolqWrapperImpl.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "applet/ResultCodes.h"
#include "platform/locks/CriticalSectionGuard.h"
#include "platform/logging/LogMessage.h"
#include "platform/logging/Logging.h"
#include "platform/os/Process.h"
#include "runtime/HardwareAppletRuntime.h"

namespace brenvik {

namespace {
constexpr int kDirectParameterBase = 2000000;
constexpr int kDirectRegisterBase = 1000000;
constexpr std::uint32_t kLevelParameterFailure = 4;
constexpr std::uint32_t kWideRegisterBits = 32;
}  // namespace

FgTolqWrapperImpl::FgTolqWrapperImpl(std::int32_t portCount) : FgTolqWrapper(portCount) {
  setDraEnabled(isEnvironmentSwitchOn(platform::environmentValue("VURN_ENABLE_DRA")));
  identity_ = identifyThisModule();
}

FgTolqWrapperImpl::~FgTolqWrapperImpl() {
  for (char* text : givenStrings_) std::free(text);
}

vurn::tools::logging::Logger* FgTolqWrapperImpl::getLogger() {
  if (logger_ == nullptr) logger_ = vurn::tools::logging::Logging::getLogger("vurn.wrapper.Brenvik");
  return logger_;
}

// --- Creation ---

void FgTolqWrapperImpl::completeCreation(std::uint32_t flags) {
  registerParameters();
  bindHardwareParameters();
  buildParameterDescription();
  runCreationDiscovery();
  if ((flags & 1u) == 0) applyDefaults();
}

// The registry, the hardware binding, the description tree, the discovery and the defaults
// are filled in family by family; until a family exists its step has nothing to do.
void FgTolqWrapperImpl::registerParameters() {}
void FgTolqWrapperImpl::bindHardwareParameters() {}
void FgTolqWrapperImpl::buildParameterDescription() {}
void FgTolqWrapperImpl::runCreationDiscovery() {}
void FgTolqWrapperImpl::applyDefaults() {}

// --- Configuration files ---

bool FgTolqWrapperImpl::applyConfiguration(persistence::Fg_ConfigFileParser&) { return false; }
void FgTolqWrapperImpl::storeConfiguration(persistence::Fg_ConfigFileParser&) {}

// --- DMA operations that this applet does not offer ---

int FgTolqWrapperImpl::processChannelToDma(unsigned, unsigned) {
  throw std::runtime_error("processChannelToDma() is not implemented.");
}
int FgTolqWrapperImpl::mapDmaToFormat(unsigned, int) {
  throw std::runtime_error("mapDmaToFormat() is not implemented.");
}
int FgTolqWrapperImpl::setDmaAlignment(unsigned, int) {
  throw std::runtime_error("setDmaAlignment() is not implemented.");
}
int FgTolqWrapperImpl::getDmaAlignment(unsigned) {
  throw std::runtime_error("getDmaAlignment() is not implemented.");
}

// --- Get and set: one lock, then the id band decides where the access goes ---

// Runs one get or set under the parameter lock; a raised code becomes the result, and the
// result becomes the last error.
template <typename Route>
int FgTolqWrapperImpl::underParameterLock(const void* value, Route&& route) {
  if (value == nullptr) return setLastError(codes::kInvalidParameter);
  vurn::templates::platform::CriticalSectionGuard guard(&parameterLock_);
  int result;
  try {
    result = route();
  } catch (const codes::RaisedCode& raised) {
    result = raised.code;
  }
  return setLastError(result);
}

int FgTolqWrapperImpl::getParameterWithType(int id, void* value, unsigned dma, int type) {
  return underParameterLock(value, [&] { return routeGet(id, value, dma, type); });
}

int FgTolqWrapperImpl::setParameterWithType(int id, const void* value, unsigned dma, int type) {
  return underParameterLock(value, [&] { return routeSet(id, value, dma, type); });
}

int FgTolqWrapperImpl::routeGet(int id, void* value, unsigned dma, int type) {
  if (id > kDirectParameterBase) {
    return runtimeGetParameter(id - kDirectParameterBase, value, dma, type);
  }
  if (draEnabled() && id > kDirectRegisterBase) return readRegister(id, value);
  refuseSdkParameter("get", id, dma);
}

int FgTolqWrapperImpl::routeSet(int id, const void* value, unsigned dma, int type) {
  if (id > kDirectParameterBase) {
    return runtimeSetParameter(id - kDirectParameterBase, value, dma, type);
  }
  if (draEnabled() && id > kDirectRegisterBase) return writeRegister(id, value);
  refuseSdkParameter("set", id, dma);
}

int FgTolqWrapperImpl::readRegister(int id, void* value) const {
  const auto registerId = static_cast<std::uint32_t>(id - kDirectRegisterBase);
  std::uint64_t content = 0;
  const std::int32_t result = VurnHw_ReadRegister(boardHandle(), registerId, &content);
  if (result != 0) return result;
  if (Molvrt_RegisterWidth(hapHandle(), registerId) > kWideRegisterBits) {
    std::memcpy(value, &content, sizeof content);
  } else {
    const auto low = static_cast<std::uint32_t>(content);
    std::memcpy(value, &low, sizeof low);
  }
  return codes::kSuccess;
}

int FgTolqWrapperImpl::writeRegister(int id, const void* value) const {
  const auto registerId = static_cast<std::uint32_t>(id - kDirectRegisterBase);
  std::uint64_t content = 0;
  if (Molvrt_RegisterWidth(hapHandle(), registerId) > kWideRegisterBits) {
    std::memcpy(&content, value, sizeof content);
  } else {
    std::uint32_t low = 0;
    std::memcpy(&low, value, sizeof low);
    content = low;
  }
  return VurnHw_WriteRegister(boardHandle(), registerId, content);
}

std::int32_t FgTolqWrapperImpl::processOfDma(unsigned dma) const {
  const auto entry = dmaToProcess_.find(static_cast<std::int32_t>(dma));
  if (entry == dmaToProcess_.end()) codes::raise(codes::kInvalidParameter);
  return entry->second;
}

// An SDK id that no parameter answers: the DMA index is checked first, then the id.
void FgTolqWrapperImpl::refuseSdkParameter(const char* operation, int id, unsigned dma) {
  const std::int32_t process = processOfDma(dma);
  if (process != 0) {
    vurn::tools::logging::logMessage(getLogger(), kLevelParameterFailure, "trying to ",
                                     operation, " SDK parameter '", id, "' on unknown process ",
                                     process, "!");
  } else {
    vurn::tools::logging::logMessage(getLogger(), kLevelParameterFailure, "trying to ",
                                     operation, " unknown SDK parameter '", id,
                                     "' on process 0!");
  }
  codes::raise(codes::kInvalidParameter);
}

int FgTolqWrapperImpl::freeParameterStringWithType(int id, void* value, unsigned dma, int type) {
  if (id > kDirectParameterBase) {
    return setLastError(runtimeFreeParameterString(id - kDirectParameterBase, value, dma, type));
  }
  if (dmaToProcess_.find(static_cast<std::int32_t>(dma)) == dmaToProcess_.end()) {
    return setLastError(codes::kInvalidParameter);
  }
  const auto given = givenStrings_.find(static_cast<char*>(value));
  if (given == givenStrings_.end()) return setLastError(codes::kInvalidParameter);
  std::free(*given);
  givenStrings_.erase(given);
  return codes::kSuccess;
}

// --- Registry lookups ---

int FgTolqWrapperImpl::getParameterIdByName(const char* name) {
  if (name == nullptr || *name == '\0') return setLastError(codes::kInvalidParameter);
  const auto entry = parameterIds_.find(std::string_view(name));
  if (entry == parameterIds_.end()) return setLastError(codes::kInvalidParameter);
  setLastError(codes::kSuccess);
  return entry->second;
}

const char* FgTolqWrapperImpl::getParameterName(int index) {
  const auto entry = parameterOrder_.find(index);
  if (entry == parameterOrder_.end()) {
    setLastError(codes::kInvalidParameter);
    return nullptr;
  }
  setLastError(codes::kSuccess);
  return entry->second.c_str();
}

int FgTolqWrapperImpl::getParameterId(int index) {
  const auto name = parameterOrder_.find(index);
  if (name == parameterOrder_.end()) return setLastError(codes::kInvalidParameter);
  const auto id = parameterIds_.find(name->second);
  if (id == parameterIds_.end()) return setLastError(codes::kInvalidParameter);
  setLastError(codes::kSuccess);
  return id->second;
}

int FgTolqWrapperImpl::getNrOfParameter() { return static_cast<int>(parameterOrder_.size()); }

// --- Events ---

std::uint64_t FgTolqWrapperImpl::getEventMask(const char* name) {
  if (name != nullptr) {
    const auto entry = eventsByName_.find(std::string_view(name));
    if (entry != eventsByName_.end()) {
      setLastError(codes::kSuccess);
      return entry->second;
    }
  }
  setLastError(codes::kInvalidParameter);
  return 0;
}

const char* FgTolqWrapperImpl::getEventName(std::uint64_t mask) {
  const auto entry = eventsByMask_.find(mask);
  if (entry == eventsByMask_.end()) {
    setLastError(codes::kInvalidParameter);
    return nullptr;
  }
  setLastError(codes::kSuccess);
  return entry->second.c_str();
}

}  // namespace brenvik
