// Creation of the applet object for the SDK runtime (behind Std_entry).
#pragma once

#include <cstdint>

namespace brenvik {

class FgTolqWrapper;

// Creates and initialises the applet object on a board; null on failure, with the error code
// in *errorCode (which may be null).
FgTolqWrapper* createApplet(std::uint64_t boardHandle, std::int32_t* errorCode,
                            std::uint32_t flags);

}  // namespace brenvik
