// What text-mode file streams do to line ends on this platform.
#pragma once

#include <string_view>

namespace brenvik::platform {

// The bytes that a text-mode stream writes for "\n" (and reads back as "\n").
std::string_view textLineEnd();

}  // namespace brenvik::platform
