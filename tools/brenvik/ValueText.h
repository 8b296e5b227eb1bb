// Parameter values as the tool prints them.
#pragma once

#include <string>
#include <vector>

#include "brenvik/Value.h"

namespace brenvik::tool {

// Integers in decimal, an enumeration's value as "FG_GRAY (3)" where one of its entries names
// it (a number outside them prints alone), doubles with every digit they need, texts in
// quotes, lookup tables as their number of entries.
std::string valueText(const Value& value, const std::vector<EnumEntry>& entries);

}  // namespace brenvik::tool
