// The Brenvik applet object: construction, registration, binding and discovery at creation,
// the id bands of get and set, string release, lookups, events.
#include "applet/FgTolqWrapperImpl.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "description/DescriptionBuilder.h"
#include "platform/locks/CriticalSectionGuard.h"
#include "platform/logging/Logging.h"
#include "platform/os/Process.h"
#include "runtime/HardwareAppletRuntime.h"
#include "runtime/ResultCodes.h"
#include "semantics/DefaultPass.h"
#include "semantics/SetPath.h"

namespace brenvik {

namespace {

using parameters::kDirectParameterBase;
using parameters::kDirectRegisterBase;
constexpr std::uint32_t kWideRegisterBits = 32;

// The ids of the SDK runtime's own parameters whose strings the runtime releases itself.
constexpr std::array<std::int32_t, 7> kRuntimeReleasedIds{601, 3050, 3060, 3070, 3080, 3090,
                                                          5210};

// Registration asks the SDK runtime and the hardware-applet runtime of this object.
class RuntimeRegistrationSource final : public parameters::RegistrationSource {
 public:
  explicit RuntimeRegistrationSource(const FgTolqWrapper& applet) : applet_(applet) {}
  const runtime::ParameterRecord* runtimeParameterTree() override {
    return applet_.runtimeParameterInfo();
  }
  std::int32_t runtimeParameterId(const std::string& name) override {
    return applet_.runtimeParameterId(name.c_str());
  }
  std::int32_t registerCount() override { return Molvrt_RegisterCount(applet_.hapHandle()); }
  const char* registerName(std::int32_t number) override {
    return Molvrt_RegisterName(applet_.hapHandle(), number);
  }
  std::uint32_t registerId(const char* name) override {
    return Molvrt_RegisterId(applet_.hapHandle(), name);
  }

