// The set path of the SDK parameters: the read-only list, the writable parameters with the
// form their value is read in and their setter, and the dispatcher that checks and routes a set.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <type_traits>

#include "parameters/SdkParameterTable.h"
#include "semantics/SetContext.h"

namespace brenvik::semantics {

// How a writable parameter's value is read from the caller's pointer.
enum class SetForm : std::uint8_t {
  kUnsigned32,  // a 32-bit integer, unsigned
  kSigned32,    // a 32-bit integer, signed
  kUnsigned64,  // a 64-bit integer
  kDouble,      // a double
  kText,        // the pointer is a zero-terminated text
};

// The form of a value type: what a setter takes, or what a stored value is kept as.
template <typename Value>
consteval SetForm formOf() {
  if constexpr (std::is_same_v<Value, const char*> || std::is_same_v<Value, std::string>) {
    return SetForm::kText;
  } else if constexpr (std::is_same_v<Value, double>) {
    return SetForm::kDouble;
  } else if constexpr (std::is_same_v<Value, std::uint64_t>) {
    return SetForm::kUnsigned64;
  } else if constexpr (std::is_same_v<Value, std::int32_t>) {
    return SetForm::kSigned32;
  } else {
    static_assert(std::is_same_v<Value, std::uint32_t>, "not one of the value forms");
    return SetForm::kUnsigned32;
  }
}

// The form in which a value of a set form is stored and read back.
constexpr parameters::ValueForm valueForm(SetForm form) {
  switch (form) {
    case SetForm::kUnsigned32:
    case SetForm::kSigned32:
      return parameters::ValueForm::kUint32;
    case SetForm::kUnsigned64:
      return parameters::ValueForm::kUint64;
    case SetForm::kDouble:
      return parameters::ValueForm::kDouble;
    case SetForm::kText:
      return parameters::ValueForm::kText;
  }
  return parameters::ValueForm::kAsRequested;
}

struct WritableParameter {
  std::int32_t id;
  SetForm form;
  // Reads the value in `form` from `value` (never null) and runs the parameter's setter with
  // `reportErrors`. `type` is the caller's type code, passed on for the parameters that
  // have more than one value form.
  void (*set)(SetContext& context, const void* value, std::int32_t type, bool reportErrors);
};

struct ReadOnlyParameter {
  std::int32_t id;
  const char* name;  // as the refusal names it
};

// The writable parameter of an id, or null; found without allocating. The configuration
// loader and the default pass call `set` directly with reportErrors off.
const WritableParameter* findWritableParameter(std::int32_t id);
std::span<const WritableParameter> writableParameters();

// Every parameter that a set refuses as read-only, sorted by id.
std::span<const ReadOnlyParameter> readOnlyParameters();

// Sets an SDK parameter (the caller has checked the value pointer and holds the parameter
// lock): checks the DMA index and its process, refuses read-only and unknown ids with their
// messages, and runs the parameter's setter with reportErrors on. A failure is raised as its
// error code (codes::RaisedCode).
void setSdkParameter(SetContext& context, std::int32_t id, const void* value, std::uint32_t dma,
                     std::int32_t type);

}  // namespace brenvik::semantics
