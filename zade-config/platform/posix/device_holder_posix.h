// Which program holds a device open, as far as /proc shows this user.
#pragma once

#include "open_failure.h"

// The process holding the device's lock, else another process with the
// device open; none when none can be seen.
DeviceUser DeviceHolder(const char* path);

// The same for the device a port name opens (port_names.h says which).
DeviceUser PortHolder(const char* portName);
