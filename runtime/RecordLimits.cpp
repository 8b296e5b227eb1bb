// Access and limit changes of live description records, checked against the record's kind.
#include "runtime/RecordLimits.h"

namespace brenvik::runtime {

namespace {

bool isIntegerLayout(const ParameterRecord* record) {
  return record != nullptr &&
         (record->kind == kKindInteger || record->kind == kKindInteger2 ||
          record->kind == kKindIntegerField);
}
bool isDoubleLayout(const ParameterRecord* record) {
  return record != nullptr && record->kind == kKindDouble;
}
bool isUint64Layout(const ParameterRecord* record) {
  return record != nullptr && (record->kind == kKindUint64 || record->kind == kKindUint64b);
}

}  // namespace

bool setAccess(ParameterRecord* record, std::int32_t access) {
  if (record == nullptr) return false;
  record->access = access;
  return true;
}

bool setMinimum(ParameterRecord* record, std::int32_t minimum) {
  if (!isIntegerLayout(record)) return false;
  record->data.integer.minimum = minimum;
  // An integer field keeps its minimum a second time where other kinds keep their step.
  if (record->kind == kKindIntegerField) record->data.field.minimumAgain = minimum;
  return true;
}

bool setMaximum(ParameterRecord* record, std::int32_t maximum) {
  if (!isIntegerLayout(record)) return false;
  record->data.integer.maximum = maximum;
  return true;
}

bool setMinimum(ParameterRecord* record, double minimum) {
  if (!isDoubleLayout(record)) return false;
  record->data.real.minimum = minimum;
  return true;
}

bool setMaximum(ParameterRecord* record, double maximum) {
  if (!isDoubleLayout(record)) return false;
  record->data.real.maximum = maximum;
  return true;
}

bool setMinimum(ParameterRecord* record, std::uint64_t minimum) {
  if (!isUint64Layout(record)) return false;
  record->data.uint64.minimum = minimum;
  return true;
}

bool setMaximum(ParameterRecord* record, std::uint64_t maximum) {
  if (!isUint64Layout(record)) return false;
  record->data.uint64.maximum = maximum;
  return true;
}

}  // namespace brenvik::runtime
