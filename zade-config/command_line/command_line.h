// zade-config's command line: no arguments for the dialogue, or the options
// below in GNU style (long and short forms, "--opt VALUE" and "--opt=VALUE").
//   -h, --help (and /? on Windows)   -V, --version   -l, --list-ports
//   -p, --port PORT                  -m, --mode 500|100|off
#pragma once

#include <cstdio>

#include "bounded_text.h"
#include "mode_exchange.h"
#include "port_names.h"

enum class Action {
  Dialogue,  // the questions, with the port question only when no port is given
  Help,
  Version,
  ListPorts,
  SetMode,  // one-shot: no question, no key wait
  BadUsage,
};

struct CommandLine {
  Action action = Action::Dialogue;
  bool portGiven = false;
  PortArgument port;
  CanBusMode mode = 0;
  BoundedText<160> error;  // what is wrong, for BadUsage
};

CommandLine ParseCommandLine(int argc, const char* const* argv, PortStyle style);

void PrintUsage(std::FILE* out, PortStyle style);
// The one line of a bad command line's hint.
constexpr const char* kUsageHint = "Try 'zade-config --help'.\n";
