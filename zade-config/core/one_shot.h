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

// What happened in a one-shot run.
enum class OutcomeKind {
  Done,       // the adapter reports the mode asked for
  OtherMode,  // it reports another
  NoAnswer,
  NoEcho,     // what came back was not the request
  NotOpened,  // the port could not be opened
};

// Built from zeros, and then filled in: an outcome with other defaults would
// need an image of it kept in the exe. The data tells what happened; the
// lines say it in English, as the command line writes them.
struct OneShotOutcome {
  int status;
  OutcomeKind kind;
  PortNameText port;     // the port's name, as the user gave or chose it
  CanBusMode asked;      // the mode asked for
  CanBusMode reported;   // Done, OtherMode: the mode the adapter reports
  OpenFailure failure;   // NotOpened: why, with what the lookups found
  ModeFrame sent, read;  // NoEcho: the request, and the bytes read back
  std::uint32_t readCount;
  OutcomeLines result;    // the mode the adapter reports: for standard output
  OutcomeLines problems;  // what went wrong: for the error stream
};

// The failure with what `lookups` find of a busy or a forbidden device.
OpenFailure LookedUpFailure(const PortArgument& port, OpenFailure failure,
                            const FailureLookups& lookups);

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
  outcome.port = target.name;
  outcome.asked = mode;
  if (!port.Open(target.device.c_str(), kBaudRate, kOpenTimeoutMs)) {
    outcome.kind = OutcomeKind::NotOpened;
    outcome.failure = LookedUpFailure(target, port.LastOpenFailure(), lookups);
    outcome.problems = OpenFailureLines(target, outcome.failure, {});
    return outcome;
  }
  ModeFrame frame{};
  PrepareLine(port, frame);
  CanBusMode reported = 0;
  switch (SendModeCheckingEcho(port, frame, mode, outcome.read, outcome.readCount, reported)) {
    case ExchangeEnd::NoAnswer:
      outcome.kind = OutcomeKind::NoAnswer;
      outcome.problems = "Error, adapter not conected!!!\n";
      return outcome;
    case ExchangeEnd::NoEcho:
      outcome.kind = OutcomeKind::NoEcho;
      outcome.sent = frame;
      outcome.problems = NoEchoLine(frame, outcome.read, outcome.readCount);
      return outcome;
    default:
      return ReportedModeOutcome(target, mode, reported);
  }
}
