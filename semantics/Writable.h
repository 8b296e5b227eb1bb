// A writable SDK parameter as the set path sees it: the form its value is read in and the
// function that reads it and runs the parameter's setter. Each family lists its writable
// parameters with writable<&setter>("NAME"); the set path joins the lists.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// --- Writable parameters: the setter's value type decides the form the value is read in ---

template <typename Setter>
struct SetterValue;
template <typename Value>
struct SetterValue<void (*)(SetContext&, Value, bool)> {
  using type = Value;
};

template <auto Setter>
void readAndSet(SetContext& context, const void* value, std::int32_t, bool reportErrors) {
  using Value = typename SetterValue<decltype(Setter)>::type;
  if constexpr (std::is_same_v<Value, const char*>) {
    Setter(context, static_cast<const char*>(value), reportErrors);
  } else {
    Value argument;
    std::memcpy(&argument, value, sizeof argument);
    Setter(context, argument, reportErrors);
  }
}

// A writable parameter by name, with its setter (context, value, reportErrors); the name
// resolves while compiling and the setter's value type gives the form.
template <auto Setter>
consteval WritableParameter writable(parameters::SdkName parameter) {
  using Value = typename SetterValue<decltype(Setter)>::type;
  return {parameter.id(), formOf<Value>(), &readAndSet<Setter>};
}

// A writable parameter whose set function reads the value itself (for a parameter with
// more than one value form, chosen by the caller's type code).
consteval WritableParameter writableAs(parameters::SdkName parameter, SetForm form,
                                       void (*set)(SetContext&, const void*, std::int32_t, bool)) {
  return {parameter.id(), form, set};
}

// The lists of several families, one after the other.
template <std::size_t... Sizes>
consteval auto concatenated(const std::array<WritableParameter, Sizes>&... lists) {
  std::array<WritableParameter, (Sizes + ... + 0)> all{};
  std::size_t next = 0;
  ((std::copy(lists.begin(), lists.end(), all.begin() + static_cast<std::ptrdiff_t>(next)),
    next += lists.size()),
   ...);
  return all;
}

}  // namespace brenvik::semantics
