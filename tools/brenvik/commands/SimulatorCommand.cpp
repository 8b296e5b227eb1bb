// "brenvik simulator": sets camera simulator values when asked, then shows the requested
// sizes, gaps and rates beside the effective ones the applet reports and the registers the
// board holds.
#include <array>
#include <charconv>
#include <iomanip>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "parameters/Enumerations.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "simboard/control.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"

namespace brenvik::tool {

namespace {

using parameters::sdkId;

constexpr int kValueOfNameQuery = 0x1100;
constexpr std::size_t kTextSize = 64;

// One line of the table: the short name it is set by, its parameter, its unit.
struct Row {
  std::string_view name;
  std::int32_t id;
  bool real;
  std::string_view unit;
};
constexpr Row kRows[] = {
    {"width", sdkId("FG_CAMERASIMULATOR_WIDTH"), false, "pixels"},
    {"line-gap", sdkId("FG_CAMERASIMULATOR_LINE_GAP"), false, "pixels"},
    {"height", sdkId("FG_CAMERASIMULATOR_HEIGHT"), false, "lines"},
    {"frame-gap", sdkId("FG_CAMERASIMULATOR_FRAME_GAP"), false, "lines"},
    {"pixel-frequency", sdkId("FG_CAMERASIMULATOR_PIXEL_FREQUENCY"), true, "MHz"},
    {"line-rate", sdkId("FG_CAMERASIMULATOR_LINERATE"), true, "Hz"},
    {"frame-rate", sdkId("FG_CAMERASIMULATOR_FRAMERATE"), true, "Hz"},
};
constexpr Row kModeRow{"mode", sdkId("FG_CAMERASIMULATOR_SELECT_MODE"), false, ""};

// The registers behind the sizes and the timing, as the board names them.
constexpr std::array<std::string_view, 8> kRegisters{
    "ControlPixelClock_Mode",
    "Size_ImageWidth",
    "LineGap_Number",
    "Size_ImageHeight",
    "FrameGap_Number",
    "PixelFrequency_ActivePixel_Number",
    "PixelFrequency_RepeatPat_Divisor",
    "PixelFrequency_SequenceLength_ImageWidth",
};
constexpr std::string_view kRegisterPrefix = "Device1_Process0_CameraSimulator_";

struct Request {
  const Row* row;
  std::string text;
  bool given = false;
};

const Row* findRow(std::string_view name) {
  if (name == kModeRow.name) return &kModeRow;
  for (const Row& row : kRows) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

std::string shownDouble(double value) {
  std::ostringstream text;
  text << std::setprecision(std::numeric_limits<double>::max_digits10) << value;
  return text.str();
}

// Sets one requested value in the parameter's own type; the mode also by its symbol.
int setRequest(const AppletHost& host, AppletHandle* handle, const Row& row,
               const std::string& text, bool* understood) {
  const auto set = host.function<decltype(&Fg_setParameterWithType)>("Fg_setParameterWithType");
  *understood = true;
  if (row.real) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
      *understood = false;
      return 0;
    }
    return set(handle, row.id, &value, 0, runtime::kTypeDouble);
  }
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
    const int named = host.info(kValueOfNameQuery, 0, 0, const_cast<char*>(text.c_str()), nullptr);
    if (&row != &kModeRow || named < 0) {
      *understood = false;
      return 0;
    }
    value = static_cast<std::uint32_t>(named);
  }
  return set(handle, row.id, &value, 0, runtime::kTypeUint32);
}

// The applet's value of a row as text, or the error.
std::string effective(const AppletHost& host, AppletHandle* handle, const Row& row) {
  const auto get = host.function<decltype(&Fg_getParameterWithType)>("Fg_getParameterWithType");
  if (row.real) {
    double value = 0;
    const int result = get(handle, row.id, &value, 0, runtime::kTypeDouble);
    return result == 0 ? shownDouble(value) : "error " + describeCode(result);
  }
  std::uint32_t value = 0;
  const int result = get(handle, row.id, &value, 0, runtime::kTypeUint32);
  return result == 0 ? std::to_string(value) : "error " + describeCode(result);
}

