// The camera simulator's setters: pattern and trigger tables, the size writes, the three
// timing modes, the select mode with its access table, and the limits they keep current.
#include "semantics/CameraSimulator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "parameters/CurrentValues.h"
#include "parameters/HardwareBinding.h"
#include "parameters/SimulatorRates.h"
#include "runtime/ParameterRecord.h"
#include "semantics/Conversion.h"
#include "semantics/SetterContract.h"
#include "semantics/SimulatorTiming.h"

namespace brenvik::semantics {

namespace {

using description::describedRow;
using parameters::enumUnsigned;
using parameters::enumValue;
using parameters::Hw;
using parameters::sdkId;
using parameters::SimulatorValues;
using namespace parameters::simulator;
using namespace simulator_timing;

// The longest line and the tallest frame, gaps included.
constexpr auto kLargestSize =
    static_cast<std::uint64_t>(describedRow("FG_CAMERASIMULATOR_WIDTH").values.maximum);
static_assert(describedRow("FG_CAMERASIMULATOR_HEIGHT").values.maximum ==
              static_cast<std::int64_t>(kLargestSize));
constexpr double kSlowestLineRate = describedRow("FG_CAMERASIMULATOR_LINERATE").values.realMinimum;
constexpr double kSlowestFrameRate =
    describedRow("FG_CAMERASIMULATOR_FRAMERATE").values.realMinimum;
constexpr double kSmallestRateLimit = std::numeric_limits<double>::min();

constexpr std::int32_t kWidthId = sdkId("FG_CAMERASIMULATOR_WIDTH");
constexpr std::int32_t kLineGapId = sdkId("FG_CAMERASIMULATOR_LINE_GAP");
constexpr std::int32_t kHeightId = sdkId("FG_CAMERASIMULATOR_HEIGHT");
constexpr std::int32_t kFrameGapId = sdkId("FG_CAMERASIMULATOR_FRAME_GAP");
constexpr std::int32_t kPixelFrequencyId = sdkId("FG_CAMERASIMULATOR_PIXEL_FREQUENCY");
constexpr std::int32_t kLineRateId = sdkId("FG_CAMERASIMULATOR_LINERATE");
constexpr std::int32_t kFrameRateId = sdkId("FG_CAMERASIMULATOR_FRAMERATE");

// --- Tables ---

// What a pattern writes: the x enable and the y divisor.
struct PatternRow {
  std::uint32_t pattern;
  std::uint32_t enableX;
  std::uint32_t yDivisor;
};
constexpr PatternRow kPatterns[] = {
    {enumUnsigned("FG_HORIZONTAL"), 1, 1},
    {enumUnsigned("FG_VERTICAL"), 0, 256},
    {enumUnsigned("FG_DIAGONAL"), 1, 256},
};

// What a trigger mode writes: the free-run select and the trigger valve's mode.
struct TriggerModeRow {
  std::uint32_t mode;
  std::uint32_t freeRun;
  std::uint32_t valveMode;
};
constexpr TriggerModeRow kTriggerModes[] = {
    {enumUnsigned("SIMULATION_FREE_RUN"), 1, 2},
    {enumUnsigned("RISING_EDGE_TRIGGERS_LINE"), 0, 1},
    {enumUnsigned("RISING_EDGE_TRIGGERS_FRAME"), 0, 2},
};

// Which of the speed and gap parameters each select mode lets the user write.
constexpr std::int32_t kRW = runtime::kAccessReadWrite;
constexpr std::int32_t kRO = runtime::kAccessReadOnly;
constexpr std::array<std::int32_t, 5> kModeDependent{kPixelFrequencyId, kLineRateId, kFrameRateId,
                                                     kLineGapId, kFrameGapId};
struct ModeAccessRow {
  std::uint32_t mode;
  std::array<std::int32_t, kModeDependent.size()> access;
};
constexpr ModeAccessRow kModeAccess[] = {
    {kPixelFrequencyMode, {kRW, kRO, kRO, kRW, kRW}},
    {kLineRateMode, {kRO, kRW, kRO, kRO, kRW}},
    {kFrameRateMode, {kRO, kRO, kRW, kRO, kRO}},
};

template <typename Row, std::size_t N>
const Row& rowFor(const Row (&rows)[N], std::uint32_t key, std::uint32_t Row::*field) {
  for (const Row& row : rows) {
    if (row.*field == key) return row;
  }
  codes::raise(codes::kValueOutOfRange);
}

// --- The derived state and the rates of the current mode ---

SimulatorValues& simulatorOf(SetContext& context) { return context.values.simulator; }

double currentLineRate(SetContext& context) {
  const SimulatorValues& simulator = simulatorOf(context);
  return lineRate(context.hardware, simulator, simulator.selectMode);
}
double currentFrameRate(SetContext& context) {
  const SimulatorValues& simulator = simulatorOf(context);
  return frameRate(context.hardware, simulator, simulator.selectMode);
}

// A limit of `ceiling` lowered to trunc(bound); an infinite or undefined bound lowers nothing.
std::int64_t boundedLimit(std::int64_t ceiling, double bound) {
  if (std::isnan(bound) || bound >= static_cast<double>(ceiling)) return ceiling;
  return std::max<std::int64_t>(conversion::held<std::int64_t>(bound),
                                std::numeric_limits<std::int32_t>::min());
}

std::int64_t widthLimit(SetContext& context) {
  const SimulatorValues& simulator = simulatorOf(context);
  const std::uint32_t gap = countedLineGap(simulator, simulator.selectMode);
  const auto ceiling = static_cast<std::int64_t>(kLargestSize) - gap;
  const double pixelRate = simulator.maximumPixelRate;
  switch (simulator.selectMode) {
    case kLineRateMode:
      return boundedLimit(ceiling, pixelRate / currentLineRate(context) - gap - 8);
    case kFrameRateMode:
      return boundedLimit(
          ceiling, pixelRate / (simulator.effectiveHeight * currentFrameRate(context)) - gap - 8);
    default:
      return ceiling;
  }
}

std::int64_t lineGapLimit(SetContext& context) {
  const SimulatorValues& simulator = simulatorOf(context);
  const auto ceiling = static_cast<std::int64_t>(kLargestSize) - simulator.effectiveWidth;
  switch (simulator.selectMode) {
    case kPixelFrequencyMode:
      return ceiling;
    case kLineRateMode:
      return boundedLimit(ceiling, simulator.maximumPixelRate / currentLineRate(context) -
                                       simulator.effectiveWidth - 8);
    default:
      return 0;
  }
}

std::int64_t heightLimit(SetContext& context) {
  const SimulatorValues& simulator = simulatorOf(context);
  const std::uint32_t gap = countedFrameGap(simulator, simulator.selectMode);
  const auto ceiling = static_cast<std::int64_t>(kLargestSize) - gap;
  if (simulator.selectMode != kFrameRateMode) return ceiling;
  return boundedLimit(ceiling, simulator.maximumPixelRate /
                                   ((simulator.effectiveWidth + 8.0) * currentFrameRate(context)));
}

std::int64_t frameGapLimit(SetContext& context) {
  const SimulatorValues& simulator = simulatorOf(context);
  if (simulator.selectMode != kPixelFrequencyMode) return 0;
  return static_cast<std::int64_t>(kLargestSize) - simulator.effectiveHeight;
}

double lineRateLimit(const SimulatorValues& simulator) {
  return simulator.maximumPixelRate / (simulator.effectiveWidth + 8.0);
}
double frameRateLimit(const SimulatorValues& simulator) {
  return simulator.maximumPixelRate /
         ((simulator.effectiveWidth + 8.0) * simulator.effectiveHeight);
}

// --- Limit steps ---

void setIntegerMaximum(SetContext& context, std::int32_t id, std::int64_t maximum) {
  setDescriptionMaximum(context, id, static_cast<std::int32_t>(maximum));
}

void widthLimitStep(SetContext& context) {
  setIntegerMaximum(context, kWidthId, widthLimit(context));
}
void lineGapLimitStep(SetContext& context) {
  setIntegerMaximum(context, kLineGapId, lineGapLimit(context));
}
void heightLimitStep(SetContext& context) {
  setIntegerMaximum(context, kHeightId, heightLimit(context));
}
void frameGapLimitStep(SetContext& context) {
  setIntegerMaximum(context, kFrameGapId, frameGapLimit(context));
}
void lineRateLimitStep(SetContext& context) {
  setDescriptionMaximum(context, kLineRateId,
                        std::max(lineRateLimit(simulatorOf(context)), kSmallestRateLimit));
}
void frameRateLimitStep(SetContext& context) {
  setDescriptionMaximum(context, kFrameRateId,
                        std::max(frameRateLimit(simulatorOf(context)), kSmallestRateLimit));
}

// The description lets the user write the speed and the gaps that the select mode uses. Run
// after a successful change only, so a refused mode leaves the access of the mode in force.
void modeAccessStep(SetContext& context) {
  const ModeAccessRow& row =
      rowFor(kModeAccess, simulatorOf(context).selectMode, &ModeAccessRow::mode);
  for (std::size_t i = 0; i < kModeDependent.size(); ++i) {
    setDescriptionAccess(context, kModeDependent[i], row.access[i]);
  }
}

// --- Size writes ---

// The line: width and gap rounded up to whole ticks, written as the whole line and its
// active part in 8-pixel units.
void writeHorizontalSize(SetContext& context, std::uint64_t width, std::uint64_t gap) {
  const std::uint64_t width8 = roundedToTicks(width);
  const std::uint64_t gap8 = roundedToTicks(gap);
  require(width8 + gap8 <= kLargestSize);
  SimulatorValues& simulator = simulatorOf(context);
  simulator.effectiveWidth = static_cast<std::uint32_t>(width8);
  simulator.effectiveLineGap = static_cast<std::uint32_t>(gap8);
  const parameters::HardwareBinding& hardware = context.hardware;
  hardware.writeUint32(Hw::CameraSimulator_Size_ImageWidth,
                       static_cast<std::uint32_t>((width8 + gap8) / kPixelsPerTick), true);
  hardware.writeUint32(Hw::CameraSimulator_LineGap_Number,
                       static_cast<std::uint32_t>(width8 / kPixelsPerTick), true);
}

// The frame: the whole frame in lines, then its active lines.
void writeVerticalSize(SetContext& context, std::uint64_t height, std::uint64_t gap) {
  require(height + gap <= kLargestSize);
  SimulatorValues& simulator = simulatorOf(context);
  simulator.effectiveHeight = static_cast<std::uint32_t>(height);
  simulator.effectiveFrameGap = static_cast<std::uint32_t>(gap);
  const parameters::HardwareBinding& hardware = context.hardware;
  hardware.writeUint32(Hw::CameraSimulator_Size_ImageHeight,
                       static_cast<std::uint32_t>(height + gap), true);
  hardware.writeUint32(Hw::CameraSimulator_FrameGap_Number, static_cast<std::uint32_t>(height),
                       true);
}

// A simulator setter: the setter contract, and a failure also puts the derived state back,
// so a refused set leaves every simulator value as it was (only hardware stays written).
template <typename Value, typename Check, typename Apply>
void runSimulatorSetter(SetContext& context, Value& stored, Value value, bool reportErrors,
                        Check&& check, Apply&& apply, std::initializer_list<LimitStep> limits) {
  runSetter(
      context, stored, value, reportErrors, check,
      [&] {
        const SimulatorValues before = simulatorOf(context);
        try {
          apply();
        } catch (...) {
          simulatorOf(context) = before;
          throw;
        }
      },
      limits);
}

}  // namespace

// --- Simple setters ---

void setSimulatorEnable(SetContext& context, std::int32_t enable, bool reportErrors) {
  runSetter(
      context, simulatorOf(context).enable, enable, reportErrors,
      [&] { requireEntry("FG_CAMERASIMULATOR_ENABLE", enable); },
      [&] {
        context.hardware.writeUint32(Hw::CameraSimulator_Enable_SelectSource,
                                     static_cast<std::uint32_t>(enable), true);
      });
}

void setSimulatorPattern(SetContext& context, std::uint32_t pattern, bool reportErrors) {
  runSetter(
      context, simulatorOf(context).pattern, pattern, reportErrors,
      [&] { requireEntry("FG_CAMERASIMULATOR_PATTERN", pattern); },
      [&] {
        const PatternRow& row = rowFor(kPatterns, pattern, &PatternRow::pattern);
        context.hardware.writeUint32(Hw::CameraSimulator_EnableX_Enable_Value, row.enableX, true);
        context.hardware.writeUint32(Hw::CameraSimulator_Y_Divisor, row.yDivisor, true);
      });
}

void setSimulatorPatternOffset(SetContext& context, std::uint32_t offset, bool reportErrors) {
  runSetter(
      context, simulatorOf(context).patternOffset, offset, reportErrors,
      [&] { requireInRange("FG_CAMERASIMULATOR_PATTERN_OFFSET", offset); },
      [&] { context.hardware.writeUint32(Hw::CameraSimulator_Offset_Value, offset, true); });
}

void setSimulatorRoll(SetContext& context, std::int32_t roll, bool reportErrors) {
  runSetter(
      context, simulatorOf(context).roll, roll, reportErrors,
      [&] { requireEntry("FG_CAMERASIMULATOR_ROLL", roll); },
      [&] {
        // The frame divisor makes the pattern move from frame to frame, or stand still.
        const std::uint32_t divisor = roll == enumValue("FG_ON") ? 256 : 1;
        context.hardware.writeUint32(Hw::CameraSimulator_Frame_Divisor, divisor, true);
      });
}

void setSimulatorTriggerMode(SetContext& context, std::uint32_t mode, bool reportErrors) {
  runSetter(
      context, simulatorOf(context).triggerMode, mode, reportErrors,
      [&] { requireEntry("FG_CAMERASIMULATOR_TRIGGER_MODE", mode); },
      [&] {
        const TriggerModeRow& row = rowFor(kTriggerModes, mode, &TriggerModeRow::mode);
        context.hardware.writeUint32(Hw::CameraSimulator_TriggerValve_FreeRun_Select, row.freeRun,
                                     true);
        context.hardware.writeUint32(Hw::CameraSimulator_TriggerValve_TriggerValve_Mode,
                                     row.valveMode, true);
      });
}

// --- Sizes: the select mode decides which gaps count ---

void setSimulatorWidth(SetContext& context, std::uint32_t width, bool reportErrors) {
  SimulatorValues& simulator = simulatorOf(context);
  runSimulatorSetter(
      context, simulator.width, width, reportErrors,
      [&] { require(width != 0 && width <= widthLimit(context)); },
      [&] { writeHorizontalSize(context, width, countedLineGap(simulator, simulator.selectMode)); },
      {lineGapLimitStep, heightLimitStep, lineRateLimitStep, frameRateLimitStep});
}

void setSimulatorLineGap(SetContext& context, std::uint32_t gap, bool reportErrors) {
  SimulatorValues& simulator = simulatorOf(context);
  runSimulatorSetter(
      context, simulator.lineGap, gap, reportErrors, [&] { require(gap <= lineGapLimit(context)); },
      [&] { writeHorizontalSize(context, simulator.effectiveWidth, gap); }, {widthLimitStep});
}

void setSimulatorHeight(SetContext& context, std::uint32_t height, bool reportErrors) {
  SimulatorValues& simulator = simulatorOf(context);
  runSimulatorSetter(
      context, simulator.height, height, reportErrors,
      [&] { require(height != 0 && height <= heightLimit(context)); },
      [&] {
        writeVerticalSize(context, height, countedFrameGap(simulator, simulator.selectMode));
        // The frame rate holds: the line time follows the new height.
        if (simulator.selectMode == kFrameRateMode) {
          setSimulatorFrameRate(context, simulator.frameRate, true);
        }
      },
      {widthLimitStep, frameGapLimitStep, frameRateLimitStep});
}

void setSimulatorFrameGap(SetContext& context, std::uint32_t gap, bool reportErrors) {
  SimulatorValues& simulator = simulatorOf(context);
  runSimulatorSetter(
      context, simulator.frameGap, gap, reportErrors,
      [&] { require(gap <= frameGapLimit(context)); },
      [&] { writeVerticalSize(context, simulator.effectiveHeight, gap); }, {heightLimitStep});
}

// --- Timing ---

void setSimulatorPixelFrequency(SetContext& context, double megahertz, bool reportErrors) {
  SimulatorValues& simulator = simulatorOf(context);
  runSimulatorSetter(
      context, simulator.pixelFrequency, megahertz, reportErrors,
      [&] {
        requireInRange("FG_CAMERASIMULATOR_PIXEL_FREQUENCY", megahertz);
        // Below 0.25 MHz no pixel of the sequence is active and no repeat divisor exists.
        require(activePixels(megahertz) != 0);
      },
      [&] {
        const std::uint32_t active = activePixels(megahertz);
        const parameters::HardwareBinding& hardware = context.hardware;
        hardware.writeUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number, active, true);
        hardware.writeUint32(Hw::CameraSimulator_PixelFrequency_RepeatPat_Divisor,
                             kSequenceTicks / active, true);
        hardware.writeUint32(Hw::CameraSimulator_PixelFrequency_SequenceLength_ImageWidth,
                             kSequenceTicks, true);
        simulator.actualFrameRate = currentFrameRate(context);
      },
      {});
}

