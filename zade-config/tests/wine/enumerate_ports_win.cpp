// enumerate-ports: the serial ports enumerated again and again in one
// process, as a window's Refresh would, with a port that comes meanwhile.
//   enumerate-ports COUNT GO_FILE
// Enumerates COUNT times and prints "ready", then waits (at most 60 s) for
// GO_FILE to exist, enumerates once more and prints each port: its name, a
// tab and its hardware ID.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "port_enumeration_win.h"

namespace {

PortTable ports;  // too large for the stack

void Enumerate() {
  ports.count = 0;
  EnumerateSerialPorts(ports);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  for (int i = std::atoi(argv[1]); i > 0; --i) Enumerate();
  std::puts("ready");
  std::fflush(stdout);
  for (int waited = 0; GetFileAttributesA(argv[2]) == INVALID_FILE_ATTRIBUTES; waited += 50) {
    if (waited > 60000) return 1;
    Sleep(50);
  }
  Enumerate();
  for (const PortFacts& port : ports)
    std::printf("%s\t%s\n", port.name.c_str(), port.hardwareId.c_str());
  return 0;
}