std::string modeName(const std::string& value) {
  for (const parameters::EnumerationEntry& entry : parameters::enumerations::kT19Entries) {
    if (std::to_string(entry.value) == value) {
      return std::string(entry.displayName) + " (" + std::string(entry.name) + ")";
    }
  }
  return value;
}

int run(Context& context, const std::vector<std::string>& arguments) {
  std::vector<Request> requests;
  for (const std::string& argument : arguments) {
    const auto equals = argument.find('=');
    const Row* row = equals == std::string::npos ? nullptr : findRow(argument.substr(0, equals));
    if (row == nullptr) {
      context.err << "brenvik simulator: expected mode, width, line-gap, height, frame-gap, "
                     "pixel-frequency, line-rate or frame-rate =VALUE, not '"
                  << argument << "'\n";
      return kExitUsage;
    }
    requests.push_back({row, argument.substr(equals + 1), true});
  }

  std::int32_t creation = 0;
  auto host = openApplet(context, &creation);
  if (!host || !host->created()) return kExitFailed;
  AppletHandle* handle = host->handle();

  int status = kExitOk;
  for (const Request& request : requests) {
    bool understood = true;
    const int result = setRequest(*host, handle, *request.row, request.text, &understood);
    if (!understood) {
      context.err << "brenvik simulator: " << request.row->name << " takes "
                  << (request.row->real ? "a number" : "an unsigned integer") << ", not '"
                  << request.text << "'\n";
      return kExitUsage;
    }
    if (result != 0) {
      context.err << "brenvik simulator: " << request.row->name << " = " << request.text
                  << " refused: " << describeCode(result) << "\n";
      status = kExitFailed;
      break;
    }
  }

  // The last request of a row is the one in force.
  auto requested = [&](const Row& row) {
    std::string text = "-";
    for (const Request& request : requests) {
      if (request.row == &row) text = request.text;
    }
    return text;
  };
  context.out << "camera simulator on board " << context.options.board << ", mode "
              << modeName(effective(*host, handle, kModeRow)) << "\n";
  context.out << std::left << std::setw(17) << "" << std::setw(22) << "requested"
              << "effective\n";
  for (const Row& row : kRows) {
    context.out << std::setw(17) << row.name << std::setw(22) << requested(row)
                << effective(*host, handle, row) << " " << row.unit << "\n";
  }
  context.out << "registers:";
  std::array<char, kTextSize> text{};
  for (const std::string_view name : kRegisters) {
    const std::string full = std::string(kRegisterPrefix) + std::string(name);
    const int result = simboard_get(context.options.board, full.c_str(), text.data(), text.size());
    context.out << "\n  " << name << " = " << (result == 0 ? text.data() : describeCode(result));
  }
  context.out << "\n";
  return status;
}

}  // namespace

extern const Command kSimulatorCommand{
    "simulator",
    "show the camera simulator's requested and effective sizes, gaps and rates",
    "usage: brenvik [options] simulator [NAME=VALUE ...]\n"
    "\n"
    "Creates the applet (or takes the one that 'set ... then' prepared), sets the camera\n"
    "simulator values given, in order, and shows each size, gap and rate as requested\n"
    "beside the effective value the applet reports (sizes rounded to 8 pixels, gaps and\n"
    "rates of the select mode in force), then the simulator's registers on the board.\n"
    "NAME is mode, width, line-gap, height, frame-gap, pixel-frequency (MHz), line-rate or\n"
    "frame-rate (Hz); mode takes 0, 1, 2 or FG_PIXEL_FREQUENCY, FG_LINERATE, FG_FRAMERATE.\n"
    "A refused value prints its code and meaning, the table shows what the applet kept,\n"
    "and the exit status is 1:\n"
    "  brenvik simulator mode=FG_PIXEL_FREQUENCY width=1001 line-gap=100 pixel-frequency=62.5\n",
    &run,
};

}  // namespace brenvik::tool
