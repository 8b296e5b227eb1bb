// The symbolic names of parameter values and their numbers, built once on first use.
#include <map>
#include <string>

#include "applet/Info.h"

namespace brenvik::info {

namespace {

struct Single {
  std::string_view name;
  std::int32_t value;
};

// A run of names that differ only in a trailing number: prefix + 0 … count-1, valued from
// firstValue upwards.
struct Run {
  std::string_view prefix;
  std::int32_t count;
  std::int32_t firstValue;
};

constexpr Single kSingles[] = {
    {"FG_YES", 1}, {"FG_NO", 0}, {"FG_ON", 1}, {"FG_OFF", 0}, {"FG_INITIALIZE", 0},
    {"FG_POCL_CONNECTION_SENSE", 1}, {"FG_POCL_WAIT_FOR_CONNECTION", 6},
    {"FG_POCL_CAMERA_DETECTED", 2}, {"FG_POCL_CAMERA_CLOCK_DETECTED", 3},
    {"FG_CL_WAIT_FOR_CONNECTION", 7}, {"FG_CL_CAMERA_DETECTED", 4},
    {"FG_CL_CAMERA_CLOCK_DETECTED", 5}, {"FG_POCL_DISABLED", 8},
    {"FG_CL_FULL_8_TAP_8_BIT", 308}, {"FG_CL_FULL_10_TAP_8_BIT", 310},
    {"FG_CL_FULL_8_TAP_10_BIT", 311}, {"FG_APPLY", 1}, {"FG_ENDOFLINE", 0},
    {"FG_ENDOFFRAME", 1}, {"FG_GEOMETRY_1X8", 0x1800000}, {"FG_GEOMETRY_1X10", 0x1A00000},
    {"FG_GEOMETRY_4X2", 0x4200000}, {"FG_GEOMETRY_4X2E", 0x4210000},
    {"FG_GEOMETRY_5X2", 0x5200000}, {"FG_GEOMETRY_8X", 0x8100000},
    {"FG_GEOMETRY_10X", 0xA100000}, {"FG_VANTAGEPOINT_TOP_LEFT", 0},
    {"FG_VANTAGEPOINT_TOP_RIGHT", 1}, {"FG_GRAY", 3}, {"FG_GRAY10", 21}, {"FG_GRAY16", 1},
    {"FG_LEFT_ALIGNED", 1}, {"FG_RIGHT_ALIGNED", 0}, {"FG_CUSTOM_BIT_SHIFT_MODE", 2},
    {"FG_CAMPORT", 0}, {"FG_CAMERASIMULATOR", 1}, {"FG_HORIZONTAL", 1}, {"FG_VERTICAL", 2},
    {"FG_DIAGONAL", 3}, {"FG_PIXEL_FREQUENCY", 0}, {"FG_LINERATE", 1}, {"FG_FRAMERATE", 2},
    {"SIMULATION_FREE_RUN", 0}, {"RISING_EDGE_TRIGGERS_LINE", 8},
    {"RISING_EDGE_TRIGGERS_FRAME", 9}, {"LUT_TYPE_PROCESSING", 3}, {"LUT_TYPE_CUSTOM", 0},
    {"LUT_IMPLEMENTATION_FULL_LUT", 0}, {"LUT_IMPLEMENTATION_KNEELUT", 1},
    {"ATM_GENERATOR", 1}, {"ATM_EXTERNAL", 2}, {"ATM_SOFTWARE", 4}, {"TS_ACTIVE", 0},
    {"TS_ASYNC_STOP", 1}, {"TS_SYNC_STOP", 2}, {"LOW_ACTIVE", 1}, {"HIGH_ACTIVE", 0},
    {"IS_BUSY", 1}, {"IS_NOT_BUSY", 0}, {"VCC", 5}, {"GND", 4},
};

constexpr Run kRuns[] = {
    {"TRGINSRC_GPI_", 8, 0},       {"TRGINSRC_FRONT_GPI_", 4, 16},
    {"CAM_A_PULSEGEN", 4, 50},     {"CAM_A_NOT_PULSEGEN", 4, 60},
    {"BYPASS_GPI_", 8, 10},        {"NOT_BYPASS_GPI_", 8, 20},
    {"BYPASS_FRONT_GPI_", 4, 30},  {"NOT_BYPASS_FRONT_GPI_", 4, 40},
    {"PULSEGEN", 4, 0},            {"NOT_PULSEGEN", 4, 6},
};

const std::map<std::string, std::int32_t, std::less<>>& table() {
  // A function-local static is built exactly once, even when two threads ask first.
  static const auto kTable = [] {
    std::map<std::string, std::int32_t, std::less<>> names;
    for (const auto& single : kSingles) names.emplace(single.name, single.value);
    for (const auto& run : kRuns) {
      for (std::int32_t i = 0; i < run.count; ++i) {
        names.emplace(std::string(run.prefix) + std::to_string(i), run.firstValue + i);
      }
    }
    return names;
  }();
  return kTable;
}

}  // namespace

std::optional<std::int32_t> valueOfName(std::string_view name) {
  const auto& names = table();
  const auto entry = names.find(name);
  if (entry == names.end()) return std::nullopt;
  return entry->second;
}

std::size_t valueNameCount() { return table().size(); }

}  // namespace brenvik::info
