// Which program holds a device open, as far as /proc shows this user.
#pragma once

#include "open_failure.h"

// "NAME (process PID)" of another process with the device open; empty when
// none can be seen.
ProgramText DeviceHolder(const char* path);

// The holder of the device a port name opens (port_names.h says which).
ProgramText PortHolder(const char* portName);
