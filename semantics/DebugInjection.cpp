// The debug parameters' set side: selecting a debug point, switching its input and output,
// injecting a file or single pixels, and the SDK runtime's own configuration save.
#include "semantics/DebugInjection.h"

#include <string>

#include "debug/DebugPoints.h"
#include "parameters/CurrentValues.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/ParameterRecord.h"
#include "semantics/SetterContract.h"

namespace brenvik::semantics {

namespace {

using debug::PointParameter;
using parameters::DebugValues;
using parameters::sdkId;

constexpr std::int32_t kOutputEnableId = sdkId("FG_DEBUGOUTENABLE");
constexpr std::int32_t kOutputPixelId = sdkId("FG_DEBUGOUTPIXEL");

const debug::DebugPoint& selectedPoint(const SetContext& context) {
  return context.debugPoints.point(context.values.debug.selectedPoint);
}

// The operation mode with the input bit and the output bit given.
std::uint32_t operationMode(std::uint32_t input, std::uint32_t output) {
  return 2 * output + input;
}

// The monitored pixel's range follows the selected point: the runtime's maximum of its
// "_PixelValue" on an InjectMonitor point, 0 on an Inject point.
void outputPixelLimit(SetContext& context) {
  const debug::DebugPoint& point = selectedPoint(context);
  setDescriptionMaximum(context, kOutputPixelId,
                        point.kind == debug::kInjectMonitor ? point.pixelMaximum : 0);
}

}  // namespace

void setDebugFile(SetContext& context, const char* file, bool reportErrors) {
  DebugValues& debug = context.values.debug;
  runSetter(
      context, debug.file, file == nullptr ? std::string() : std::string(file), reportErrors,
      [&] { require(file != nullptr); },
      [&] {
        context.debugPoints.writeText(debug.selectedPoint, PointParameter::kDebugFile, file);
      });
}

// The count is read from the design again, not taken from discovery. An index below it that
// discovery never reached selects a zero-filled entry: an Inject point with empty name and
// path, whose accesses then fail with -2031.
void setDebugSource(SetContext& context, std::uint32_t index, bool reportErrors) {
  runSetter(
      context, context.values.debug.selectedPoint, index, reportErrors,
      [&] { require(index < static_cast<std::uint32_t>(context.debugPoints.currentCount())); },
      [&] {
        switch (selectedPoint(context).kind) {
          case debug::kInject:
            setDescriptionAccess(context, kOutputEnableId, runtime::kAccessReadOnly);
            break;
          case debug::kInjectMonitor:
            setDescriptionAccess(context, kOutputEnableId, runtime::kAccessReadWrite);
            break;
          default:
            codes::raise(codes::kRuntimeMissing);
        }
      },
      {outputPixelLimit});
}

void setDebugInputEnable(SetContext& context, std::uint32_t enable, bool reportErrors) {
  DebugValues& debug = context.values.debug;
  runSetter(
      context, debug.inputEnable, enable, reportErrors,
      [&] { requireEntry("FG_DEBUGINENABLE", enable); },
      [&] {
        const std::uint32_t output = context.debugPoints.outputEnabled(debug.selectedPoint);
        context.debugPoints.writeUint32(debug.selectedPoint, PointParameter::kOperationMode,
                                        operationMode(enable, output));
      });
}

void setDebugInsert(SetContext& context, std::uint32_t insert, bool reportErrors) {
  DebugValues& debug = context.values.debug;
  runSetter(
      context, debug.insert, insert, reportErrors, [&] { requireEntry("FG_DEBUGINSERT", insert); },
      [&] {
        // The point must answer for its input bit before an insertion is started.
        context.debugPoints.inputEnabled(debug.selectedPoint);
        context.debugPoints.writeUint32(debug.selectedPoint, PointParameter::kInsert, 1);
      });
}

void setDebugOutputEnable(SetContext& context, std::uint32_t enable, bool reportErrors) {
  DebugValues& debug = context.values.debug;
  runSetter(
      context, debug.outputEnable, enable, reportErrors,
      [&] { requireEntry("FG_DEBUGOUTENABLE", enable); },
      [&] {
        // An Inject point has no output to switch: the value is only kept.
        if (selectedPoint(context).kind != debug::kInjectMonitor) return;
        const std::uint32_t input = context.debugPoints.inputEnabled(debug.selectedPoint);
        context.debugPoints.writeUint32(debug.selectedPoint, PointParameter::kOperationMode,
                                        operationMode(input, enable));
      });
}

void setDebugWritePixel(SetContext& context, std::uint64_t pixel, bool reportErrors) {
  DebugValues& debug = context.values.debug;
  runSetter(
      context, debug.writePixel, pixel, reportErrors,
      [&] { requireInRange("FG_DEBUGWRITEPIXEL", pixel); },
      [&] {
        context.debugPoints.writeUint64(debug.selectedPoint, PointParameter::kWritePixel, pixel);
      });
}

void setDebugWriteFlag(SetContext& context, std::uint32_t flag, bool reportErrors) {
  DebugValues& debug = context.values.debug;
  runSetter(
      context, debug.writeFlag, flag, reportErrors,
      [&] { requireEntry("FG_DEBUGWRITEFLAG", flag); },
      [&] {
        context.debugPoints.writeUint32(debug.selectedPoint, PointParameter::kWriteFlag, flag);
      });
}

void setDebugSaveConfig(SetContext& context, const char* file, bool reportErrors) {
  runSetter(
      context, context.values.debug.saveConfigFile,
      file == nullptr ? std::string() : std::string(file), reportErrors,
      [&] { require(file != nullptr); },
      [&] {
        // The runtime reports its own save failures through its last error; the result is
        // not looked at here.
        static_cast<void>(context.services.saveConfig(file));
      });
}

}  // namespace brenvik::semantics
