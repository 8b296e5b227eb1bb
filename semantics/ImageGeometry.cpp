// Tap geometry sorting and the region of interest: the sorter's arithmetic, the geometry
// table, the setters and the limits they keep in the parameter description.
#include "semantics/ImageGeometry.h"

#include "parameters/CurrentValues.h"
#include "parameters/HardwareBinding.h"
#include "parameters/SdkParameterTable.h"
#include "runtime/SdkRuntime.h"
#include "semantics/SetterContract.h"

namespace brenvik::semantics {

namespace {

using description::describedRow;
using parameters::enumUnsigned;
using parameters::GeometryValues;
using parameters::Hw;
using parameters::sdkId;

constexpr std::uint32_t kGeometry1X8 = enumUnsigned("FG_GEOMETRY_1X8");
constexpr std::uint32_t kGeometry1X10 = enumUnsigned("FG_GEOMETRY_1X10");
constexpr std::uint32_t kTopLeft = enumUnsigned("FG_VANTAGEPOINT_TOP_LEFT");
constexpr std::uint32_t kTopRight = enumUnsigned("FG_VANTAGEPOINT_TOP_RIGHT");

// The region's limits as the description states them: the x limit when viewed from the top
// left, the tallest frame, the pixel granularity of widths and x offsets, the sensor widths.
constexpr auto kWidestLine = static_cast<std::uint32_t>(describedRow("FG_WIDTH").values.maximum);
constexpr auto kPixelGranularity =
    static_cast<std::uint32_t>(describedRow("FG_WIDTH").values.step);
constexpr auto kTallestFrame =
    static_cast<std::uint32_t>(describedRow("FG_HEIGHT").values.maximum);
constexpr auto kNarrowestSensor =
    static_cast<std::uint32_t>(describedRow("FG_SENSORWIDTH").values.minimum);
constexpr auto kWidestSensor =
    static_cast<std::uint32_t>(describedRow("FG_SENSORWIDTH").values.maximum);
static_assert(describedRow("FG_XOFFSET").values.step == kPixelGranularity);

constexpr std::uint32_t kSorterGranularity = 8;  // the sorter works on groups of 8 pixels

// One geometry: zones (the divisor of the line), taps, whether the camera sends a dummy tap,
// and the mirror pattern before the vantage point is taken into account.
struct GeometryRow {
  std::uint32_t code;
  std::uint32_t zones;
  std::uint32_t taps;
  std::uint32_t dummyTaps;
  std::array<std::uint32_t, kSorterTaps> mirror;
};

constexpr GeometryRow kGeometries[] = {
    {kGeometry1X8, 1, 1, 0, {}},
    {kGeometry1X10, 1, 1, 0, {}},
    {enumUnsigned("FG_GEOMETRY_4X2"), 4, 5, 1, {}},
    {enumUnsigned("FG_GEOMETRY_4X2E"), 4, 5, 1, {0, 0, 1, 1, 0, 0, 0, 1, 1, 0}},
    {enumUnsigned("FG_GEOMETRY_5X2"), 5, 5, 0, {}},
    {enumUnsigned("FG_GEOMETRY_8X"), 8, 10, 1, {}},
    {enumUnsigned("FG_GEOMETRY_10X"), 10, 10, 0, {}},
};

// The tenth tap repeats the ninth.
constexpr std::array<std::uint32_t, kSorterTaps> kInitialTapOrder{0, 1, 2, 3, 4, 5, 6, 7, 8, 8};

const GeometryRow& geometryRow(std::uint32_t code) {
  for (const GeometryRow& row : kGeometries) {
    if (row.code == code) return row;
  }
  codes::raise(codes::kValueOutOfRange);
}

constexpr std::uint32_t roundUp(std::uint32_t value, std::uint32_t granularity) {
  return (value + granularity - 1) / granularity * granularity;
}

// How far a line may reach: the widest line from the top left, the sensor from the top right.
std::uint32_t xLimit(const GeometryValues& geometry) {
  return geometry.vantagePoint == kTopLeft ? kWidestLine : geometry.sensorWidth;
}

// A field of the sorter, written whole: ten 32-bit elements from index 0.
void writeSorterField(SetContext& context, Hw slot, std::array<std::uint32_t, kSorterTaps> field) {
  runtime::FieldParameterAccess access{2, 0, kSorterTaps, field.data()};
  context.hardware.write(slot, &access, runtime::kTypeField, true);
}

void setMaximum(SetContext& context, std::int32_t id, std::uint32_t maximum) {
  setDescriptionMaximum(context, id, static_cast<std::int32_t>(maximum));
}

// --- Limit steps ---

void widthLimit(SetContext& context) {
  const GeometryValues& geometry = context.values.geometry;
  setMaximum(context, sdkId("FG_WIDTH"), xLimit(geometry) - geometry.xOffset);
}
void heightLimit(SetContext& context) {
  setMaximum(context, sdkId("FG_HEIGHT"), kTallestFrame - context.values.geometry.yOffset);
}
void xOffsetLimit(SetContext& context) {
  const GeometryValues& geometry = context.values.geometry;
  setMaximum(context, sdkId("FG_XOFFSET"), xLimit(geometry) - geometry.width);
}
void yOffsetLimit(SetContext& context) {
  setMaximum(context, sdkId("FG_YOFFSET"), kTallestFrame - context.values.geometry.height);
}

// Seen from the top right, the region must lie on the sensor.
void requireRegionOnSensor(const GeometryValues& geometry) {
  if (geometry.vantagePoint == kTopRight) {
    require(geometry.xOffset + geometry.width <= geometry.sensorWidth);
  }
}

}  // namespace

void sensorWidthLimit(SetContext& context) {
  setMaximum(context, sdkId("FG_SENSORWIDTH"), kWidestSensor);
}

TapGeometryPlan planTapGeometry(std::uint32_t geometry, std::uint32_t sensorWidth,
                                std::uint32_t vantagePoint, std::uint32_t xOffset,
                                std::uint32_t width) {
  const GeometryRow& row = geometryRow(geometry);
  // With one zone seen from the top left the sorter needs only the part up to the region's
  // right edge; the sensor width does not matter then.
  const bool singleZone = geometry == kGeometry1X8 || geometry == kGeometry1X10;
  const std::uint32_t effectiveWidth =
      singleZone && vantagePoint == kTopLeft ? xOffset + width : sensorWidth;

  TapGeometryPlan plan;
  plan.tapWidth = effectiveWidth / row.zones;
  plan.sorterWidth = roundUp(plan.tapWidth, kSorterGranularity) * row.taps;
  plan.translateVantagePoint = vantagePoint != kTopLeft ? 1 : 0;
  plan.tapCount = row.taps;
  plan.dummyTaps = row.dummyTaps;
  plan.tapOrder = kInitialTapOrder;
  plan.mirror = row.mirror;
  for (std::uint32_t zone = 0; zone < row.zones; ++zone) {
    if (vantagePoint == kTopLeft) {
      plan.tapOrder[zone] = zone;
    } else {
      plan.tapOrder[zone] = row.zones - 1 - zone;
      plan.mirror[zone] = 1 - plan.mirror[zone];
    }
  }
  return plan;
}

void applyTapGeometry(SetContext& context) {
  const GeometryValues& geometry = context.values.geometry;
  const TapGeometryPlan plan =
      planTapGeometry(geometry.tapGeometry, geometry.sensorWidth, geometry.vantagePoint,
                      geometry.xOffset, geometry.width);
  const parameters::HardwareBinding& hardware = context.hardware;
  hardware.writeUint32(Hw::TapSorter_SensorWidth, plan.sorterWidth, true);
  hardware.writeUint32(Hw::TapSorter_TranslateVantagePoint_Value, plan.translateVantagePoint,
                       true);
  hardware.writeUint32(Hw::TapSorter_TapWidth, plan.tapWidth, true);
  hardware.writeUint32(Hw::TapSorter_TapCount, plan.tapCount, true);
  hardware.writeUint32(Hw::TapSorter_DummyTaps, plan.dummyTaps, true);
  // The 4X2E resort stays off: that geometry is expressed through the mirror pattern.
  hardware.writeUint32(Hw::TapSorter_ParallelResort_4X2E_Enable_Value, 0, true);
  writeSorterField(context, Hw::TapSorter_TapOrder, plan.tapOrder);
  writeSorterField(context, Hw::TapSorter_ReferenceTapMirror_Field, plan.mirror);
}

// --- Setters ---

void setTapGeometry(SetContext& context, std::uint32_t geometry, bool reportErrors) {
  runSetter(
      context, context.values.geometry.tapGeometry, geometry, reportErrors,
      [&] { requireEntry("FG_TAPGEOMETRY", geometry); },
      [&] { applyTapGeometry(context); });
}

void setSensorWidth(SetContext& context, std::uint32_t sensorWidth, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.sensorWidth, sensorWidth, reportErrors,
      [&] { require(sensorWidth >= kNarrowestSensor && sensorWidth <= kWidestSensor); },
      [&] {
        requireRegionOnSensor(geometry);
        applyTapGeometry(context);
      },
      {widthLimit, heightLimit, xOffsetLimit, yOffsetLimit});
}

