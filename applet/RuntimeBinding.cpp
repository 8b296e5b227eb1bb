// Construction and ordered teardown of the runtime binding.
#include "applet/RuntimeBinding.h"

#include "runtime/HardwareAppletRuntime.h"

namespace brenvik {

RuntimeBinding::RuntimeBinding(std::int32_t portCount)
    : functions(std::make_unique<RuntimeFunctionTable>()),
      descriptions(std::make_unique<description::ParameterDescriptionTree>(portCount)) {}

RuntimeBinding::~RuntimeBinding() {
  library.reset();
  if (hapHandle != nullptr) Molvrt_Close(hapHandle);
  functions.reset();
  descriptions.reset();
}

}  // namespace brenvik
