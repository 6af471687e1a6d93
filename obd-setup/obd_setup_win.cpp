// obd-setup: checks the serial port driver's service settings, sets the
// transmit FIFO, and waits for a key (the options can leave the key out).
// Everything but the version word is in the platform-free code.
#include <windows.h>

#include <cstdio>

#include "command_line.h"

int main(int argc, char** argv) {
  // Each text is on the console as soon as it is printed.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  return RunObdSetupCommand(argc, argv, GetVersion(), stdout, stderr, std::fclose);
}
