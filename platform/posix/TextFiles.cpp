// Text mode changes nothing on POSIX systems.
#include "platform/os/TextFiles.h"

namespace brenvik::platform {

std::string_view textLineEnd() { return "\n"; }

}  // namespace brenvik::platform
