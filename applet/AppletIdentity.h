// The applet's constant identity texts, returned by pointer for the module's lifetime.
#pragma once

#include "applet/AppletVersion.h"

namespace brenvik::identity {

inline constexpr const char kAppletName[] = "Brenvik";
// The version is the project's own (CMakeLists.txt); the build adds the applet's build stamp.
inline constexpr const char kVersion[] = BRENVIK_VERSION_TEXT;
inline constexpr const char kBuild[] = BRENVIK_VERSION_TEXT ".20180718.093317";
inline constexpr const char kFamily[] = "Vessmark:Area";
inline constexpr const char kProperties[] =
    "class=standard,family=acquisition,type=single,sensortype=area,color=gray,interface=cl";
inline constexpr const char kDescription[] =
    "Advanced Vessmark with 10Bit image processing and lookup table for one Camera Link FULL "
    "configuration monochrome area scan camera with high resolution sensor.";
// Fixed for this build of the applet.
inline constexpr const char kFirstGuid[] = "7c1e9a52-3b8d-4f06-a2e4-95d0c6b1f3a8";
inline constexpr const char kSecondGuid[] = "e4b27d19-0a6c-4c3e-b8f1-2d95a7c04e6b";

}  // namespace brenvik::identity
