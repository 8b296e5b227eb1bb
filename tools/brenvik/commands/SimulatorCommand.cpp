// "brenvik simulator": sets camera simulator values when asked, then shows the requested
// sizes, gaps and rates beside the effective ones the applet reports and the registers the
// board holds.
#include <array>
#include <iomanip>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "parameters/SdkParameterTable.h"
#include "tools/brenvik/Command.h"
#include "tools/brenvik/ErrorText.h"
#include "tools/brenvik/ValueText.h"

namespace brenvik::tool {

namespace {

using parameters::sdkId;

// One line of the table: the short name it is set by, its parameter, its unit.
struct Row {
  std::string_view name;
  std::int32_t id;
  std::string_view unit;
};
constexpr Row kRows[] = {
    {"width", sdkId("FG_CAMERASIMULATOR_WIDTH"), "pixels"},
    {"line-gap", sdkId("FG_CAMERASIMULATOR_LINE_GAP"), "pixels"},
    {"height", sdkId("FG_CAMERASIMULATOR_HEIGHT"), "lines"},
    {"frame-gap", sdkId("FG_CAMERASIMULATOR_FRAME_GAP"), "lines"},
    {"pixel-frequency", sdkId("FG_CAMERASIMULATOR_PIXEL_FREQUENCY"), "MHz"},
    {"line-rate", sdkId("FG_CAMERASIMULATOR_LINERATE"), "Hz"},
    {"frame-rate", sdkId("FG_CAMERASIMULATOR_FRAMERATE"), "Hz"},
};
constexpr Row kModeRow{"mode", sdkId("FG_CAMERASIMULATOR_SELECT_MODE"), ""};

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

// The applet's value of a row as text, or the error.
std::string effective(const Applet& applet, const Row& row) {
  try {
    return valueText(applet.get(applet.handle(row.id)), {});
  } catch (const Error& error) {
    return "error " + describeCode(error.code());
  }
}

// "Pixel Frequency (FG_PIXEL_FREQUENCY)" for the mode's value.
std::string modeName(const Applet& applet, const std::string& value) {
  for (const EnumEntry& entry : applet.parameter(kModeRow.id).entries) {
    if (std::to_string(entry.value) == value) return entry.displayName + " (" + entry.symbol + ")";
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

  const auto applet = openApplet(context);
  if (!applet) return kExitFailed;

  int status = kExitOk;
  for (const Request& request : requests) {
    const ParameterHandle handle = applet->handle(request.row->id);
    Value value;
    try {
      value = applet->parse(handle, Input::fromText(request.text));
    } catch (const Error& error) {
      return report(context, "simulator", error);
    }
    try {
      applet->set(handle, value);
    } catch (const Error& error) {
      context.err << "brenvik simulator: " << request.row->name << " = " << request.text
                  << " refused: " << describeCode(error.code()) << "\n";
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
              << modeName(*applet, effective(*applet, kModeRow)) << "\n";
  context.out << std::left << std::setw(17) << "" << std::setw(22) << "requested"
              << "effective\n";
  for (const Row& row : kRows) {
    context.out << std::setw(17) << row.name << std::setw(22) << requested(row)
                << effective(*applet, row) << " " << row.unit << "\n";
  }
  context.out << "registers:";
  const Board board = applet->board();
  for (const std::string_view name : kRegisters) {
    context.out << "\n  " << name << " = ";
    try {
      context.out << board.value(std::string(kRegisterPrefix) + std::string(name));
    } catch (const Error& error) {
      context.out << describeCode(error.code());
    }
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