 private:
  const FgTolqWrapper& applet_;
};

}  // namespace

FgTolqWrapperImpl::FgTolqWrapperImpl(std::int32_t portCount) : FgTolqWrapper(portCount) {
  setDraEnabled(isEnvironmentSwitchOn(platform::environmentValue("VURN_ENABLE_DRA")));
  identity_ = identifyThisModule();
  // The settings file lies beside the module; a missing one is normal.
  if (!identity_.settingsFile.empty()) settings_.load(identity_.settingsFile, true, true);
}

FgTolqWrapperImpl::~FgTolqWrapperImpl() = default;

vurn::tools::logging::Logger* FgTolqWrapperImpl::getLogger() {
  if (logger_ == nullptr) {
    logger_ = vurn::tools::logging::Logging::getLogger("vurn.wrapper.Brenvik");
  }
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

// The SDK parameters, the direct-access entries and the event tables.
void FgTolqWrapperImpl::registerParameters() {
  RuntimeRegistrationSource source(*this);
  registry_.registerParameters(
      source, settings_,
      {identity_.appletName, draEnabled(),
       isEnvironmentSwitchOn(platform::environmentValue("VURN_ENABLE_DTOLQA"))});
  events_.build(
      [this](std::uint32_t number) { return Molvrt_EventDescriptor(hapHandle(), number); },
      getLogger());
}

void FgTolqWrapperImpl::bindHardwareParameters() { hardware_.bind(getLogger()); }

// Port 0's description. The runtime's own tree is asked for only when there are direct
// hardware-parameter entries to copy from it.
void FgTolqWrapperImpl::buildParameterDescription() {
  const description::DirectParameterIds& direct = dtolqaParameterIds();
  description::buildPortDescription({descriptionTable(), descriptionNodes_, draEnabled(),
                                     hapHandle(), direct.empty() ? nullptr : runtimeParameterInfo(),
                                     direct});
  indexDescriptionRecords();
}

// The creation-time preparation is one step: the debug points come first, then the
// output-format table, then the preparation of the other families; a failure of any part
// ends the rest, silently.
void FgTolqWrapperImpl::runCreationDiscovery() {
  if (!debugPoints_.discover()) return;
  if (!semantics::discoverOutputFormats(services(), outputFormats_)) return;
  semantics::prepareFamilies(setContext_);
}

// Every parameter's initial value, written through its setter with errors dropped.
void FgTolqWrapperImpl::applyDefaults() { semantics::applyDefaults(setContext_); }

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

// The id band decides: a direct hardware parameter, a direct register, or an SDK parameter.
inline int FgTolqWrapperImpl::routeGet(int id, void* value, unsigned dma, int type) {
  if (id > kDirectParameterBase) {
    return runtimeGetParameter(id - kDirectParameterBase, value, dma, type);
  }
  if (draEnabled() && id > kDirectRegisterBase) return readRegister(id, value);
  parameters::getSdkParameter(getContext_, id, value, dma, type);
  return codes::kSuccess;
}

inline int FgTolqWrapperImpl::routeSet(int id, const void* value, unsigned dma, int type) {
  if (id > kDirectParameterBase) {
    return runtimeSetParameter(id - kDirectParameterBase, value, dma, type);
  }
  if (draEnabled() && id > kDirectRegisterBase) return writeRegister(id, value);
  semantics::setSdkParameter(setContext_, id, value, dma, type);
  return codes::kSuccess;
}

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

int FgTolqWrapperImpl::getParameterInfoXML(AppletHandle* handle, int port, char* buffer,
                                           std::uint64_t* bufferSize) {
  vurn::templates::platform::CriticalSectionGuard guard(&parameterLock_);
  return FgTolqWrapper::getParameterInfoXML(handle, port, buffer, bufferSize);
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

// Strings of the direct band and of the runtime's own parameters go back to the runtime;
// every other string must be one that a get of this object handed out.
int FgTolqWrapperImpl::freeParameterStringWithType(int id, void* value, unsigned dma, int type) {
  if (id > kDirectParameterBase) {
    return setLastError(runtimeFreeParameterString(id - kDirectParameterBase, value, dma, type));
  }
  const std::int32_t* process = registry_.processOf(dma);
  if (process == nullptr) return setLastError(codes::kInvalidParameter);
  if (*process == 0 && std::find(kRuntimeReleasedIds.begin(), kRuntimeReleasedIds.end(), id) !=
                           kRuntimeReleasedIds.end()) {
    return runtimeFreeParameterString(id, value, dma, type);
  }
  if (!strings_.release(value)) return setLastError(codes::kInvalidParameter);
  return codes::kSuccess;
}

// --- Registry lookups ---

// "DTOLQA_" names are listed by ordinal but not found by name: they are not SDK ids.
int FgTolqWrapperImpl::getParameterIdByName(const char* name) {
  if (name == nullptr || *name == '\0') return setLastError(codes::kInvalidParameter);
  const std::int32_t* id = registry_.idOf(name);
  if (id == nullptr) return setLastError(codes::kInvalidParameter);
  setLastError(codes::kSuccess);
  return *id;
}

const char* FgTolqWrapperImpl::getParameterName(int index) {
  const std::string* name = registry_.nameAt(index);
  if (name == nullptr) {
    setLastError(codes::kInvalidParameter);
    return nullptr;
  }
  setLastError(codes::kSuccess);
  return name->c_str();
}

int FgTolqWrapperImpl::getParameterId(int index) {
  const std::string* name = registry_.nameAt(index);
  const std::int32_t* id = name == nullptr ? nullptr : registry_.idOf(*name);
  if (id == nullptr) return setLastError(codes::kInvalidParameter);
  setLastError(codes::kSuccess);
  return *id;
}

int FgTolqWrapperImpl::getNrOfParameter() { return registry_.count(); }

// --- Events ---

std::uint64_t FgTolqWrapperImpl::getEventMask(const char* name) {
  const std::uint64_t* mask = name == nullptr ? nullptr : events_.maskOf(name);
  if (mask == nullptr) {
    setLastError(codes::kInvalidParameter);
    return 0;
  }
  setLastError(codes::kSuccess);
  return *mask;
}

const char* FgTolqWrapperImpl::getEventName(std::uint64_t mask) {
  const char* name = events_.nameOf(mask);
  setLastError(name == nullptr ? codes::kInvalidParameter : codes::kSuccess);
  return name;
}

}  // namespace brenvik
