// zade-config's command line carried out: the dialogue, or one of the forms
// for scripts, which need no console, wait for no key and print what the
// core returns.
#pragma once

#include <cstdio>

#include "command_line.h"
#include "dialogue.h"
#include "one_shot.h"
#include "port_table.h"

// The status of a bad command line (the others are the one-shot run's, and
// the dialogue keeps its own).
constexpr int kExitUsage = 2;

// What the program needs of its system besides the port and the console.
struct ProgramSystem {
  PortStyle style;
  void (*enumeratePorts)(PortTable& ports);
  EnvironmentLookup environment;
  FailureLookups lookups;
  std::FILE* out;
  std::FILE* err;
  int (*closeStream)(std::FILE* stream);  // std::fclose
  // Writes UTF-8 text (port names and descriptions) as the stream's reader
  // expects it.
  void (*writeText)(std::FILE* stream, const char* text);
};

int ShowUsage(const ProgramSystem& system);
int ShowVersion(const ProgramSystem& system);
int ListPorts(const ProgramSystem& system);
int ReportBadUsage(const CommandLine& line, const ProgramSystem& system);

// The one USB serial port present, as a port argument; false, with the list
// on the error stream, when there is none or more than one.
bool ChooseUsbPort(const ProgramSystem& system, PortArgument& chosen);

// The outcome's lines on their streams; its status.
int PrintOutcome(const OneShotOutcome& outcome, const ProgramSystem& system);

// Closes both streams once a form has printed all it had to, as GNU tools do
// at their end: output that could not be written is an error, said on the
// error stream where that still can be written ("zade-config: write error:
// REASON"), and the status becomes 1. (msvcrt's printf and fflush report
// success on a full device, and only mark the stream.)
int EndOutput(int status, const ProgramSystem& system);

template <class Port>
int SetModeFromCommandLine(const CommandLine& line, Port& port, const ProgramSystem& system) {
  PortArgument target = line.port;
  if (!line.portGiven && !ChooseUsbPort(system, target)) return kExitError;
  return PrintOutcome(SetModeOnce(port, target, line.mode, system.lookups), system);
}

template <class Port>
int RunForm(const CommandLine& line, Port& port, const ProgramSystem& system) {
  switch (line.action) {
    case Action::SetMode:
      return SetModeFromCommandLine(line, port, system);
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

template <class Port, class Console>
int RunProgram(const CommandLine& line, Port& port, Console& console, const ProgramSystem& system) {
  if (line.action != Action::Dialogue) return EndOutput(RunForm(line, port, system), system);
  if (!line.portGiven) return RunDialogue(port, console);
  return RunDialogueFromMenu(port, console, line.port.name.c_str(), line.port.device.c_str());
}
