// The mode set without questions, as the dialogue's "Write config." sets it,
// and its outcome: the lines a front end shows and the status it ends with.
#pragma once

#include "bounded_text.h"
#include "mode_exchange.h"
#include "mode_text.h"
#include "open_failure.h"
#include "port_names.h"

// The statuses of a one-shot run.
constexpr int kExitDone = 0;
constexpr int kExitError = 1;      // no port chosen or opened, or no answer
constexpr int kExitOtherMode = 3;  // the adapter reports another mode than asked for

// Each line ends with a newline.
using OutcomeLines = BoundedText<640>;

// Built from zeros, and then given its status: an outcome with other
// defaults would need an image of its 1 KiB kept in the exe.
struct OneShotOutcome {
  int status;
  OutcomeLines result;    // the mode the adapter reports: for standard output
  OutcomeLines problems;  // what went wrong: for the error stream
};

// The open error and its reason, with what `lookups` find of a busy or a
// forbidden device.
OutcomeLines OpenFailureLines(const PortArgument& port, OpenFailure failure,
                              const FailureLookups& lookups);

// "No echo of the request: sent 81 00 00 09 8A, read 55 55 55 55 55".
OutcomeLines NoEchoLine(const ModeFrame& sent, const ModeFrame& read, std::uint32_t readCount);

OneShotOutcome ReportedModeOutcome(const PortArgument& port, CanBusMode asked, CanBusMode reported);

// Port offers what the dialogue's port does, Receive(buffer, count) and
// LastOpenFailure().
template <class Port>
OneShotOutcome SetModeOnce(Port& port, const PortArgument& target, CanBusMode mode,
                           const FailureLookups& lookups) {
  OneShotOutcome outcome{};
  outcome.status = kExitError;
  if (!port.Open(target.device.c_str(), kBaudRate, kOpenTimeoutMs)) {
    outcome.problems = OpenFailureLines(target, port.LastOpenFailure(), lookups);
    return outcome;
  }
  ModeFrame frame{}, echo{};
  PrepareLine(port, frame);
  std::uint32_t echoed = 0;
  CanBusMode reported = 0;
  switch (SendModeCheckingEcho(port, frame, mode, echo, echoed, reported)) {
    case ExchangeEnd::NoAnswer:
      outcome.problems = "Error, adapter not conected!!!\n";
      return outcome;
    case ExchangeEnd::NoEcho:
      outcome.problems = NoEchoLine(frame, echo, echoed);
      return outcome;
    default:
      return ReportedModeOutcome(target, mode, reported);
  }
}
