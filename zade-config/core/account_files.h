// A device's access as the account files tell it: the name of its group,
// and whether this user is listed in it.
#pragma once

#include "device_access.h"

// The system's account files, read as files: the static program uses no
// name service.
struct AccountFiles {
  const char* group = "/etc/group";
  const char* passwd = "/etc/passwd";
};

// What the system tells of a device and of this process.
struct DeviceOwnership {
  bool denied = false;           // this process may not read and write it
  unsigned long group = 0;       // the device's group
  bool groupReadWrite = false;   // its group may read and write it
  unsigned long user = 0;        // this process's user
  bool processHasGroup = false;  // this login has the device's group
};

// The access of a device, with its group's name and the user's membership
// as the account files list them.
DeviceAccess AccessFromAccounts(const DeviceOwnership& device, const AccountFiles& files);
