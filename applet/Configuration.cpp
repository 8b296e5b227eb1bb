// Configuration files: saving and loading the applet's settings (.mcf). saveConfig and
// loadConfig handle the file as a whole; storeConfiguration and applyConfiguration write and
// read this applet's parameter keys.
#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "applet/FgTolqWrapper.h"
#include "applet/FgTolqWrapperImpl.h"
#include "parameters/CurrentValues.h"
#include "persistence/ConfigFileParser.h"
#include "persistence/ConfigurationKeys.h"
#include "platform/locks/CriticalSectionGuard.h"
#include "platform/os/Process.h"
#include "runtime/ResultCodes.h"
#include "runtime/SdkRuntime.h"
#include "semantics/CameraSimulator.h"
#include "semantics/SetPath.h"

namespace brenvik {

using persistence::ConfigurationKey;
using persistence::Fg_ConfigFileParser;
using persistence::kConfigurationKeys;
using persistence::KeyForm;

namespace {

constexpr std::uint32_t kPortA = 0;
using TextBuffer = std::array<char, persistence::kConfigurationTextBuffer>;

// --- Where pass 1 puts each stored key, found while compiling ---

constexpr parameters::ValueForm storedFormOf(KeyForm form) {
  switch (form) {
    case KeyForm::kDouble:
      return parameters::ValueForm::kDouble;
    case KeyForm::kText:
      return parameters::ValueForm::kText;
    case KeyForm::kInteger:
      break;
  }
  return parameters::ValueForm::kUint32;
}

constexpr auto kStoredSlots = [] {
  std::array<const parameters::StoredValue*, std::size(kConfigurationKeys)> slots{};
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (isStored(kConfigurationKeys[i].use)) slots[i] = parameters::findStoredValue(kConfigurationKeys[i].id());
  }
  return slots;
}();

static_assert([] {
  for (std::size_t i = 0; i < kStoredSlots.size(); ++i) {
    if (!isStored(kConfigurationKeys[i].use)) continue;
    const parameters::StoredValue* slot = kStoredSlots[i];
    if (slot == nullptr || slot->form != storedFormOf(kConfigurationKeys[i].form())) return false;
  }
  return true;
}(), "every stored key has a stored value of its own form");

// --- One key's value as read from the file ---

struct KeyValue {
  std::uint32_t integer = 0;
  double real = 0;
  TextBuffer text{};
};

// Reads a key from port A's section in its form; false when it is missing.
bool readKey(Fg_ConfigFileParser& parser, const ConfigurationKey& key, KeyValue& value) {
  switch (key.form()) {
    case KeyForm::kInteger:
      return parser.parseIntKeyFromPort(kPortA, key.name(), value.integer) == 0;
    case KeyForm::kDouble:
      return parser.parseDoubleKeyFromPort(kPortA, key.name(), value.real) == 0;
    case KeyForm::kText:
      value.text.fill('\0');
      return parser.parseKeyFromPort(kPortA, key.name(), value.text) == 0;
  }
  return false;
}

// Puts a value straight into the parameter's stored setting: no checks, no hardware.
void store(parameters::CurrentValues& values, const parameters::StoredValue& slot,
           const KeyValue& value) {
  // The slots hand out read access; the values themselves are this applet's own.
  void* address = const_cast<void*>(slot.address(values));
  switch (slot.form) {
    case parameters::ValueForm::kDouble:
      std::memcpy(address, &value.real, sizeof value.real);
      break;
    case parameters::ValueForm::kText:
      *static_cast<std::string*>(address) = value.text.data();
      break;
    default:
      std::memcpy(address, &value.integer, sizeof value.integer);
      break;
  }
}

// Hands a value to the parameter's setter, quietly, in the form the setter takes.
void apply(semantics::SetContext& context, const semantics::WritableParameter& parameter,
           const KeyValue& value) {
  switch (parameter.form) {
    case semantics::SetForm::kDouble:
      parameter.set(context, &value.real, runtime::kTypeDouble, false);
      break;
    case semantics::SetForm::kText:
      parameter.set(context, value.text.data(), runtime::kTypeString, false);
      break;
    case semantics::SetForm::kUnsigned64: {
      const std::uint64_t wide = value.integer;
      parameter.set(context, &wide, runtime::kTypeUint64, false);
      break;
    }
    default:
      parameter.set(context, &value.integer, runtime::kTypeUint32, false);
      break;
  }
}

}  // namespace

// --- The file as a whole ---

