// Text-mode streams on Windows write CR LF for "\n" and read it back as "\n".
#include "platform/os/TextFiles.h"

namespace brenvik::platform {

std::string_view textLineEnd() { return "\r\n"; }

}  // namespace brenvik::platform
