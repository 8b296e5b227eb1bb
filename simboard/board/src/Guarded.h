// Runs a body and turns any escaping exception into a failure value, so that nothing
// thrown inside the board ever crosses an exported function.
#pragma once

#include <utility>

namespace brenvik::simboard {

template <typename Result, typename Body>
Result guarded(Result failure, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return failure;
  }
}

}  // namespace brenvik::simboard
