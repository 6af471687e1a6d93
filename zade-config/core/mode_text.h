// The texts every front end shows of a CAN bus mode.
#pragma once

#include "mode_exchange.h"

// "    ( ... )" for the modes the menu offers, an empty text for any other.
const char* ModeDescription(CanBusMode mode);

// "CAN BUS mode = %2X" and the mode's description: the result screen's line.
struct ModeText {
  char text[64];
};
ModeText ModeLine(CanBusMode mode);
