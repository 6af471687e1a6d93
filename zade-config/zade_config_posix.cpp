// zade-config: sets the adapter's CAN bus mode over its serial device.
#include "console_posix.h"
#include "dialogue.h"
#include "serial_port_posix.h"

int main() {
  SerialPort port;
  PosixConsole console;
  return RunDialogue(port, console);
}
