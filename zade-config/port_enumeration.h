// The serial ports the system has, with what it tells of each: on Windows
// the port map of the registry and the device manager's entries, elsewhere
// the ttys of sysfs.
#pragma once

#include "port_list.h"

void EnumerateSerialPorts(PortTable& ports);

// Where a Linux system keeps what EnumerateSerialPorts reads.
struct TtyPlaces {
  const char* classDir = "/sys/class/tty";
  const char* devDir = "/dev";
  const char* byIdDir = "/dev/serial/by-id";
};
void EnumerateSerialPortsIn(const TtyPlaces& places, PortTable& ports);