int FgTolqWrapper::saveConfig(runtime::RuntimeHandle, const char* fileName) {
  platform::useEnglishLocale();
  Fg_ConfigFileParser parser(nullptr, nullptr, false);
  if (!parser.setSaveFile(fileName)) return setLastError(codes::kConfigurationWrite);
  parser.writeConfigFileHeader();
  parser.writeConfigFile(persistence::kVendorKey, getVendorName());
  parser.writeConfigFile(persistence::kAppletNameKey, getAppletName());
  parser.writeConfigFile(persistence::kVersionKey, getAppletVersion());
  parser.writeConfigFileIntKey(persistence::kLoadAppletIdKey, getLoadAppletId());
  parser.writeConfigFileIntKey(persistence::kActivePortKey, 0);
  storeConfiguration(parser);
  return setLastError(codes::kSuccess);
}

int FgTolqWrapper::loadConfig(runtime::RuntimeHandle, const char* fileName) {
  platform::useEnglishLocale();
  Fg_ConfigFileParser parser(nullptr, fileName, true);
  if (!Fg_ConfigFileParser::checkFileExist(fileName) ||
      !Fg_ConfigFileParser::checkFileType(fileName)) {
    setLastError(codes::kConfigurationRead);
    return codes::kFileMissing;
  }
  char text[persistence::kConfigValueBuffer];
  std::uint32_t activePort = 0;
  const bool identified =
      parser.parseKeyFromLine(persistence::kVendorKey, text) == 0 &&
      parser.parseKeyFromLine(persistence::kAppletNameKey, text) == 0 &&
      std::strcmp(text, getAppletName()) == 0 &&
      parser.parseIntKeyFromHeader(persistence::kActivePortKey, activePort) == 0;
  if (!identified || !applyConfiguration(parser)) {
    return setLastError(codes::kConfigurationRead);
  }
  return setLastError(codes::kSuccess);
}

// --- This applet's keys ---

// Each key's value as a get reports it; a key whose get fails is left out. Runs under the
// parameter lock, so that no set of another thread lands between two keys.
void FgTolqWrapperImpl::storeConfiguration(Fg_ConfigFileParser& parser) {
  vurn::templates::platform::CriticalSectionGuard guard(&parameterLock_);
  parser.writePortHeader(kPortA);
  for (const ConfigurationKey& key : kConfigurationKeys) {
    try {
      switch (key.form()) {
        case KeyForm::kInteger: {
          std::uint32_t value = 0;
          parameters::getSdkParameter(getContext_, key.id(), &value, 0, runtime::kTypeUint32);
          parser.writeConfigFileIntKey(key.name(), static_cast<std::int32_t>(value));
          break;
        }
        case KeyForm::kDouble: {
          double value = 0;
          parameters::getSdkParameter(getContext_, key.id(), &value, 0, runtime::kTypeDouble);
          // A number that is not finite has no form a file reads back (digits, a point and
          // an exponent); it is saved as the 0 that reading its text would give.
          parser.wrtiteConfigFileDoubleKey(key.name(), std::isfinite(value) ? value : 0.0);
          break;
        }
        case KeyForm::kText: {
          // The getter writes the whole text into the scratch buffer; the file takes the
          // first 1023 characters.
          char* scratch = strings_.scratch();
          parameters::getSdkParameter(getContext_, key.id(), scratch, 0, runtime::kTypeString);
          TextBuffer text{};
          std::strncpy(text.data(), scratch, text.size() - 1);
          parser.writeConfigFile(key.name(), text.data());
          break;
        }
      }
    } catch (const codes::RaisedCode&) {
      // Left out; the next key follows.
    }
  }
}

// Pass 1 stores every stored key, pass 2 hands every applied key to its setter with errors
// dropped; the first missing key, or a setter that raises anyway, ends the load with false.
// Runs under the parameter lock as one operation.
bool FgTolqWrapperImpl::applyConfiguration(Fg_ConfigFileParser& parser) {
  vurn::templates::platform::CriticalSectionGuard guard(&parameterLock_);
  KeyValue value;
  const parameters::SimulatorValues before = values_.simulator;
  for (std::size_t i = 0; i < std::size(kConfigurationKeys); ++i) {
    if (kStoredSlots[i] == nullptr) continue;
    if (!readKey(parser, kConfigurationKeys[i], value)) {
      // What was stored stays; the simulator's part of it takes effect, so that its getters
      // and the hardware agree.
      semantics::adoptStoredSimulatorSettings(setContext_, before);
      semantics::applyAdoptedSimulatorGeometry(setContext_, before);
      return false;
    }
    store(values_, *kStoredSlots[i], value);
  }
  semantics::adoptStoredSimulatorSettings(setContext_, before);
  for (const ConfigurationKey& key : kConfigurationKeys) {
    if (!isApplied(key.use)) continue;
    if (!readKey(parser, key, value)) return false;
    const semantics::WritableParameter* parameter = semantics::findWritableParameter(key.id());
    if (parameter == nullptr) return false;
    try {
      apply(setContext_, *parameter, value);
    } catch (const codes::RaisedCode&) {
      return false;
    }
  }
  return true;
}

}  // namespace brenvik
