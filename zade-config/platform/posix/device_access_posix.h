// Who may read and write a device, from its owner and mode and the
// system's account files (read as files: the static program uses no name
// service).
#pragma once

#include "device_access.h"

struct AccountFiles {
  const char* group = "/etc/group";
  const char* passwd = "/etc/passwd";
};

// This process's access to the device at `path`.
DeviceAccess DeviceAccessOf(const char* path, const AccountFiles& files = AccountFiles());

// The same for the device a port name opens (port_names.h says which).
DeviceAccess PortAccess(const char* portName);
