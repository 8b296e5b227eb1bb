// The Brenvik applet object: creation-time state, the parameter operations, events and the
// applet's identity texts.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "applet/EventTables.h"
#include "applet/FgTolqWrapper.h"
#include "applet/ModuleIdentity.h"
#include "debug/DebugPoints.h"
#include "parameters/CurrentValues.h"
#include "parameters/GetPath.h"
#include "parameters/HardwareBinding.h"
#include "parameters/ParameterRegistry.h"
#include "parameters/SettingsStore.h"
#include "parameters/StringHandout.h"
#include "platform/locks/CriticalSection.h"
#include "semantics/OutputFormat.h"
#include "semantics/SetContext.h"

namespace brenvik {

class FgTolqWrapperImpl final : public FgTolqWrapper {
 public:
  explicit FgTolqWrapperImpl(std::int32_t portCount);
  ~FgTolqWrapperImpl() override;

  vurn::tools::logging::Logger* getLogger() override;
  bool applyConfiguration(persistence::Fg_ConfigFileParser& parser) override;
  void storeConfiguration(persistence::Fg_ConfigFileParser& parser) override;
  int processChannelToDma(unsigned process, unsigned channel) override;
  int mapDmaToFormat(unsigned dma, int format) override;
  int setDmaAlignment(unsigned dma, int alignment) override;
  int getDmaAlignment(unsigned dma) override;
  void buildParameterDescription() override;
  int setParameterWithType(int id, const void* value, unsigned dma, int type) override;
  int getParameterWithType(int id, void* value, unsigned dma, int type) override;
  int freeParameterStringWithType(int id, void* value, unsigned dma, int type) override;
  int getParameterIdByName(const char* name) override;
  const char* getParameterName(int index) override;
  int getParameterId(int index) override;
  int getNrOfParameter() override;
  // Renders under the parameter lock, so that no set rewrites a limit halfway through.
  int getParameterInfoXML(AppletHandle* handle, int port, char* buffer,
                          std::uint64_t* bufferSize) override;
  std::uint64_t getEventMask(const char* name) override;
  const char* getEventName(std::uint64_t mask) override;
  const char* getVendorName() override { return "Orvane GmbH"; }
  const char* getAppletName() override { return "Brenvik"; }
  const char* getAppletVersion() override { return "1.8"; }
  int getLoadAppletId() override { return 0; }

  // Creation steps after the runtime is initialised, in their order; none of them can fail
  // the creation. Bit 0 of the flags skips writing the parameter defaults.
  void completeCreation(std::uint32_t flags);

  const ModuleIdentity& identity() const { return identity_; }
  const parameters::SettingsStore& settings() const { return settings_; }

  // The registry, complete once creation has registered the parameters.
  const parameters::ParameterRegistry& registry() const { return registry_; }
  const std::map<std::string, std::int32_t, std::less<>>& dtolqaParameterIds() const {
    return registry_.dtolqaParameterIds();
  }

  // The parameter state that the setters keep and the get path reads, the bound hardware
  // parameters and the debug points.
  parameters::CurrentValues& currentValues() { return values_; }
  const parameters::HardwareBinding& hardware() const { return hardware_; }
  const debug::DebugPoints& debugPoints() const { return debugPoints_; }
  const semantics::OutputFormatTable& outputFormats() const { return outputFormats_; }

  // What the setters work on; the configuration loader calls them with it directly.
  semantics::SetContext& setContext() { return setContext_; }

 private:
  void registerParameters();
  void bindHardwareParameters();
  void runCreationDiscovery();
  void applyDefaults();

  template <typename Route>
  int underParameterLock(const void* value, Route&& route);
  int routeGet(int id, void* value, unsigned dma, int type);
  int routeSet(int id, const void* value, unsigned dma, int type);
  int readRegister(int id, void* value) const;
  int writeRegister(int id, const void* value) const;

  vurn::tools::logging::Logger* logger_ = nullptr;
  vurn::templates::platform::CriticalSection parameterLock_;
  parameters::SettingsStore settings_{true, true};
  ModuleIdentity identity_;

  // Registry and parameter state. The registry, the binding, the debug points and the
  // output formats are filled once during creation and read without a lock afterwards; the
  // values and the handed-out strings change under parameterLock_.
  parameters::ParameterRegistry registry_;
  parameters::HardwareBinding hardware_{services()};
  parameters::CurrentValues values_;
  debug::DebugPoints debugPoints_{services()};
  parameters::StringHandout strings_;
  semantics::OutputFormatTable outputFormats_;
  parameters::GetContext getContext_{services(), registry_,     hardware_, values_,
                                     debugPoints_, strings_};
  semantics::SetContext setContext_{services(), registry_,      hardware_,
                                    values_,    outputFormats_, debugPoints_};

  // Events: name to mask and mask to name.
  EventTables events_;
};

}  // namespace brenvik
