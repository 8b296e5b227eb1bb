// The writable table of the SDK parameters (the families' lists joined), the read-only list
// derived from it, and the set dispatcher: DMA and process check, read-only refusal, setter
// lookup by id.
#include "semantics/SetPath.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "parameters/CurrentValues.h"
#include "parameters/GetPath.h"
#include "parameters/IdIndex.h"
#include "parameters/SdkParameterTable.h"
#include "platform/logging/LogMessage.h"
#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"
#include "semantics/CameraLink.h"
#include "semantics/CameraSimulator.h"
#include "semantics/DebugInjection.h"
#include "semantics/ImageGeometry.h"
#include "semantics/LookupTable.h"
#include "semantics/OutputFormat.h"
#include "semantics/Trigger.h"

namespace brenvik::semantics {

namespace {

constexpr std::uint32_t kLevelParameterFailure = 4;

// Every family's writable parameters, in family order.
constexpr auto kWritableInFamilyOrder =
    concatenated(kImageGeometryParameters, kOutputFormatParameters, kCameraLinkParameters,
                 kLookupTableParameters, kTriggerParameters, kCameraSimulatorParameters,
                 kDebugParameters);

constexpr parameters::IdIndex kWritableIndex(kWritableInFamilyOrder);

// --- Read-only parameters: every SDK parameter without a setter ---

constexpr bool isWritable(std::int32_t id) {
  return kWritableIndex.find(id) != kWritableIndex.kNone;
}

constexpr auto kReadOnlyInListOrder = [] {
  constexpr auto count = static_cast<std::size_t>(std::ranges::count_if(
      parameters::kSdkParameters, [](const auto& parameter) { return !isWritable(parameter.id); }));
  std::array<ReadOnlyParameter, count + 1> rows{};
  std::size_t next = 0;
  for (const parameters::SdkParameter& parameter : parameters::kSdkParameters) {
    if (!isWritable(parameter.id)) rows[next++] = {parameter.id, parameter.name.data()};
  }
  // The description query has no row in the parameter table, but a set of it is refused
  // like that of any read-only parameter.
  rows[next] = {parameters::kParameterDescriptionQuery, "FG_PARAM_DESCR"};
  return rows;
}();

constexpr parameters::IdIndex kReadOnlyIndex(kReadOnlyInListOrder);
// The set dispatcher looks for a setter first: no read-only id may have one.
static_assert(std::ranges::none_of(kReadOnlyInListOrder,
                                   [](const ReadOnlyParameter& row) { return isWritable(row.id); }));

// Every writable parameter states its default-pass round and its key use in its stored row
// (CurrentValues.h), or is one of the few that keep no value there; every stored row belongs
// to a writable parameter whose setter takes the stored form.
consteval bool everyWritableParameterHasItsDecisions() {
  for (const WritableParameter& parameter : kWritableInFamilyOrder) {
    const parameters::StoredValue* stored = parameters::findStoredValue(parameter.id);
    bool unstored = false;
    for (const parameters::SdkName name : parameters::stored_values::kWithoutStoredValue) {
      unstored = unstored || name.id() == parameter.id;
    }
    if ((stored != nullptr) == unstored) return false;
    if (stored != nullptr && stored->form != valueForm(parameter.form)) return false;
  }
  for (const parameters::StoredValue& stored : parameters::stored_values::kAll) {
    if (!isWritable(stored.id)) return false;
  }
  return true;
}
static_assert(everyWritableParameterHasItsDecisions());

// The rows of the writable parameters sorted by id, for those who list them.
constexpr auto kWritableById = [] {
  auto rows = kWritableInFamilyOrder;
  std::sort(rows.begin(), rows.end(),
            [](const WritableParameter& a, const WritableParameter& b) { return a.id < b.id; });
  return rows;
}();
constexpr auto kReadOnlyById = [] {
  auto rows = kReadOnlyInListOrder;
  std::sort(rows.begin(), rows.end(),
            [](const ReadOnlyParameter& a, const ReadOnlyParameter& b) { return a.id < b.id; });
  return rows;
}();

template <typename Row, std::size_t N, std::size_t Slots>
const Row* findIn(const std::array<Row, N>& rows, const parameters::IdIndex<Slots>& index,
                  std::int32_t id) {
  const std::uint16_t row = index.find(id);
  return row == index.kNone ? nullptr : &rows[row];
}

}  // namespace

const WritableParameter* findWritableParameter(std::int32_t id) {
  return findIn(kWritableInFamilyOrder, kWritableIndex, id);
}
std::span<const WritableParameter> writableParameters() { return kWritableById; }
std::span<const ReadOnlyParameter> readOnlyParameters() { return kReadOnlyById; }

void setSdkParameter(SetContext& context, std::int32_t id, const void* value, std::uint32_t dma,
                     std::int32_t type) {
  const std::int32_t process = parameters::processOfDma(context.registry, dma);
  if (process != 0) parameters::refuseSdkParameter(context.services, "set", id, process);
  // A parameter is writable or read-only, never both, so the common case looks once.
  if (const WritableParameter* parameter = findWritableParameter(id)) {
    parameter->set(context, value, type, true);
    return;
  }
  if (const ReadOnlyParameter* refused = findIn(kReadOnlyInListOrder, kReadOnlyIndex, id)) {
    vurn::tools::logging::logMessage(context.services.logger(), kLevelParameterFailure,
                                     "trying to set read-only SDK parameter '", refused->name,
                                     "' on process 0!");
    codes::raise(codes::kNotAvailable);
  }
  parameters::refuseSdkParameter(context.services, "set", id, process);
}

}  // namespace brenvik::semantics
