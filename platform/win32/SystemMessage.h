// The system's message text for a Win32 error code.
#pragma once

#include <string>

namespace brenvik::platform {

// The text FormatMessage gives for `code`, without the trailing line break; a generic text
// with the number when the system has none.
std::string systemMessage(unsigned long code);

}  // namespace brenvik::platform
