// Getter rows of the get path and the building blocks that the getter table is written with:
// stored values, constants, hardware reads, the runtime's own parameters, computations.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "parameters/CurrentValues.h"
#include "parameters/GetPath.h"
#include "parameters/HardwareParameters.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"

namespace brenvik::parameters::getters {

// One get as the caller asked for it.
struct GetRequest {
  void* value;
  std::uint32_t dma;
  std::int32_t type;
};

struct Getter;
// Writes the value at the caller's pointer.
using ValueGetter = void (*)(const Getter&, GetContext&, const GetRequest&);
// Produces a text at `destination`; the dispatcher decides where that is (string rules).
using TextGetter = void (*)(const Getter&, GetContext&, const GetRequest&, char* destination);

// One parameter's getter: `text` for the form kText, `value` for every other form; the
// other fields are the row's data for its function.
struct Getter {
  std::int32_t id = 0;
  ValueForm form = ValueForm::kUint32;
  ValueGetter value = nullptr;
  TextGetter text = nullptr;
  Hw slot{};                   // hardware rows: the bound parameter
  std::int32_t typeCode = 0;   // hardware rows: the type code of the read
  std::uint32_t number = 0;    // constants; nanoseconds per tick of scaled reads
  const char* word = nullptr;  // constant texts
  const void* (*address)(const CurrentValues&) = nullptr;  // stored rows: the member
};

template <typename T>
void put(void* destination, const T& value) {
  std::memcpy(destination, &value, sizeof value);
}

// --- Function of each kind of row (ComputedValues.cpp and GetPath.cpp) ---

void constantValue(const Getter&, GetContext&, const GetRequest&);
void constantText(const Getter&, GetContext&, const GetRequest&, char* destination);
void hardwareValue(const Getter&, GetContext&, const GetRequest&);
void hardwareText(const Getter&, GetContext&, const GetRequest&, char* destination);
void runtimeValue(const Getter&, GetContext&, const GetRequest&);
void forwardedValue(const Getter&, GetContext&, const GetRequest&);
void microsecondsFromTicks(const Getter&, GetContext&, const GetRequest&);
void frequencyFromPeriod(const Getter&, GetContext&, const GetRequest&);
void parameterDescription(const Getter&, GetContext&, const GetRequest&, char* destination);
void storedScalar(const Getter&, GetContext&, const GetRequest&);
void storedText(const Getter&, GetContext&, const GetRequest&, char* destination);

// Computed values.
void cameraStatus(const Getter&, GetContext&, const GetRequest&);
void cameraStatusExtended(const Getter&, GetContext&, const GetRequest&);
void fillLevel(const Getter&, GetContext&, const GetRequest&);
void alternativeBoardDetection(const Getter&, GetContext&, const GetRequest&);
void simulatorLineGap(const Getter&, GetContext&, const GetRequest&);
void simulatorFrameGap(const Getter&, GetContext&, const GetRequest&);
void simulatorPixelFrequency(const Getter&, GetContext&, const GetRequest&);
void simulatorLineRate(const Getter&, GetContext&, const GetRequest&);
void simulatorFrameRate(const Getter&, GetContext&, const GetRequest&);
void simulatorActive(const Getter&, GetContext&, const GetRequest&);
void simulatorPassive(const Getter&, GetContext&, const GetRequest&);
void lutValue(const Getter&, GetContext&, const GetRequest&);
void exceededPeriodLimits(const Getter&, GetContext&, const GetRequest&);
void softwareTriggerIsBusy(const Getter&, GetContext&, const GetRequest&);
void softwareTriggerQueueFillLevel(const Getter&, GetContext&, const GetRequest&);
void triggerQueueFillLevel(const Getter&, GetContext&, const GetRequest&);
void missingCameraFrameResponse(const Getter&, GetContext&, const GetRequest&);

// The debug points.
void debugSourceName(const Getter&, GetContext&, const GetRequest&, char* destination);
void debugFile(const Getter&, GetContext&, const GetRequest&, char* destination);
void debugInputEnable(const Getter&, GetContext&, const GetRequest&);
void debugOutputEnable(const Getter&, GetContext&, const GetRequest&);
void debugXPosition(const Getter&, GetContext&, const GetRequest&);
void debugYPosition(const Getter&, GetContext&, const GetRequest&);
void debugPixel(const Getter&, GetContext&, const GetRequest&);
void debugReady(const Getter&, GetContext&, const GetRequest&);

// --- Row builders: each names its parameter by an SdkName, resolved while compiling ---

// A stored value: the member that keeps the parameter's accepted value (CurrentValues.h).
consteval Getter stored(SdkName parameter) {
  const StoredValue* value = findStoredValue(parameter.id());
  if (value == nullptr) throw "the parameter has no getter and keeps no value of its own";
  const bool text = value->form == ValueForm::kText;
  return {.id = parameter.id(),
          .form = value->form,
          .value = text ? nullptr : &storedScalar,
          .text = text ? &storedText : nullptr,
          .address = value->address};
}

// Another member of CurrentValues than the one the parameter's setter stores (a value
// derived from it), named by an accessor.
template <typename Access>
constexpr Getter storedIn(SdkName parameter, Access) {
  static_assert(storedForm<MemberType<Access>>() == ValueForm::kUint32);
  return {.id = parameter.id(), .value = &storedScalar, .address = &memberAddress<Access>};
}

constexpr Getter constant(SdkName parameter, std::uint32_t value) {
  return {.id = parameter.id(), .value = &constantValue, .number = value};
}

constexpr Getter fixedText(SdkName parameter, const char* text) {
  return {.id = parameter.id(), .form = ValueForm::kText, .text = &constantText, .word = text};
}

// The form in which a hardware parameter read with a type code arrives.
constexpr ValueForm hardwareForm(std::int32_t type) {
  return type == runtime::kTypeUint64   ? ValueForm::kUint64
         : type == runtime::kTypeDouble ? ValueForm::kDouble
         : type == runtime::kTypeString ? ValueForm::kText
                                        : ValueForm::kUint32;
}

// A bound hardware parameter read with `type` (2, 4, 5 or 6), straight into the caller's
// value.
constexpr Getter hardware(SdkName parameter, Hw slot, std::int32_t type) {
  const bool text = type == runtime::kTypeString;
  return {.id = parameter.id(),
          .form = hardwareForm(type),
          .value = text ? nullptr : &hardwareValue,
          .text = text ? &hardwareText : nullptr,
          .slot = slot,
          .typeCode = type};
}

// A tick count of the hardware in microseconds: ticks x nanoseconds per tick / 1000.
constexpr Getter microseconds(SdkName parameter, Hw slot, std::uint32_t nanosecondsPerTick) {
  return {.id = parameter.id(),
          .form = ValueForm::kDouble,
          .value = &microsecondsFromTicks,
          .slot = slot,
          .number = nanosecondsPerTick};
}

// A period of the hardware in 8 ns ticks as a frequency in Hz.
constexpr Getter frequency(SdkName parameter, Hw slot) {
  return {
      .id = parameter.id(), .form = ValueForm::kDouble, .value = &frequencyFromPeriod, .slot = slot};
}

// The SDK runtime's own parameter of the same id, on DMA 0 as a 32-bit value.
constexpr Getter runtimeOwn(SdkName parameter) {
  return {.id = parameter.id(), .value = &runtimeValue};
}

// The SDK runtime's own parameter of the same id, with the caller's DMA index and type.
constexpr Getter forwarded(SdkName parameter) {
  return {.id = parameter.id(), .form = ValueForm::kAsRequested, .value = &forwardedValue};
}

constexpr Getter computed(SdkName parameter, ValueForm form, ValueGetter function) {
  return {.id = parameter.id(), .form = form, .value = function};
}

constexpr Getter computedText(SdkName parameter, TextGetter function) {
  return {.id = parameter.id(), .form = ValueForm::kText, .text = function};
}

}  // namespace brenvik::parameters::getters
