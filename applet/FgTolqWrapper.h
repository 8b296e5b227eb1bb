// The abstract applet object behind the exports: its virtual operations in their fixed
// order, the runtime binding it owns, and the helpers every parameter family uses.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "applet/Exports.h"
#include "applet/RuntimeBinding.h"
#include "description/ParameterDescriptionTree.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/AppletServices.h"
#include "runtime/ParameterRecord.h"

namespace vurn::tools::logging {
class Logger;
}

namespace brenvik {

namespace persistence {
class Fg_ConfigFileParser;
}

class FgTolqWrapper {
 public:
  explicit FgTolqWrapper(std::int32_t portCount);

  // --- Virtual operations, in the order of the interface ---
  virtual vurn::tools::logging::Logger* getLogger();
  virtual bool applyConfiguration(persistence::Fg_ConfigFileParser& parser) = 0;
  virtual void storeConfiguration(persistence::Fg_ConfigFileParser& parser) = 0;
  virtual int processChannelToDma(unsigned process, unsigned channel) = 0;
  virtual int mapDmaToFormat(unsigned dma, int format) = 0;
  virtual int setDmaAlignment(unsigned dma, int alignment) = 0;
  virtual int getDmaAlignment(unsigned dma) = 0;
  // May throw: a parameter lock destroyed while held is a programming error that surfaces.
  virtual ~FgTolqWrapper() noexcept(false);
  virtual void buildParameterDescription() = 0;
  virtual int setParameterWithType(int id, const void* value, unsigned dma, int type) = 0;
  virtual int getParameterWithType(int id, void* value, unsigned dma, int type) = 0;
  virtual int freeParameterStringWithType(int id, void* value, unsigned dma, int type) = 0;
  virtual int getParameterIdByName(const char* name) = 0;
  virtual const char* getParameterName(int index) = 0;
  virtual int getParameterId(int index) = 0;
  virtual int getNrOfParameter() = 0;
  virtual int saveConfig(runtime::RuntimeHandle runtimeHandle, const char* fileName);
  virtual int loadConfig(runtime::RuntimeHandle runtimeHandle, const char* fileName);
  virtual int getParameterInfoXML(AppletHandle* handle, int port, char* buffer,
                                  std::uint64_t* bufferSize);
  virtual void* allocShading();
  virtual int freeShading(void* shading);
  virtual int setSubValueLine(void* access, int x, int channel, float value);
  virtual int setMultValueLine(void* access, int x, int channel, float value);
  virtual int setFixedPatternNoiseLine(void* access, int x, int channel, int value);
  virtual int getMaxLine(void* access);
  virtual int getAccess(void* shading);
  virtual int freeAccess(void* access);
  virtual int writeActLine(void* access, int line);
  virtual std::uint64_t getEventMask(const char* name);
  virtual const char* getEventName(std::uint64_t mask);
  virtual const char* getVendorName() = 0;
  virtual const char* getAppletName() = 0;
  virtual const char* getAppletVersion() = 0;
  virtual int getLoadAppletId() = 0;

  FgTolqWrapper(const FgTolqWrapper&) = delete;
  FgTolqWrapper& operator=(const FgTolqWrapper&) = delete;

  // --- Creation steps shared by every applet (see Creation.cpp) ---
  // Loads the SDK runtime library and looks up its functions: 0 or -2031.
  std::int32_t loadRuntimeLibrary(const std::string& libraryName);
  // Initialises the SDK runtime on the opened hardware applet: 0 or an error code.
  std::int32_t initRuntime(const char* hapName, std::uint64_t boardHandle, void* hapHandle,
                           std::uint32_t flags);
  // Takes ownership of the board handle and the hardware-applet handle.
  void adoptHandles(std::uint64_t boardHandle, void* hapHandle);

  // --- Last error ---
  std::int32_t setLastError(std::int32_t code) {
    binding_->lastError.store(code, std::memory_order_relaxed);
    return code;
  }
  std::int32_t getLastError() const { return binding_->lastError.load(std::memory_order_relaxed); }
  // The SDK runtime's own last error, or -12 when it cannot be asked.
  std::int32_t runtimeLastError() const;

  // --- Accessors ---
  const RuntimeFunctionTable& functionTable() const { return *binding_->functions; }
  runtime::RuntimeHandle runtimeHandle() const { return binding_->runtimeHandle; }
  std::uint64_t boardHandle() const { return binding_->boardHandle; }
  void* hapHandle() const { return binding_->hapHandle; }
  description::ParameterDescriptionTree& descriptionTable() { return *binding_->descriptions; }
  const description::DescriptionNodes& descriptionNodes() const { return descriptionNodes_; }
  bool draEnabled() const { return draEnabled_; }

  // --- Forwarders to the SDK runtime, with the runtime handle in front. A function the
  // runtime does not offer answers -12 (0 for an id lookup, null for the information). ---
  int runtimeParameterId(const char* name) const;
  int runtimeGetParameter(int id, void* value, unsigned dma, int type) const;
  int runtimeSetParameter(int id, const void* value, unsigned dma, int type) const;
  int runtimeFreeParameterString(int id, void* value, unsigned dma, int type) const;
  const runtime::ParameterRecord* runtimeParameterInfo() const;
  int runtimeSaveConfig(const char* fileName) const;

  // The description record of an SDK parameter (or DRA_ entry) on port 0, or null.
  runtime::ParameterRecord* descriptionRecord(std::int32_t id) const;
  // Indexes port 0's records of the SDK parameters by ordinal, for descriptionRecord; called
  // whenever descriptionNodes changes.
  void indexDescriptionRecords();

  // What the layers below the applet see of it.
  runtime::AppletServices& services() { return services_; }

 protected:
  void setDraEnabled(bool enabled) { draEnabled_ = enabled; }

 private:
  vurn::tools::logging::Logger* logger_ = nullptr;
  std::unique_ptr<RuntimeBinding> binding_;

 protected:
  // Description records by port, then parameter id, for updates by the set path.
  description::DescriptionNodes descriptionNodes_;

 private:
  // Port 0's records of the SDK parameters by ordinal (null where there is none).
  std::array<runtime::ParameterRecord*, parameters::kSdkParameterCount> sdkRecords_{};

  // The applet's side of runtime::AppletServices: forwards to the operations above.
  class Services final : public runtime::AppletServices {
   public:
    explicit Services(FgTolqWrapper& applet) : applet_(applet) {}
    int parameterId(const char* name) const override { return applet_.runtimeParameterId(name); }
    int getParameter(int id, void* value, unsigned dma, int type) const override {
      return applet_.runtimeGetParameter(id, value, dma, type);
    }
    int setParameter(int id, const void* value, unsigned dma, int type) const override {
      return applet_.runtimeSetParameter(id, value, dma, type);
    }
    int saveConfig(const char* fileName) const override {
      return applet_.runtimeSaveConfig(fileName);
    }
    const runtime::ParameterRecord* runtimeParameterTree() const override {
      return applet_.runtimeParameterInfo();
    }
    runtime::ParameterRecord* descriptionRecord(std::int32_t id) const override {
      return applet_.descriptionRecord(id);
    }
    vurn::tools::logging::Logger* logger() override { return applet_.getLogger(); }

   private:
    FgTolqWrapper& applet_;
  };

  bool draEnabled_ = false;
  Services services_{*this};
};

}  // namespace brenvik
