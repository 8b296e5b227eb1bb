// The Brenvik applet object: creation-time state, the parameter operations, events and the
// applet's identity texts.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "applet/FgTolqWrapper.h"
#include "applet/ModuleIdentity.h"
#include "platform/locks/CriticalSection.h"

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
  std::int32_t processOfDma(unsigned dma) const;
  [[noreturn]] void refuseSdkParameter(const char* operation, int id, unsigned dma);

  vurn::tools::logging::Logger* logger_ = nullptr;
  vurn::templates::platform::CriticalSection parameterLock_;
  ModuleIdentity identity_;

  // Registry: filled once during creation, read without a lock afterwards.
  std::map<std::string, std::int32_t, std::less<>> parameterIds_;
  std::map<std::int32_t, std::string> parameterOrder_;
  std::map<std::int32_t, std::int32_t> dmaToProcess_;
  std::set<char*> givenStrings_;

  // Events: name to mask and mask to name.
  std::map<std::string, std::uint64_t, std::less<>> eventsByName_;
  std::map<std::uint64_t, std::string> eventsByMask_;
};

}  // namespace brenvik
