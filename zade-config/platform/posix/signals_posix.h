// The signals that end the program from its terminal or its caller:
// interrupt, quit, terminate, hang-up, and a broken pipe. Each of them first
// releases what the program holds, so that nothing outlives it: the port's
// exclusive flag (which a pty keeps after the last close of an ended
// process's descriptor, locking out every other user) and the terminal
// settings of a key wait. It then ends the process by the same signal, with
// its default action, so the caller still sees the signal. A signal the
// program was started to ignore stays ignored.
#pragma once

#include <signal.h>
#include <termios.h>

// Once, at the start.
void CatchEndingSignals();

// The open port an ending signal releases; -1: none.
void SetPortToRelease(int fd);
// The terminal an ending signal puts back as `settings` say; -1: none.
void SetTerminalToRestore(int fd, const termios& settings);
void ClearTerminalToRestore();

// Holds the ending signals back for its lifetime, so that opening or closing
// the port, and what a signal would release, change together.
class EndingSignalsHeld {
 public:
  EndingSignalsHeld();
  ~EndingSignalsHeld();
  EndingSignalsHeld(const EndingSignalsHeld&) = delete;
  EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

 private:
  sigset_t previous_;
};
