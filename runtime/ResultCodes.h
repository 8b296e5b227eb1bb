// Result codes of the SDK interface that the applet returns at its exports and stores as its
// last error, and the raise mechanism of the parameter operations.
#pragma once

#include <cstdint>

namespace brenvik::codes {

inline constexpr std::int32_t kSuccess = 0;
inline constexpr std::int32_t kInternalFailure = -1;  // also: no shading object
inline constexpr std::int32_t kNotAvailable = -12;    // runtime function missing, or read-only
inline constexpr std::int32_t kSoftwareTriggerBusy = -60;
inline constexpr std::int32_t kInitFailed = -100;     // image did not open, or init failed
inline constexpr std::int32_t kBufferTooSmall = -500;
inline constexpr std::int32_t kInvalidHandle = -2001;
inline constexpr std::int32_t kRuntimeMissing = -2031;  // library, init function or lookup
inline constexpr std::int32_t kInvalidParameter = -2070;
inline constexpr std::int32_t kNoDescription = -2075;
inline constexpr std::int32_t kFileMissing = -2076;
inline constexpr std::int32_t kWrongStringType = -2078;
inline constexpr std::int32_t kTriggerDownscaleCheck = -2078;  // same code, trigger meaning
inline constexpr std::int32_t kTriggerTimingCheck = -2079;
inline constexpr std::int32_t kNotSupported = -2130;
inline constexpr std::int32_t kSoftwareTriggerMode = -2140;
inline constexpr std::int32_t kSoftwareTriggerState = -2141;
inline constexpr std::int32_t kConfigurationRead = -5000;
inline constexpr std::int32_t kConfigurationWrite = -5001;
inline constexpr std::int32_t kValueOutOfRange = -6000;
inline constexpr std::int32_t kGranularity = -7080;
inline constexpr std::int32_t kKeyNotFound = -8000;

// A failure raised inside the parameter operations and turned into a result code once, at
// the entry of the get or set operation.
struct RaisedCode {
  std::int32_t code;
};

[[noreturn]] inline void raise(std::int32_t code) { throw RaisedCode{code}; }

}  // namespace brenvik::codes
