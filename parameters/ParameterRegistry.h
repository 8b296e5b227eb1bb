// The parameter registry: names, ids, ordinals, descriptions and the DMA-to-process map,
// filled once at creation and only read afterwards.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ParameterRecord.h"

namespace brenvik::parameters {

class SettingsStore;

// Id bands: direct hardware-parameter access above kDirectParameterBase, direct register
// access above kDirectRegisterBase (while enabled), SDK parameters below.
inline constexpr std::int32_t kDirectRegisterBase = 1000000;
inline constexpr std::int32_t kDirectParameterBase = 2000000;

using NameToId = std::map<std::string, std::int32_t, std::less<>>;

// What registration asks of the SDK runtime and the hardware-applet runtime.
class RegistrationSource {
 public:
  virtual ~RegistrationSource() = default;
  // The SDK runtime's parameter-information tree, or null.
  virtual const runtime::ParameterRecord* runtimeParameterTree() = 0;
  // The SDK runtime's id of a parameter name; 0 when it does not know the name.
  virtual std::int32_t runtimeParameterId(const std::string& name) = 0;
  // The hardware applet's directly accessible registers, numbered 1 to the count.
  virtual std::int32_t registerCount() = 0;
  virtual const char* registerName(std::int32_t number) = 0;
  virtual std::uint32_t registerId(const char* name) = 0;
};

struct RegistrationSwitches {
  std::string appletName;              // the settings section of direct parameter access
  bool draEnabled = false;             // register the "DRA_" entries
  bool dtolqaFromEnvironment = false;  // switch on every parameter the runtime knows
};

// Thread-safety: written by registerParameters() during creation only; every read after
// that needs no lock.
class ParameterRegistry {
 public:
  // Fills every map in the registration order. Nothing in it fails: what a source cannot
  // give is left out.
  void registerParameters(RegistrationSource& source, SettingsStore& settings,
                          const RegistrationSwitches& switches);

  const NameToId& parameterIds() const { return parameterIds_; }
  const NameToId& dtolqaParameterIds() const { return dtolqaParameterIds_; }
  const std::map<std::int32_t, std::string>& parameterOrder() const { return parameterOrder_; }
  const std::map<std::string, std::string, std::less<>>& parameterDescriptions() const {
    return parameterDescriptions_;
  }
  const std::map<std::int32_t, std::int32_t>& dmaToProcess() const { return dmaToProcess_; }

  // Lookups; none of them allocates. Absence is a null result.
  const std::int32_t* idOf(std::string_view name) const;
  const std::string* nameAt(std::int32_t ordinal) const;
  std::int32_t count() const { return static_cast<std::int32_t>(parameterOrder_.size()); }
  const std::string* descriptionOf(std::string_view name) const;
  const std::int32_t* processOf(std::uint32_t dma) const {
    return dma == 0 ? firstDmaProcess_ : processOfOther(dma);  // every access asks for DMA 0
  }

 private:
  const std::int32_t* processOfOther(std::uint32_t dma) const;
  std::vector<std::string> switchedOnRuntimeParameters(RegistrationSource& source,
                                                       const SettingsStore& settings,
                                                       const std::string& appletName);

  NameToId parameterIds_;
  NameToId dtolqaParameterIds_;
  std::map<std::int32_t, std::string> parameterOrder_;
  std::map<std::string, std::string, std::less<>> parameterDescriptions_;
  std::map<std::int32_t, std::int32_t> dmaToProcess_;
  const std::int32_t* firstDmaProcess_ = nullptr;  // DMA 0's entry, once registered
};

// Stores "On" under "<appletName>::<name>" for every parameter of the runtime's
// parameter-information tree, walking it breadth-first from `root` (which may be null).
void switchOnRuntimeParameters(const runtime::ParameterRecord* root, SettingsStore& settings,
                               const std::string& appletName);

}  // namespace brenvik::parameters
