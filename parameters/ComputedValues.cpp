// The SDK parameters whose values are computed from stored values and hardware reads: camera
// and buffer status, the camera simulator's speeds, trigger monitors and statistics, the
// lookup table, and the debug points.
#include <cstring>

#include "debug/DebugPoints.h"
#include "parameters/Enumerations.h"
#include "parameters/Getters.h"
#include "parameters/HardwareBinding.h"
#include "runtime/AppletServices.h"
#include "runtime/ResultCodes.h"

namespace brenvik::parameters::getters {

namespace {

constexpr double kTickSeconds = 8e-9;  // one tick of the hardware applet's 125 MHz clock
constexpr std::uint32_t kOverflowFillLevel = 100;
constexpr std::uint32_t kQueueFullFillLevel = 2040;
constexpr std::uint32_t kSimulatorSequence = 2000;            // active plus passive pixels
constexpr double kLargestPixelFrequency = 999.9999999999999;  // MHz; the largest double below 1000

// Area trigger modes, trigger states and simulator speed modes that the values depend on.
constexpr std::uint32_t symbol(std::int32_t value) { return static_cast<std::uint32_t>(value); }
constexpr std::uint32_t kGeneratorMode = symbol(enumValue("ATM_GENERATOR"));
constexpr std::uint32_t kUnqueuedMode = 3;  // outside the enumeration; it reads no queue either
constexpr std::uint32_t kSoftwareMode = symbol(enumValue("ATM_SOFTWARE"));
constexpr std::uint32_t kAsyncStop = symbol(enumValue("TS_ASYNC_STOP"));
constexpr std::uint32_t kPixelFrequencyMode = symbol(enumValue("FG_PIXEL_FREQUENCY"));
constexpr std::uint32_t kLineRateMode = symbol(enumValue("FG_LINERATE"));
constexpr std::uint32_t kFrameRateMode = symbol(enumValue("FG_FRAMERATE"));

// Queue status bits.
constexpr std::uint32_t kExceededPeriodLimitsBit = 1u << 0;
constexpr std::uint32_t kQueueFullBit = 1u << 1;
constexpr std::uint32_t kMissingFrameBit = 1u << 2;

std::uint32_t readFillLevel(GetContext& context) {
  if (context.hardware.readUint32(Hw::Overflow_OverflowOccurred) == 1) return kOverflowFillLevel;
  return context.hardware.readUint32(Hw::Dram_FillLevel);
}

std::uint32_t readCameraStatusExtended(GetContext& context) {
  const std::uint32_t fill = readFillLevel(context);
  const std::uint32_t overflow = context.hardware.readUint32(Hw::Overflow_OverflowOccurred);
  std::uint64_t status = 0;
  constexpr std::int32_t kRuntimeCameraStatus = sdkId("FG_CAMSTATUS_EXTENDED");
  if (const int result = context.services.getParameter(kRuntimeCameraStatus, &status, 0,
                                                             runtime::kTypeUint32);
      result != 0) {
    codes::raise(result);
  }
  // The simulator always delivers a pixel clock.
  if (context.values.simulator.enable == enumValue("FG_CAMERASIMULATOR")) status |= 1u;
  const std::uint32_t level = fill < 25 ? 0 : fill < 50 ? 1 : fill < 75 ? 2 : 3;
  return (static_cast<std::uint32_t>(status) & ~0xE0u) | (overflow * 32u) | (level << 6);
}

// --- The camera simulator's speeds, for its stored select mode ---

// The stored rounded line gap counts only in pixel-frequency mode, the frame gap in every
// mode but frame-rate mode.
std::uint32_t countedLineGap(const SimulatorValues& simulator) {
  return simulator.selectMode == kPixelFrequencyMode ? simulator.effectiveLineGap : 0;
}
std::uint32_t countedFrameGap(const SimulatorValues& simulator) {
  return simulator.selectMode == kFrameRateMode ? 0 : simulator.effectiveFrameGap;
}

double pixelFrequency(GetContext& context) {
  if (context.values.simulator.selectMode != kPixelFrequencyMode) return kLargestPixelFrequency;
  const double active =
      context.hardware.readUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number);
  return active * 8 / kSimulatorSequence / kTickSeconds / 1e6;
}

double sequenceLength(GetContext& context) {
  return context.hardware.readUint32(Hw::CameraSimulator_PixelFrequency_SequenceLength_ImageWidth);
}

double lineRate(GetContext& context) {
  const SimulatorValues& simulator = context.values.simulator;
  const double width = simulator.effectiveWidth;
  switch (simulator.selectMode) {
    case kPixelFrequencyMode:
      return pixelFrequency(context) * 1e6 / (width + countedLineGap(simulator));
    case kLineRateMode:
      return 1 / (sequenceLength(context) * kTickSeconds);
    case kFrameRateMode:
      return 8 / (width * kTickSeconds);
    default:
      codes::raise(codes::kNoDescription);
  }
}

double frameRate(GetContext& context) {
  const SimulatorValues& simulator = context.values.simulator;
  const double lines = static_cast<double>(simulator.height) + countedFrameGap(simulator);
  switch (simulator.selectMode) {
    case kPixelFrequencyMode:
      return pixelFrequency(context) * 1e6 /
             ((static_cast<double>(simulator.effectiveWidth) + countedLineGap(simulator)) * lines);
    case kLineRateMode:
      return lineRate(context) / lines;
    case kFrameRateMode:
      return 1 / (sequenceLength(context) * simulator.height * kTickSeconds);
    default:
      codes::raise(codes::kNoDescription);
  }
}

std::uint32_t queueStatus(GetContext& context) {
  return context.hardware.readUint32(Hw::Monitoring_ReadQueueStatus_Status);
}

std::uint32_t readTriggerQueueFillLevel(GetContext& context) {
  const TriggerValues& trigger = context.values.trigger;
  if (trigger.areaTriggerMode == kGeneratorMode || trigger.areaTriggerMode == kUnqueuedMode ||
      trigger.triggerState == kAsyncStop) {
    return 0;
  }
  if ((queueStatus(context) & kQueueFullBit) != 0) return kQueueFullFillLevel;
  const std::uint32_t queued = context.hardware.readUint32(Hw::Cam0_Generators_QueueValue_Status);
  if (queued != 0) return queued;
  return context.hardware.readUint32(Hw::Cam0_Generators_Generator_MaximumReached_Status) != 0 ? 0
                                                                                               : 1;
}

const debug::DebugPoints& points(GetContext& context) { return context.debugPoints; }
std::uint32_t selected(GetContext& context) { return context.values.debug.selectedPoint; }

}  // namespace

