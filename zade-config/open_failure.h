// Why a port could not be opened, as far as the system tells.
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
