// Static information about the applet, answered without an applet object (behind Info).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brenvik::info {

// Answers one query; out1 and out2 point to 64-bit locations and are written only when
// non-null (query 4352 reads a name through out1, query 2304 writes 32 bits to out1).
int query(int code, unsigned index1, unsigned index2, void* out1, void* out2);

// The number of a symbolic parameter value such as "FG_GRAY", matched exactly.
std::optional<std::int32_t> valueOfName(std::string_view name);

// Number of entries in the value-name table.
std::size_t valueNameCount();

}  // namespace brenvik::info