void microsecondsFromTicks(const Getter& getter, GetContext& context, const GetRequest& request) {
  const double ticks = context.hardware.readUint32(getter.slot);
  put(request.value, ticks * getter.number / 1000);
}

void frequencyFromPeriod(const Getter& getter, GetContext& context, const GetRequest& request) {
  // A period of 0 gives an infinite frequency, not an error.
  const double period = context.hardware.readUint32(getter.slot);
  put(request.value, 1 / (period * 8 * 1e-9));
}

void cameraStatus(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, readCameraStatusExtended(context) & 1u);
}

void cameraStatusExtended(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, readCameraStatusExtended(context));
}

void fillLevel(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, readFillLevel(context));
}

// The register says whether the grabber uses the standard detection; the parameter says the
// opposite.
void alternativeBoardDetection(const Getter&, GetContext& context, const GetRequest& request) {
  const std::uint32_t standard =
      context.hardware.readUint32(Hw::BoardStatus_AlternativeBoardDetection);
  if (standard > 1) codes::raise(codes::kRuntimeMissing);
  put(request.value, 1u - standard);
}

void simulatorLineGap(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, countedLineGap(context.values.simulator));
}

void simulatorFrameGap(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, countedFrameGap(context.values.simulator));
}

void simulatorPixelFrequency(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, pixelFrequency(context));
}

void simulatorLineRate(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, lineRate(context));
}

void simulatorFrameRate(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, frameRate(context));
}

// Active and passive pixels exist only in pixel-frequency mode; other modes write nothing.
void simulatorActive(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.simulator.selectMode != kPixelFrequencyMode) return;
  put(request.value,
      context.hardware.readUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number));
}

