// zade-config's command line: no arguments for the dialogue, or the options
// below in GNU style (long and short forms, "--opt VALUE" and "--opt=VALUE").
//   -h, --help (and /? on Windows)   -V, --version   -l, --list-ports
//   -p, --port PORT                  -m, --mode 500|100|off
#pragma once

#include <cstdio>

#include "bounded_text.h"
#include "mode_exchange.h"
#include "port_path.h"

// Which system's port names and help texts the command line speaks of.
enum class PortStyle { Windows, Posix };

enum class Action {
  Dialogue,  // the questions, with the port question only when no port is given
  Help,
  Version,
  ListPorts,
  SetMode,  // one-shot: no question, no key wait
  BadUsage,
};

// A port as the user named it, and what the program opens for it.
struct PortArgument {
  PortNameText name;    // shown: COMn in capitals, or the device name as given
  PortNameText device;  // opened
};

struct CommandLine {
  Action action = Action::Dialogue;
  bool portGiven = false;
  PortArgument port;
  CanBusMode mode = 0;
  BoundedText<160> error;  // what is wrong, for BadUsage
};

CommandLine ParseCommandLine(int argc, const char* const* argv, PortStyle style);

// A --port value: COMn (n from 1 to 255, any case) or a device name of the
// system (\\.\NAME on Windows, an absolute path elsewhere). False when it is
// neither.
bool ParsePortArgument(const char* text, PortStyle style, PortArgument& port);

void PrintUsage(std::FILE* out, PortStyle style);
// The one line of a bad command line's hint.
constexpr const char* kUsageHint = "Try 'zade-config --help'.\n";
