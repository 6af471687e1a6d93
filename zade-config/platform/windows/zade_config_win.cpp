// zade-config: sets the adapter's CAN bus mode over its COM port.
#include <cstdio>
#include <cstdlib>

#include "console_win.h"
#include "port_enumeration_win.h"
#include "program.h"
#include "serial_port_win.h"
#include "text_output_win.h"

int main(int argc, char** argv) {
  const CommandLine line = ParseCommandLine(argc, argv, PortStyle::Windows);
  SerialPort port;
  WinConsole console;
  // Windows does not tell who holds a COM port, nor who may open it.
  const ProgramSystem system{
      PortStyle::Windows, EnumerateSerialPorts, std::getenv, {}, stdout, stderr, std::fclose,
      WriteText};
  return RunProgram(line, port, console, system);
}
