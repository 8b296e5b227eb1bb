// Result codes and their meanings, as a table.
#include "tools/brenvik/ErrorText.h"

#include <string_view>

#include "simboard/control.h"

namespace brenvik::tool {

namespace {

struct Meaning {
  std::int64_t code;
  std::string_view text;
};

constexpr Meaning kMeanings[] = {
    {0, "success"},
    {-1, "internal failure"},
    {-12, "operation not available (runtime function missing, or the parameter is read-only)"},
    {-60, "software trigger refused: the generator is busy"},
    {-100, "the hardware-applet image did not open, or the runtime initialisation failed"},
    {-500, "buffer too small"},
    {-2001, "invalid handle"},
    {-2031, "SDK runtime library or its initialisation functions missing, or a lookup in "
            "the hardware applet's description failed"},
    {-2070, "invalid parameter (null value, unknown id, unknown DMA index or process)"},
    {-2075, "no description for the port"},
    {-2076, "file missing or of the wrong type"},
    {-2078, "wrong type code for releasing a string, or a failed downscale cross-check"},
    {-2079, "a trigger timing cross-check failed"},
    {-2130, "not supported"},
    {-2140, "software trigger refused: not in software trigger mode"},
    {-2141, "software trigger refused: the trigger is not active"},
    {-5000, "a configuration or lookup-table file could not be read"},
    {-5001, "a configuration or lookup-table file could not be read or written"},
    {-6000, "value out of range or not allowed"},
    {-7080, "value not a multiple of the required granularity"},
    {-8000, "key not found in a configuration file"},
};

}  // namespace

std::string codeMeaning(std::int64_t code) {
  for (const auto& entry : kMeanings) {
    if (entry.code == code) return std::string(entry.text);
  }
  if (code >= INT32_MIN && code <= INT32_MAX) {
    if (const char* board = simboard_error_text(static_cast<std::int32_t>(code))) return board;
  }
  return "unknown error";
}

std::string describeCode(std::int64_t code) {
  return std::to_string(code) + " (" + codeMeaning(code) + ")";
}

}  // namespace brenvik::tool
