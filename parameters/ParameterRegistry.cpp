// Registration of the SDK parameters, the direct-access entries and the DMA-to-process map,
// and the registry's lookups.
#include "parameters/ParameterRegistry.h"

#include <array>
#include <deque>
#include <set>

#include "parameters/SdkParameterTable.h"
#include "parameters/SettingsStore.h"

namespace brenvik::parameters {

namespace {

constexpr std::string_view kRegisterPrefix = "DRA_";
constexpr std::string_view kRuntimeParameterPrefix = "DTOLQA_";
constexpr std::string_view kSwitchedOn = "On";

// Node kinds of the runtime's tree that are parameters (categories are kind 0; fields are
// not offered for direct access).
bool isParameterKind(std::int32_t kind) {
  static constexpr std::array<std::int32_t, 7> kParameterKinds{1, 3, 5, 6, 9, 11, 12};
  for (const std::int32_t parameterKind : kParameterKinds) {
    if (kind == parameterKind) return true;
  }
  return false;
}

std::string sectionKey(const std::string& appletName, std::string_view name) {
  return appletName + "::" + std::string(name);
}

std::string prefixed(std::string_view prefix, std::string_view name) {
  return std::string(prefix) + std::string(name);
}

// Adds an id to a band base without signed overflow.
std::int32_t inBand(std::int32_t base, std::uint32_t id) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(base) + id);
}

}  // namespace

void switchOnRuntimeParameters(const runtime::ParameterRecord* root, SettingsStore& settings,
                               const std::string& appletName) {
  if (root == nullptr) return;
  std::deque<const runtime::ParameterRecord*> queue{root};
  // A category is expanded once, so a tree that links back to itself still ends.
  std::set<const runtime::ParameterRecord*> expanded;
  while (!queue.empty()) {
    const runtime::ParameterRecord* node = queue.front();
    queue.pop_front();
    if (node->kind != runtime::kKindCategory || !expanded.insert(node).second) continue;
    for (const runtime::ParameterRecord* child : runtime::childrenOf(*node)) {
      if (child == nullptr) continue;
      if (isParameterKind(child->kind) && child->name != nullptr) {
        settings.set(sectionKey(appletName, child->name), kSwitchedOn);
      } else if (child->kind == runtime::kKindCategory) {
        queue.push_back(child);
      }
    }
    const runtime::ParameterRecord* linked = node->olderRoot;
    if (linked != nullptr && linked->kind == runtime::kKindCategory) queue.push_back(linked);
  }
}

std::vector<std::string> ParameterRegistry::switchedOnRuntimeParameters(
    RegistrationSource& source, const SettingsStore& settings, const std::string& appletName) {
  std::vector<std::string> names;
  for (const std::string& key : settings.listSection(appletName)) {
    if (!isSwitchValue(settings.get(sectionKey(appletName, key)))) continue;
    const std::int32_t id = source.runtimeParameterId(key);
    if (id == 0) continue;
    dtolqaParameterIds_[prefixed(kRuntimeParameterPrefix, key)] =
        inBand(kDirectParameterBase, static_cast<std::uint32_t>(id));
    names.push_back(key);
  }
  return names;
}

void ParameterRegistry::registerParameters(RegistrationSource& source, SettingsStore& settings,
                                           const RegistrationSwitches& switches) {
  if (switches.dtolqaFromEnvironment) {
    switchOnRuntimeParameters(source.runtimeParameterTree(), settings, switches.appletName);
  }

  dmaToProcess_[0] = 0;
  firstDmaProcess_ = &dmaToProcess_.at(0);

  for (const SdkParameter& parameter : kSdkParameters) {
    parameterIds_.emplace(parameter.name, parameter.id);
  }

  const std::int32_t registers = switches.draEnabled ? source.registerCount() : 0;
  for (std::int32_t number = 1; number <= registers; ++number) {
    const char* name = source.registerName(number);
    if (name == nullptr) continue;
    parameterIds_[prefixed(kRegisterPrefix, name)] =
        inBand(kDirectRegisterBase, source.registerId(name));
  }

  const std::vector<std::string> runtimeParameters =
      switchedOnRuntimeParameters(source, settings, switches.appletName);

  std::int32_t ordinal = 0;
  for (const SdkParameter& parameter : kSdkParameters) {
    parameterOrder_.emplace(ordinal++, parameter.name);
  }
  for (std::int32_t number = 1; number <= registers; ++number) {
    const char* name = source.registerName(number);
    if (name != nullptr) parameterOrder_.emplace(ordinal++, prefixed(kRegisterPrefix, name));
  }
  for (const std::string& name : runtimeParameters) {
    parameterOrder_.emplace(ordinal++, prefixed(kRuntimeParameterPrefix, name));
  }

  for (const SdkParameter& parameter : kSdkParameters) {
    parameterDescriptions_.emplace(parameter.name, parameter.description);
  }
}

const std::int32_t* ParameterRegistry::idOf(std::string_view name) const {
  const auto entry = parameterIds_.find(name);
  return entry == parameterIds_.end() ? nullptr : &entry->second;
}

const std::string* ParameterRegistry::nameAt(std::int32_t ordinal) const {
  const auto entry = parameterOrder_.find(ordinal);
  return entry == parameterOrder_.end() ? nullptr : &entry->second;
}

const std::string* ParameterRegistry::descriptionOf(std::string_view name) const {
  const auto entry = parameterDescriptions_.find(name);
  return entry == parameterDescriptions_.end() ? nullptr : &entry->second;
}

const std::int32_t* ParameterRegistry::processOfOther(std::uint32_t dma) const {
  const auto entry = dmaToProcess_.find(static_cast<std::int32_t>(dma));
  return entry == dmaToProcess_.end() ? nullptr : &entry->second;
}

}  // namespace brenvik::parameters