void simulatorPassive(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.simulator.selectMode != kPixelFrequencyMode) return;
  put(request.value,
      kSimulatorSequence -
          context.hardware.readUint32(Hw::CameraSimulator_PixelFrequency_ActivePixel_Number));
}

// One entry as {value, index}, or a range through FieldParameterAccess with type 4096.
void lutValue(const Getter&, GetContext& context, const GetRequest& request) {
  const auto& table = context.values.lut.table;
  if (request.type != runtime::kTypeField) {
    runtime::LutEntry entry{};
    std::memcpy(&entry, request.value, sizeof entry);
    if (entry.index >= kLutSize) codes::raise(codes::kInvalidParameter);
    put(request.value, table[entry.index]);
    return;
  }
  runtime::FieldParameterAccess access{};
  std::memcpy(&access, request.value, sizeof access);
  if (access.index >= kLutSize || access.count > kLutSize ||
      access.index > kLutSize - access.count) {
    codes::raise(codes::kInvalidParameter);
  }
  // 64-bit and double elements receive the 32-bit entries widened; any other element type
  // receives nothing, and the get succeeds.
  if (access.valueType < 1 || access.valueType > 5) return;
  if (access.count > 0 && access.values == nullptr) codes::raise(codes::kInvalidParameter);
  auto* destination = static_cast<unsigned char*>(access.values);
  for (std::uint32_t i = 0; i < access.count; ++i) {
    const std::uint32_t entry = table[access.index + i];
    if (access.valueType <= 2) {
      put(destination + i * sizeof(std::uint32_t), entry);
    } else if (access.valueType <= 4) {
      put(destination + i * sizeof(std::uint64_t), std::uint64_t{entry});
    } else {
      put(destination + i * sizeof(double), static_cast<double>(entry));
    }
  }
}

void exceededPeriodLimits(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.trigger.areaTriggerMode == kGeneratorMode) {
    put(request.value, 0u);
    return;
  }
  put(request.value, (queueStatus(context) & kExceededPeriodLimitsBit) != 0 ? 1u : 0u);
}

void softwareTriggerIsBusy(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.trigger.areaTriggerMode != kSoftwareMode) {
    put(request.value, 0u);
    return;
  }
  const std::uint32_t maximumReached =
      context.hardware.readUint32(Hw::Cam0_Generators_Generator_MaximumReached_Status);
  const std::uint32_t queued = context.hardware.readUint32(Hw::Cam0_Generators_QueueValue_Status);
  put(request.value, maximumReached != 0 && queued == 0 ? 0u : 1u);
}

void softwareTriggerQueueFillLevel(const Getter&, GetContext& context, const GetRequest& request) {
  if (context.values.trigger.areaTriggerMode != kSoftwareMode) {
    put(request.value, 0u);
    return;
  }
  put(request.value, readTriggerQueueFillLevel(context) * context.values.trigger.multiplyPulses);
}

void triggerQueueFillLevel(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, readTriggerQueueFillLevel(context));
}

void missingCameraFrameResponse(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, (queueStatus(context) & kMissingFrameBit) != 0 ? 1u : 0u);
}

// --- The debug points: the selected point's state, read through its hardware parameters ---

void debugSourceName(const Getter&, GetContext& context, const GetRequest&, char* destination) {
  const char* name = points(context).point(selected(context)).name.data();
  std::memcpy(destination, name, std::strlen(name) + 1);
}

void debugFile(const Getter&, GetContext& context, const GetRequest&, char* destination) {
  points(context).readText(selected(context), "_DebugFile", destination);
}

void debugInputEnable(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, points(context).inputEnabled(selected(context)));
}

void debugOutputEnable(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, points(context).outputEnabled(selected(context)));
}

void debugMonitored(const Getter& getter, GetContext& context, const GetRequest& request) {
  put(request.value, points(context).monitored(selected(context), getter.word));
}

void debugReady(const Getter& getter, GetContext& context, const GetRequest& request) {
  put(request.value, points(context).readUint32(selected(context), getter.word));
}

}  // namespace brenvik::parameters::getters
