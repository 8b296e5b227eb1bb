// Image geometry: the tap geometry sorter's arithmetic and the setters of the tap geometry,
// sensor width, vantage point and region of interest.
#pragma once

#include <array>
#include <cstdint>

#include "semantics/SetContext.h"
#include "semantics/Writable.h"

namespace brenvik::semantics {

inline constexpr std::size_t kSorterTaps = 10;

// What the tap geometry sorter is programmed with, in the order it is written.
struct TapGeometryPlan {
  std::uint32_t sorterWidth = 0;  // tap width rounded up to 8, times the tap count
  std::uint32_t translateVantagePoint = 0;
  std::uint32_t tapWidth = 0;
  std::uint32_t tapCount = 0;
  std::uint32_t dummyTaps = 0;
  std::array<std::uint32_t, kSorterTaps> tapOrder{};
  std::array<std::uint32_t, kSorterTaps> mirror{};

  bool operator==(const TapGeometryPlan&) const = default;
};

// The sorter settings for a geometry code (FG_GEOMETRY_...), sensor width, vantage point,
// x offset and width. An unknown geometry raises -6000.
TapGeometryPlan planTapGeometry(std::uint32_t geometry, std::uint32_t sensorWidth,
                                std::uint32_t vantagePoint, std::uint32_t xOffset,
                                std::uint32_t width);

// Plans the sorter from the current values and writes its eight hardware parameters in order;
// the first failing write raises the runtime's code.
void applyTapGeometry(SetContext& context);

// The limit step that resets the description maximum of FG_SENSORWIDTH.
void sensorWidthLimit(SetContext& context);

// Setters (value, reportErrors) of FG_TAPGEOMETRY, FG_SENSORWIDTH, FG_VANTAGEPOINT, FG_WIDTH,
// FG_HEIGHT, FG_XOFFSET and FG_YOFFSET.
void setTapGeometry(SetContext& context, std::uint32_t geometry, bool reportErrors);
void setSensorWidth(SetContext& context, std::uint32_t sensorWidth, bool reportErrors);
void setVantagePoint(SetContext& context, std::uint32_t vantagePoint, bool reportErrors);
void setWidth(SetContext& context, std::uint32_t width, bool reportErrors);
void setHeight(SetContext& context, std::uint32_t height, bool reportErrors);
void setXOffset(SetContext& context, std::uint32_t xOffset, bool reportErrors);
void setYOffset(SetContext& context, std::uint32_t yOffset, bool reportErrors);

inline constexpr std::array kImageGeometryParameters{
    writable<&setWidth>("FG_WIDTH"),
    writable<&setHeight>("FG_HEIGHT"),
    writable<&setXOffset>("FG_XOFFSET"),
    writable<&setYOffset>("FG_YOFFSET"),
    writable<&setTapGeometry>("FG_TAPGEOMETRY"),
    writable<&setVantagePoint>("FG_VANTAGEPOINT"),
    writable<&setSensorWidth>("FG_SENSORWIDTH"),
};

}  // namespace brenvik::semantics
