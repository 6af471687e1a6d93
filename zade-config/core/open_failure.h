// Why a port could not be opened, as far as the system tells, and the line
// that says so.
#pragma once

#include "bounded_text.h"

enum class OpenFailureKind {
  Unknown,
  PermissionDenied,  // POSIX: no read/write permission on the device
  Busy,              // POSIX: another program holds the device
  NoSuchDevice,      // POSIX: nothing there, or a name that leads nowhere
  AccessDenied,      // Windows: another program holds the port
  NotFound,          // Windows: no such port
};

using ProgramText = BoundedText<96>;

struct OpenFailure {
  OpenFailureKind kind = OpenFailureKind::Unknown;
  ProgramText holder;  // Busy: the program holding the device, when it can be known
};

// Finds the program that holds the port a name opens ("NAME (process PID)");
// empty when none can be seen.
using HolderLookup = ProgramText (*)(const char* portName);

// The line that follows the open error; empty when the reason is unknown.
BoundedText<160> OpenFailureReason(const OpenFailure& failure);
