// The serial ports of a Windows system: the port map every NT system keeps in
// the registry, and the device manager's name for each port it knows.
#pragma once

#include "port_table.h"

void EnumerateSerialPorts(PortTable& ports);
