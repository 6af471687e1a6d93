#include "dialogue.h"

const char* ModeDescription(CanBusMode mode) {
  switch (mode) {
    case kMode500kDCan:
      return "    ( 500 kbit/s - D-CAN and PT-CAN )";
    case kMode100kKCan:
      return "    ( 100 kbit/s - K-CAN )";
    case kModeCanOff:
      return "    ( CAN OFF )";
    default:
      return "";
  }
}
