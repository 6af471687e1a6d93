// zade-config: sets the adapter's CAN bus mode over its serial device.
#include <cstdio>
#include <cstdlib>

#include "console_posix.h"
#include "device_access_posix.h"
#include "device_holder_posix.h"
#include "port_enumeration_posix.h"
#include "program.h"
#include "serial_port_posix.h"
#include "signals_posix.h"
#include "standard_streams_posix.h"

namespace {

// Linux keeps the system's texts as they are.
void WriteText(std::FILE* stream, const char* text) {
  std::fputs(text, stream);
}

}  // namespace

int main(int argc, char** argv) {
  KeepStandardDescriptorsTaken();
  CatchEndingSignals();
  const CommandLine line = ParseCommandLine(argc, argv, PortStyle::Posix);
  SerialPort port;
  PosixConsole console;
  const ProgramSystem system{
      PortStyle::Posix, EnumerateSerialPorts, std::getenv, {PortHolder, PortAccess}, stdout,
      stderr,           std::fclose,          WriteText,
  };
  return RunProgram(line, port, console, system);
}
