// The one way every parameter setter runs: check, remember, store, apply, refresh limits,
// roll back on failure, and raise only when the caller asked for errors.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <utility>

#include "description/DescriptionRows.h"
#include "runtime/AppletServices.h"
#include "runtime/RecordLimits.h"
#include "runtime/ResultCodes.h"
#include "semantics/SetContext.h"

namespace brenvik::semantics {

// A step that rewrites one limit in the parameter description from the current values.
using LimitStep = void (*)(SetContext&);

// Runs the steps in order. A step that fails leaves its limit as it was and the next one
// still runs: limits never fail a set.
void refreshLimits(SetContext& context, std::initializer_list<LimitStep> steps);

// Sets `stored` to `value` under the setter contract:
//  1. `check()` validates the value on its own and raises before anything changes;
//  2. the previous value is remembered and the new one stored;
//  3. `apply()` runs the checks against other settings, the hardware writes and the
//     dependent setters, in the order the parameter needs; each raises on failure;
//  4. `limits` refresh the description limits that depend on the value;
//  5. a failure in 3 puts the previous value back (hardware written so far stays written).
// A raised code reaches the caller only when `reportErrors` is set; without it the failure
// leaves no trace but the rollback.
template <typename Value, typename Check, typename Apply>
void runSetter(SetContext& context, Value& stored, Value value, bool reportErrors, Check&& check,
               Apply&& apply, std::initializer_list<LimitStep> limits = {}) {
  try {
    check();
  } catch (const codes::RaisedCode&) {
    if (reportErrors) throw;
    return;
  }
  Value previous = std::move(stored);
  stored = std::move(value);
  try {
    apply();
  } catch (const codes::RaisedCode&) {
    stored = std::move(previous);
    if (reportErrors) throw;
    return;
  } catch (...) {
    stored = std::move(previous);
    throw;
  }
  if (limits.size() != 0) refreshLimits(context, limits);
}

// Limit steps change the live description record of a parameter through these; a parameter
// without a record that keeps this type of limit is left alone.
template <typename Limit>
void setDescriptionMaximum(SetContext& context, std::int32_t id, Limit maximum) {
  runtime::setMaximum(context.services.descriptionRecord(id), maximum);
}
template <typename Limit>
void setDescriptionMinimum(SetContext& context, std::int32_t id, Limit minimum) {
  runtime::setMinimum(context.services.descriptionRecord(id), minimum);
}
inline void setDescriptionAccess(SetContext& context, std::int32_t id, std::int32_t access) {
  runtime::setAccess(context.services.descriptionRecord(id), access);
}

// A check or apply step that has nothing to do.
inline constexpr auto kNothing = [] {};

// Raises `code` (out of range by default) unless the condition holds.
inline void require(bool condition, std::int32_t code = codes::kValueOutOfRange) {
  if (!condition) codes::raise(code);
}

// Raises -6000 unless `value` is an entry of the parameter's enumeration, as its description
// row lists it: requireEntry("FG_FORMAT", format).
template <typename Value>
void requireEntry(description::Described parameter, Value value) {
  for (const description::EnumerationEntry& entry : parameter.row->values.list->entries) {
    if (static_cast<std::int64_t>(value) == entry.value) return;
  }
  codes::raise(codes::kValueOutOfRange);
}

// Raises -6000 unless `value` lies within the range of the parameter's description row:
// requireInRange("FG_TIMEOUT", timeout).
template <typename Value>
void requireInRange(description::Described parameter, Value value) {
  const description::RowValues& range = parameter.row->values;
  if constexpr (std::is_floating_point_v<Value>) {
    require(value >= range.realMinimum && value <= range.realMaximum);
  } else {
    const auto wide = static_cast<std::int64_t>(value);
    require(wide >= range.minimum && wide <= range.maximum);
  }
}

}  // namespace brenvik::semantics
