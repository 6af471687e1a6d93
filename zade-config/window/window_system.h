// What the window needs of its system: the ports present and a one-shot run
// on one of them. The entry point gives them, so the window holds no port of
// its own.
#pragma once

#include "one_shot.h"
#include "port_table.h"

struct WindowSystem {
  void (*enumeratePorts)(PortTable& ports);
  // Runs on the worker thread.
  OneShotOutcome (*setMode)(const PortArgument& port, CanBusMode mode);
};
