// Compile-time checks of the SDK parameter table: unique names and ids, the "FG_" prefix, and
// the seven rows of the runtime's own parameters that carry no description.
#include "parameters/SdkParameterTable.h"

namespace brenvik::parameters {

namespace {

constexpr bool namesAndIdsAreUnique() {
  for (std::size_t i = 0; i < kSdkParameters.size(); ++i) {
    for (std::size_t j = i + 1; j < kSdkParameters.size(); ++j) {
      if (kSdkParameters[i].name == kSdkParameters[j].name) return false;
      if (kSdkParameters[i].id == kSdkParameters[j].id) return false;
    }
  }
  return true;
}

constexpr bool everyNameIsAnSdkName() {
  for (const SdkParameter& parameter : kSdkParameters) {
    if (!parameter.name.starts_with("FG_")) return false;
  }
  return true;
}

constexpr std::size_t rowsWithoutDescription() {
  std::size_t count = 0;
  for (const SdkParameter& parameter : kSdkParameters) {
    if (parameter.description.empty()) ++count;
  }
  return count;
}

constexpr bool idsAreInTheSdkBand() {
  for (const SdkParameter& parameter : kSdkParameters) {
    if (parameter.id < 1 || parameter.id > 1000000) return false;
    if (parameter.id == kParameterDescriptionQuery) return false;
  }
  return true;
}

static_assert(namesAndIdsAreUnique());
static_assert(everyNameIsAnSdkName());
static_assert(rowsWithoutDescription() == 7);
static_assert(idsAreInTheSdkBand());
static_assert(sdkId("FG_TIMEOUT") == 600 && sdkId("FG_TRIGGER_OUTPUT_EVENT_SELECT") == 300242);

}  // namespace

}  // namespace brenvik::parameters
