// The debug parameters' get side: the selected point's state, read through its hardware
// parameters.
#include <cstring>

#include "debug/DebugPoints.h"
#include "parameters/Getters.h"

namespace brenvik::parameters::getters {

namespace {

const debug::DebugPoints& points(GetContext& context) { return context.debugPoints; }
std::uint32_t selected(GetContext& context) { return context.values.debug.selectedPoint; }

}  // namespace

void debugSourceName(const Getter&, GetContext& context, const GetRequest&, char* destination) {
  const char* name = points(context).point(selected(context)).name.data();
  std::memcpy(destination, name, std::strlen(name) + 1);
}

void debugFile(const Getter&, GetContext& context, const GetRequest&, char* destination) {
  points(context).readText(selected(context), debug::PointParameter::kDebugFile, destination);
}

void debugInputEnable(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, points(context).inputEnabled(selected(context)));
}

void debugOutputEnable(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, points(context).outputEnabled(selected(context)));
}

void debugXPosition(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value,
      points(context).monitored(selected(context), debug::PointParameter::kXPosition));
}

void debugYPosition(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value,
      points(context).monitored(selected(context), debug::PointParameter::kYPosition));
}

void debugPixel(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value,
      points(context).monitored(selected(context), debug::PointParameter::kPixelValue));
}

void debugReady(const Getter&, GetContext& context, const GetRequest& request) {
  put(request.value, points(context).readUint32(selected(context), debug::PointParameter::kReady));
}

}  // namespace brenvik::parameters::getters