void setSimulatorLineRate(SetContext& context, double linesPerSecond, bool reportErrors) {
  SimulatorValues& simulator = simulatorOf(context);
  runSimulatorSetter(
      context, simulator.lineRate, linesPerSecond, reportErrors,
      [&] {
        require(linesPerSecond >= kSlowestLineRate && linesPerSecond <= lineRateLimit(simulator));
      },
      [&] {
        const parameters::HardwareBinding& hardware = context.hardware;
        hardware.writeUint32(Hw::CameraSimulator_PixelFrequency_SequenceLength_ImageWidth,
                             lineTicks(linesPerSecond), true);
        hardware.writeUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number, 1, true);
        writeHorizontalSize(context, simulator.effectiveWidth, 0);
        simulator.actualFrameRate = currentFrameRate(context);
      },
      {widthLimitStep, lineGapLimitStep});
}

void setSimulatorFrameRate(SetContext& context, double framesPerSecond, bool reportErrors) {
  SimulatorValues& simulator = simulatorOf(context);
  runSimulatorSetter(
      context, simulator.frameRate, framesPerSecond, reportErrors,
      [&] {
        require(framesPerSecond >= kSlowestFrameRate &&
                framesPerSecond <= frameRateLimit(simulator));
      },
      [&] {
        const parameters::HardwareBinding& hardware = context.hardware;
        hardware.writeUint32(Hw::CameraSimulator_PixelFrequency_SequenceLength_ImageWidth,
                             lineTicksForFrameRate(framesPerSecond, simulator.effectiveHeight),
                             true);
        hardware.writeUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number, 1, true);
        writeHorizontalSize(context, simulator.effectiveWidth, 0);
        writeVerticalSize(context, simulator.effectiveHeight, 0);
        simulator.actualFrameRate = frameRate(hardware, simulator, kFrameRateMode);
      },
      {widthLimitStep, heightLimitStep});
}

