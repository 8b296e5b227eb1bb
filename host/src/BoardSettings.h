// The board's own settings by name, as its control interface names them.
#pragma once

#include "simboard/control.h"

// Until the board names its settings itself, they are named here the way it reads them.
#if !defined(BRENVIK_HOST_BOARD_CAMERA)
#define SIMBOARD_SETTING_PICTURE_PERIOD_US "simboard:picture_period_us"
#define SIMBOARD_SETTING_CAMERA_INPUT "simboard:camera_input"
#define SIMBOARD_SETTING_PACED "simboard:paced"
#endif
