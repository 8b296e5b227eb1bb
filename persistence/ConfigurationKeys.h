// The parameter keys of this applet's configuration files: which parameters are saved, in
// which order, in which form, and what loading does with each.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "parameters/CurrentValues.h"
#include "parameters/SdkParameterTable.h"

namespace brenvik::persistence {

// What loading does with a key: each stored parameter's row states it.
using parameters::isApplied;
using parameters::isStored;
using parameters::KeyUse;

// How a key's value is written and read: the parameter's own value form.
enum class KeyForm : std::uint8_t { kInteger, kDouble, kText };

struct ConfigurationKey {
  parameters::SdkName parameter;
  KeyUse use;

  constexpr const char* name() const { return parameter.name(); }
  constexpr std::int32_t id() const { return parameter.id(); }
  constexpr KeyForm form() const {
    switch (parameter.row->form) {
      case parameters::ValueForm::kDouble:
        return KeyForm::kDouble;
      case parameters::ValueForm::kText:
        return KeyForm::kText;
      default:
        return KeyForm::kInteger;
    }
  }
};

// The parameters saved without a value of their own, for the reader's information.
inline constexpr parameters::SdkName kInformationKeys[] = {
    "FG_CAMERASIMULATOR_ACTIVE",
    "FG_CAMERASIMULATOR_PASSIVE",
};

namespace keys {

// The use of a parameter's key: its stored row's, kNotRead for an information key.
constexpr KeyUse useOf(const parameters::SdkParameter& parameter) {
  if (const parameters::StoredValue* stored = parameters::findStoredValue(parameter.id)) {
    return stored->key;
  }
  for (const parameters::SdkName information : kInformationKeys) {
    if (information.row == &parameter) return KeyUse::kNotRead;
  }
  return KeyUse::kNoKey;
}

// The rows of the SDK parameter table that have a key, in table order.
consteval auto keyedRows() {
  constexpr auto count = static_cast<std::size_t>(
      std::ranges::count_if(parameters::kSdkParameters,
                            [](const auto& parameter) { return useOf(parameter) != KeyUse::kNoKey; }));
  std::array<const parameters::SdkParameter*, count> rows{};
  std::size_t next = 0;
  for (const parameters::SdkParameter& parameter : parameters::kSdkParameters) {
    if (useOf(parameter) != KeyUse::kNoKey) rows[next++] = &parameter;
  }
  return rows;
}
inline constexpr auto kKeyedRows = keyedRows();

template <std::size_t... Key>
consteval std::array<ConfigurationKey, sizeof...(Key)> keysOf(std::index_sequence<Key...>) {
  return {{ConfigurationKey{parameters::SdkName(*kKeyedRows[Key]), useOf(*kKeyedRows[Key])}...}};
}

}  // namespace keys

// The port section's keys, in the order of the file (that of the SDK parameter table); both
// load passes follow it too.
inline constexpr auto kConfigurationKeys =
    keys::keysOf(std::make_index_sequence<keys::kKeyedRows.size()>{});


inline constexpr std::size_t kConfigurationKeyCount = std::size(kConfigurationKeys);
// Integer keys are written as signed 32-bit numbers: no 64-bit or structured parameter is saved.
static_assert(std::ranges::all_of(kConfigurationKeys, [](const auto& key) {
  const parameters::ValueForm form = key.parameter.row->form;
  return form == parameters::ValueForm::kUint32 || form == parameters::ValueForm::kDouble ||
         form == parameters::ValueForm::kText;
}));

// The header section's identity keys.
inline constexpr char kVendorKey[] = "Hersteller";
inline constexpr char kAppletNameKey[] = "Typ";
inline constexpr char kVersionKey[] = "Version";
inline constexpr char kLoadAppletIdKey[] = "LoadAppletId";
inline constexpr char kActivePortKey[] = "AktivePort";

// Text values are read into, and written from, a cleared buffer of this size.
inline constexpr std::size_t kConfigurationTextBuffer = 1024;

}  // namespace brenvik::persistence
