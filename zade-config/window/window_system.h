// What the window needs of its system: the ports present, a one-shot run on
// one of them, and the system's conversion of its UTF-8 texts to UTF-16. The
// entry point gives them, so the window holds no port of its own.
#pragma once

#include "one_shot.h"
#include "port_table.h"

struct WindowSystem {
  void (*enumeratePorts)(PortTable& ports);
  // Runs on the worker thread.
  OneShotOutcome (*setMode)(const PortArgument& port, CanBusMode mode);
  // UTF-8 as UTF-16 in a buffer of `capacity` units: the units written, 0
  // (and the buffer empty) when it does not fit.
  int (*toWide)(const char* utf8, wchar_t* wide, int capacity);
};
