// The client library of the Brenvik applet: include this to use all of it.
#pragma once

#include "brenvik/Applet.h"
#include "brenvik/Board.h"
#include "brenvik/Error.h"
#include "brenvik/Frame.h"
#include "brenvik/Value.h"
