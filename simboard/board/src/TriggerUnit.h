// The trigger unit of the simulated board: a pulse queue that software triggers fill and the
// generator drains at its minimum period, with the fill level, the busy state and the output
// pulse counter the applet reads back.
#pragma once

#include <memory>

#include "Behaviour.h"

namespace brenvik::simboard {

std::unique_ptr<Behaviour> makeTriggerUnit();

}  // namespace brenvik::simboard
