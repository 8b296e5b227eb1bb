// Meanings of the result codes that the applet and the simulated board return.
#pragma once

#include <cstdint>
#include <string>

namespace brenvik::tool {

// The meaning of a code, "unknown error" for a code nobody documents.
std::string codeMeaning(std::int64_t code);

// "<code> (<meaning>)", with "unknown error" for a code nobody documents.
std::string describeCode(std::int64_t code);

}  // namespace brenvik::tool
