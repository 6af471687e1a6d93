// The serial ports of a Linux system: each tty that sysfs shows with a
// device behind it, and what sysfs tells of it.
#pragma once

#include "device_access_posix.h"
#include "port_table.h"

void EnumerateSerialPorts(PortTable& ports);

// Where a Linux system keeps what EnumerateSerialPorts reads.
struct TtyPlaces {
  const char* classDir = "/sys/class/tty";
  const char* devDir = "/dev";
  const char* byIdDir = "/dev/serial/by-id";
  AccountFiles accounts;
};
void EnumerateSerialPortsIn(const TtyPlaces& places, PortTable& ports);
