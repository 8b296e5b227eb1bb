// Register access by board handle (for vurn_hw).
#include "Guarded.h"
#include "Registry.h"
#include "simboard/BoardApi.h"

namespace brenvik::simboard::api {

std::int32_t writeRegister(std::uint64_t board, std::uint32_t id, std::uint64_t value) noexcept {
  return guarded<std::int32_t>(SIMBOARD_INTERNAL_ERROR,
                               [&] { return boardFor(board)->writeRegister(id, value); });
}

std::int32_t readRegister(std::uint64_t board, std::uint32_t id, std::uint64_t* value) noexcept {
  return guarded<std::int32_t>(SIMBOARD_INTERNAL_ERROR,
                               [&] { return boardFor(board)->readRegister(id, value); });
}

}  // namespace brenvik::simboard::api
