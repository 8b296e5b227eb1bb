// The get path of the SDK parameters: what a get reaches, and the dispatcher that answers
// each of the 154 parameters and the description query from its getter.
#pragma once

#include <cstdint>

namespace brenvik::runtime {
class AppletServices;
}
namespace brenvik::debug {
class DebugPoints;
}

namespace brenvik::parameters {

class ParameterRegistry;
class HardwareBinding;
class StringHandout;
struct CurrentValues;

// Everything a getter may read; one per applet object.
struct GetContext {
  runtime::AppletServices& services;  // the runtime's own parameters and the logger
  const ParameterRegistry& registry;
  const HardwareBinding& hardware;
  const CurrentValues& values;
  const debug::DebugPoints& debugPoints;
  StringHandout& strings;
};

// Answers a get of an SDK id (the caller has checked the value pointer and holds the
// parameter lock). A failure is raised as its error code (codes::RaisedCode).
void getSdkParameter(GetContext& context, std::int32_t id, void* value, std::uint32_t dma,
                     std::int32_t type);

// The process of a DMA index; an index without one raises -2070.
std::int32_t processOfDma(const ParameterRegistry& registry, std::uint32_t dma);

// Refuses an SDK id that no parameter of `process` answers: logs why at level 4 and raises
// -2070. `operation` is "get" or "set".
[[noreturn]] void refuseSdkParameter(runtime::AppletServices& services, const char* operation,
                                     std::int32_t id,
                                     std::int32_t process);

}  // namespace brenvik::parameters
