// zade-config's command line carried out: the dialogue, or one of the forms
// for scripts, which need no console and wait for no key.
#pragma once

#include <cstdio>

#include "command_line.h"
#include "dialogue.h"
#include "open_failure.h"
#include "port_list.h"

// The statuses of the forms with options (the dialogue keeps its own).
constexpr int kExitDone = 0;
constexpr int kExitError = 1;  // no port chosen or opened, or no answer
constexpr int kExitUsage = 2;
constexpr int kExitOtherMode = 3;  // the adapter reports another mode than asked for

// What the program needs of its system besides the port and the console.
struct ProgramSystem {
  PortStyle style;
  void (*enumeratePorts)(PortTable& ports);
  EnvironmentLookup environment;
  std::FILE* out;
  std::FILE* err;
};

int ShowUsage(const ProgramSystem& system);
int ShowVersion(const ProgramSystem& system);
int ListPorts(const ProgramSystem& system);
int ReportBadUsage(const CommandLine& line, const ProgramSystem& system);

// The one USB serial port present, as a port argument; false, with the list
// on the error stream, when there is none or more than one.
bool ChooseUsbPort(const ProgramSystem& system, PortArgument& chosen);

// The line that follows the open error; empty when the reason is unknown.
BoundedText<160> OpenFailureReason(const OpenFailure& failure);
int ReportOpenFailure(const PortArgument& port, const OpenFailure& failure,
                      const ProgramSystem& system);

// Sets the mode on the port as the dialogue's "Write config." does, and
// reports the outcome on one line.
template <class Port>
int SetModeOnce(const CommandLine& line, Port& port, const ProgramSystem& system) {
  PortArgument target = line.port;
  if (!line.portGiven && !ChooseUsbPort(system, target)) return kExitError;
  if (!port.Open(target.device.c_str(), kBaudRate, kOpenTimeoutMs)) {
    return ReportOpenFailure(target, port.LastOpenFailure(), system);
  }
  ModeFrame frame{};
  PrepareLine(port, frame);
  CanBusMode reported = 0;
  if (!SendMode(port, frame, line.mode, reported)) {
    std::fputs("Error, adapter not conected!!!\n", system.err);
    return kExitError;
  }
  std::fprintf(system.out, "%s: %s\n", target.name.c_str(), ModeLine(reported).text);
  if (reported == line.mode) return kExitDone;
  std::fprintf(system.err, "Asked for %s\n", ModeLine(line.mode).text);
  return kExitOtherMode;
}

template <class Port, class Console>
int RunProgram(const CommandLine& line, Port& port, Console& console, const ProgramSystem& system) {
  switch (line.action) {
    case Action::Dialogue:
      if (!line.portGiven) return RunDialogue(port, console);
      return RunDialogueFromMenu(port, console, line.port.name.c_str(), line.port.device.c_str());
    case Action::SetMode:
      return SetModeOnce(line, port, system);
    case Action::Help:
      return ShowUsage(system);
    case Action::Version:
      return ShowVersion(system);
    case Action::ListPorts:
      return ListPorts(system);
    default:
      return ReportBadUsage(line, system);
  }
}
