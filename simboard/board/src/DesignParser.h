// Parser of the design text format ("VHAP 1"): identity, parameters, registers, events.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "Design.h"

namespace brenvik::simboard {

struct ParseResult {
  std::shared_ptr<Design> design;  // null on failure
  std::string error;               // "line N: reason" on failure
};

ParseResult parseDesign(std::string_view text);

}  // namespace brenvik::simboard
