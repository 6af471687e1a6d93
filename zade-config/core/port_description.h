// What a port list says of each port, after its name.
#pragma once

#include "bounded_text.h"
#include "port_names.h"
#include "port_table.h"

using PortDescription = BoundedText<512>;

// Windows: the friendly name and [hardware ID], or else the port map's
// device. Linux: the USB device, driver, by-id link, the dialogue's answer
// for the port and a missing permission.
PortDescription DescribePort(const PortFacts& port, EnvironmentLookup environment);