// --- The select mode ---

void setSimulatorSelectMode(SetContext& context, std::uint32_t mode, bool reportErrors) {
  SimulatorValues& simulator = simulatorOf(context);
  runSimulatorSetter(
      context, simulator.selectMode, mode, reportErrors,
      [&] { requireEntry("FG_CAMERASIMULATOR_SELECT_MODE", mode); },
      [&] {
        context.hardware.writeUint32(Hw::CameraSimulator_ControlPixelClock_Mode,
                                     mode == kPixelFrequencyMode ? 0 : 1, true);
        writeHorizontalSize(context, simulator.effectiveWidth, simulator.lineGap);
        writeVerticalSize(context, simulator.effectiveHeight, simulator.frameGap);
        // The new mode's speed is set again; a stored line rate too fast for the width is
        // lowered to the fastest the width allows.
        switch (mode) {
          case kPixelFrequencyMode:
            setSimulatorPixelFrequency(context, simulator.pixelFrequency, true);
            break;
          case kLineRateMode:
            setSimulatorLineRate(context, std::min(simulator.lineRate, lineRateLimit(simulator)),
                                 true);
            break;
          default:
            setSimulatorFrameRate(context, simulator.actualFrameRate, true);
            break;
        }
      },
      {modeAccessStep, widthLimitStep, lineGapLimitStep, heightLimitStep, frameGapLimitStep});
}