void setVantagePoint(SetContext& context, std::uint32_t vantagePoint, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.vantagePoint, vantagePoint, reportErrors,
      [&] { requireEntry("FG_VANTAGEPOINT", vantagePoint); },
      [&] {
        requireRegionOnSensor(geometry);
        applyTapGeometry(context);
      },
      {sensorWidthLimit, widthLimit, heightLimit, xOffsetLimit, yOffsetLimit});
}

void setWidth(SetContext& context, std::uint32_t width, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.width, width, reportErrors,
      [&] {
        require(width >= kPixelGranularity && width <= xLimit(geometry) - geometry.xOffset);
        require(width % kPixelGranularity == 0, codes::kGranularity);
      },
      [&] {
        applyTapGeometry(context);
        context.hardware.writeUint32(Hw::Dram_XLength, width, true);
      },
      {sensorWidthLimit, heightLimit, xOffsetLimit, yOffsetLimit});
}

void setHeight(SetContext& context, std::uint32_t height, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.height, height, reportErrors,
      [&] { require(height != 0 && height <= kTallestFrame - geometry.yOffset); },
      [&] {
        applyTapGeometry(context);
        context.hardware.writeUint32(Hw::Dram_YLength, height, true);
      },
      {yOffsetLimit});
}

void setXOffset(SetContext& context, std::uint32_t xOffset, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.xOffset, xOffset, reportErrors,
      [&] {
        require(xOffset <= xLimit(geometry) - geometry.width);
        require(xOffset % kPixelGranularity == 0, codes::kGranularity);
      },
      [&] {
        applyTapGeometry(context);
        context.hardware.writeUint32(Hw::Dram_XOffset, xOffset, true);
      },
      {sensorWidthLimit, widthLimit});
}

void setYOffset(SetContext& context, std::uint32_t yOffset, bool reportErrors) {
  GeometryValues& geometry = context.values.geometry;
  runSetter(
      context, geometry.yOffset, yOffset, reportErrors,
      [&] { require(yOffset <= kTallestFrame - geometry.height); },
      [&] {
        applyTapGeometry(context);
        context.hardware.writeUint32(Hw::Dram_YOffset, yOffset, true);
      },
      {heightLimit});
}

}  // namespace brenvik::semantics
