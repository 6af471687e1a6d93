// Who may read and write a device: its owner and mode as the system tells
// them, and what the account files say of them (account_files.h).
#pragma once

#include "account_files.h"

// This process's access to the device at `path`.
DeviceAccess DeviceAccessOf(const char* path, const AccountFiles& files = AccountFiles());

// The same for the device a port name opens (port_names.h says which).
DeviceAccess PortAccess(const char* portName);
