// Description records as text for people: kind names, access, and Latin-1 texts in UTF-8.
#pragma once

#include <cstdint>
#include <string>

namespace brenvik::tool {

// "integer", "enumeration", … ("kind N" for a kind nobody names).
std::string kindName(std::int32_t kind);

// "RW", "RO", "WO" or "--".
const char* accessText(std::int32_t access);

// Description texts are Latin-1 (the micro sign of "µs" is one byte); terminals and browsers
// want UTF-8. A null text gives an empty one.
std::string printable(const char* text);

}  // namespace brenvik::tool
