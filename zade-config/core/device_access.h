// Why this user may not read and write a device, as the device's owner and
// mode tell, and the advice that follows.
#pragma once

#include "bounded_text.h"

struct DeviceAccess {
  bool denied = false;
  BoundedText<32> group;            // the device's group: its name, or its number
  bool rootAlone = false;           // group root, or no read and write for the group
  bool inGroupNotLoggedIn = false;  // the user is listed in the group; this login lacks it
};

// Finds the access of the device a port name opens.
using AccessLookup = DeviceAccess (*)(const char* portName);

// "join the 'uucp' group (sudo usermod -aG uucp $USER, then log in again)",
// "only root may open it" or "log in again: ...".
BoundedText<128> AccessAdvice(const DeviceAccess& access);
