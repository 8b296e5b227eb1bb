// Parameter values as text for people.
#include "tools/brenvik/ValueText.h"

#include <iomanip>
#include <limits>
#include <sstream>

namespace brenvik::tool {

std::string valueText(const Value& value, const std::vector<EnumEntry>& entries) {
  std::ostringstream text;
  if (const auto* integer = std::get_if<std::int64_t>(&value)) {
    for (const EnumEntry& entry : entries) {
      if (entry.value == *integer && !entry.symbol.empty()) {
        return entry.symbol + " (" + std::to_string(*integer) + ")";
      }
    }
    text << *integer;
  } else if (const auto* real = std::get_if<double>(&value)) {
    text << std::setprecision(std::numeric_limits<double>::max_digits10) << *real;
  } else if (const auto* string = std::get_if<std::string>(&value)) {
    text << '"' << *string << '"';
  } else if (const auto* table = std::get_if<std::vector<std::uint32_t>>(&value)) {
    text << table->size() << " entries";
  }
  return text.str();
}

}  // namespace brenvik::tool
