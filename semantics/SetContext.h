// SetContext: everything a parameter setter reads or writes, one per applet object.
#pragma once

namespace brenvik::runtime {
class AppletServices;
}
namespace brenvik::debug {
class DebugPoints;
}
namespace brenvik::parameters {
class ParameterRegistry;
class HardwareBinding;
struct CurrentValues;
}  // namespace brenvik::parameters

namespace brenvik::semantics {

struct OutputFormatTable;

// Setters run under the caller's parameter lock (or during creation, before anybody else can
// reach the object); the context itself holds no state.
struct SetContext {
  runtime::AppletServices& services;  // the runtime's own parameters, description records, logger
  const parameters::ParameterRegistry& registry;
  const parameters::HardwareBinding& hardware;  // writes of the bound hardware parameters
  parameters::CurrentValues& values;            // every setter's stored value
  const OutputFormatTable& outputFormats;       // the inputs of the output-format block
  const debug::DebugPoints& debugPoints;        // the discovered debug points and their access
};

}  // namespace brenvik::semantics
