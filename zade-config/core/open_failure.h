// Why a port could not be opened, as far as the system tells, and the line
// that says so.
#pragma once

#include "bounded_text.h"
#include "device_access.h"

enum class OpenFailureKind {
  Unknown,
  PermissionDenied,  // POSIX: no read/write permission on the device
  Busy,              // POSIX: another program holds the device
  NoSuchDevice,      // POSIX: nothing there, or a name that leads nowhere
  AccessDenied,      // Windows: another program holds the port
  NotFound,          // Windows: no such port
};

using ProgramText = BoundedText<96>;

// Who keeps a busy device from us: the program that holds its lock, or else
// one that merely has it open.
struct DeviceUser {
  ProgramText program;  // "NAME (process PID)"; empty when none can be seen
  bool holdsLock = false;
};

struct OpenFailure {
  OpenFailureKind kind = OpenFailureKind::Unknown;
  DeviceUser user;      // Busy: where it is reported
  DeviceAccess access;  // PermissionDenied: where it is reported
};

// Finds who keeps the device a port name opens.
using HolderLookup = DeviceUser (*)(const char* portName);

// What a report of an open failure may look up; null where the system cannot tell.
struct FailureLookups {
  HolderLookup holder = nullptr;
  AccessLookup access = nullptr;
};

// The line that follows the open error; empty when the reason is unknown.
BoundedText<160> OpenFailureReason(const OpenFailure& failure);
