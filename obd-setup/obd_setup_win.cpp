// obd-setup: checks the serial port driver's service settings, sets the
// transmit FIFO, and waits for a key. Everything but the version word is in
// the platform-free code.
#include <windows.h>

#include <cstdio>

#include "service_audit.h"

int main() {
  // Each text is on the console as soon as it is printed.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  return RunObdSetup(GetVersion(), stdout);
}
