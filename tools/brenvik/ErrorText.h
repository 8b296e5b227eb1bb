// Result codes as the tool prints them, with their meanings from the client library.
#pragma once

#include <cstdint>
#include <string>

namespace brenvik::tool {

// "<code> (<meaning>)", with "unknown error" for a code nobody documents.
std::string describeCode(std::int64_t code);

}  // namespace brenvik::tool