namespace {

// True when `check` lets its value through.
template <typename Check>
bool accepts(Check&& check) {
  try {
    check();
  } catch (const codes::RaisedCode&) {
    return false;
  }
  return true;
}

// The values that make up the simulator's geometry and timing.
constexpr auto kGeometryMembers =
    std::make_tuple(&SimulatorValues::selectMode, &SimulatorValues::width,
                    &SimulatorValues::lineGap, &SimulatorValues::height,
                    &SimulatorValues::frameGap, &SimulatorValues::pixelFrequency,
                    &SimulatorValues::lineRate, &SimulatorValues::frameRate);

bool sameGeometry(const SimulatorValues& a, const SimulatorValues& b) {
  return std::apply([&](auto... member) { return ((a.*member == b.*member) && ...); },
                    kGeometryMembers);
}

}  // namespace

void adoptStoredSimulatorSettings(SetContext& context, const SimulatorValues& before) {
  SimulatorValues& simulator = simulatorOf(context);
  const auto keepUnless = [&](auto member, bool accepted) {
    if (!accepted) simulator.*member = before.*member;
  };
  // The setters' own checks, each against the values adopted before it; the select-mode
  // setter later writes the line with the stored line gap and the frame with the stored frame
  // gap whatever the mode, so those sums must fit too.
  keepUnless(&SimulatorValues::selectMode, accepts([&] {
               requireEntry("FG_CAMERASIMULATOR_SELECT_MODE", simulator.selectMode);
             }));
  keepUnless(&SimulatorValues::width,
             simulator.width != 0 && roundedToTicks(simulator.width) <= kLargestSize);
  keepUnless(&SimulatorValues::lineGap, roundedToTicks(simulator.width) +
                                                roundedToTicks(simulator.lineGap) <=
                                            kLargestSize);
  keepUnless(&SimulatorValues::height, simulator.height != 0 && simulator.height <= kLargestSize);
  keepUnless(&SimulatorValues::frameGap,
             std::uint64_t{simulator.height} + simulator.frameGap <= kLargestSize);
  keepUnless(&SimulatorValues::pixelFrequency, accepts([&] {
               requireInRange("FG_CAMERASIMULATOR_PIXEL_FREQUENCY", simulator.pixelFrequency);
               require(activePixels(simulator.pixelFrequency) != 0);
             }));
  keepUnless(&SimulatorValues::lineRate,
             std::isfinite(simulator.lineRate) && simulator.lineRate >= kSlowestLineRate);
  keepUnless(&SimulatorValues::frameRate,
             std::isfinite(simulator.frameRate) && simulator.frameRate >= kSlowestFrameRate);

  simulator.effectiveWidth = static_cast<std::uint32_t>(roundedToTicks(simulator.width));
  simulator.effectiveHeight = simulator.height;
  // A file keeps 12 digits, so a rate saved at a limit may read back a hair beyond it; like
  // the line rate when the mode is selected, it is brought back within the limits.
  simulator.actualFrameRate =
      std::max(std::min(simulator.frameRate, frameRateLimit(simulator)), kSlowestFrameRate);
}

void applyAdoptedSimulatorGeometry(SetContext& context, const SimulatorValues& before) {
  SimulatorValues& simulator = simulatorOf(context);
  if (sameGeometry(simulator, before)) return;
  setSimulatorSelectMode(context, simulator.selectMode, false);
}

// --- Creation ---

bool prepareCameraSimulator(SetContext& context) {
  setDescriptionMaximum(context, kPixelFrequencyId, kLargestPixelFrequency);
  return true;
}

}  // namespace brenvik::semantics
