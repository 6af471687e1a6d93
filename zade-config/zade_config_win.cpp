// zade-config: sets the adapter's CAN bus mode over its COM port.
#include "console_win.h"
#include "dialogue.h"
#include "serial_port_win.h"

int main() {
  SerialPort port;
  WinConsole console;
  return RunDialogue(port, console);
}
