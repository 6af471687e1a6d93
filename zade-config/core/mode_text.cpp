#include "mode_text.h"

#include <cstdio>

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

ModeText ModeLine(CanBusMode mode) {
  ModeText line{};
  std::snprintf(line.text, sizeof line.text, "CAN BUS mode = %2X%s", static_cast<unsigned>(mode),
                ModeDescription(mode));
  return line;
}
