// What each result code of ResultCodes.h means, in words for people: one row per code.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "runtime/ResultCodes.h"

namespace brenvik::codes {

struct ResultMeaning {
  std::int32_t code;
  std::string_view text;
};

inline constexpr auto kResultMeanings = std::to_array<ResultMeaning>({
    {kSuccess, "success"},
    {kInternalFailure, "internal failure"},
    {kNotAvailable,
     "operation not available (runtime function missing, or the parameter is read-only)"},
    {kSoftwareTriggerBusy, "software trigger refused: the generator is busy"},
    {kInitFailed, "the hardware-applet image did not open, or the runtime initialisation failed"},
    {kBufferTooSmall, "buffer too small"},
    {kInvalidHandle, "invalid handle"},
    {kRuntimeMissing,
     "SDK runtime library or its initialisation functions missing, or a lookup in the "
     "hardware applet's description failed"},
    {kInvalidParameter, "invalid parameter (null value, unknown id, unknown DMA index or process)"},
    {kNoDescription, "no description for the port"},
    {kFileMissing, "file missing or of the wrong type"},
    // kWrongStringType and kTriggerDownscaleCheck share their code.
    {kWrongStringType, "wrong type code for releasing a string, or a failed downscale cross-check"},
    {kTriggerTimingCheck, "a trigger timing cross-check failed"},
    {kNotSupported, "not supported"},
    {kSoftwareTriggerMode, "software trigger refused: not in software trigger mode"},
    {kSoftwareTriggerState, "software trigger refused: the trigger is not active"},
    {kConfigurationRead, "a configuration or lookup-table file could not be read"},
    {kConfigurationWrite, "a configuration or lookup-table file could not be read or written"},
    {kValueOutOfRange, "value out of range or not allowed"},
    {kGranularity, "value not a multiple of the required granularity"},
    {kKeyNotFound, "key not found in a configuration file"},
});

// The meaning of a code of ResultCodes.h; empty for any other code.
constexpr std::string_view resultMeaning(std::int32_t code) {
  for (const ResultMeaning& row : kResultMeanings) {
    if (row.code == code) return row.text;
  }
  return {};
}

}  // namespace brenvik::codes
