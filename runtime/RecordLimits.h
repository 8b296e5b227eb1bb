// Changes of a live description record that follow other parameters: its access bits and
// its limits. Each returns false and changes nothing for a null record or a record whose
// kind does not keep that type of limit (int32: integers and integer fields; double:
// doubles; uint64: unsigned 64-bit records), so a limit never lands in another field.
#pragma once

#include <cstdint>

#include "runtime/ParameterRecord.h"

namespace brenvik::runtime {

bool setAccess(ParameterRecord* record, std::int32_t access);
bool setMinimum(ParameterRecord* record, std::int32_t minimum);
bool setMaximum(ParameterRecord* record, std::int32_t maximum);
bool setMinimum(ParameterRecord* record, double minimum);
bool setMaximum(ParameterRecord* record, double maximum);
bool setMinimum(ParameterRecord* record, std::uint64_t minimum);
bool setMaximum(ParameterRecord* record, std::uint64_t maximum);

}  // namespace brenvik::runtime
