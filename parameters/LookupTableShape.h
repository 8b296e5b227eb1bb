// The lookup table's shape: ten bits in, ten bits out. The description, the get path, the
// setters, the table files and the tool all read the size and the entry maximum from here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brenvik::parameters {

inline constexpr std::uint32_t kLutInBits = 10;
inline constexpr std::uint32_t kLutOutBits = 10;
// One entry per input value: 1024.
inline constexpr std::size_t kLutSize = std::size_t{1} << kLutInBits;
// The largest entry: 1023.
inline constexpr std::uint32_t kLutEntryMaximum = (1u << kLutOutBits) - 1;

}  // namespace brenvik::parameters
