// Result codes with their meanings, from the table beside the codes and the board's own.
#include "tools/brenvik/ErrorText.h"

#include <limits>

#include "brenvik/Error.h"

namespace brenvik::tool {

std::string describeCode(std::int64_t code) {
  const bool fits = code >= std::numeric_limits<std::int32_t>::min() &&
                    code <= std::numeric_limits<std::int32_t>::max();
  return std::to_string(code) + " (" +
         (fits ? codeMeaning(static_cast<std::int32_t>(code)) : std::string("unknown error")) + ")";
}

}  // namespace brenvik::tool
