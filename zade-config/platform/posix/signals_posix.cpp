#include "signals_posix.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGPIPE};

volatile sig_atomic_t gPort = -1;
volatile sig_atomic_t gTerminal = -1;
termios gTerminalSettings = {};

sigset_t EndingSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kEndingSignals) sigaddset(&set, signal);
  return set;
}

extern "C" void ReleaseAndEnd(int signal) {
  if (gPort >= 0) {
    ioctl(gPort, TIOCNXCL);
    close(gPort);
  }
  if (gTerminal >= 0) tcsetattr(gTerminal, TCSANOW, &gTerminalSettings);
  // Pending until the handler returns, then the default action ends the process.
  ::signal(signal, SIG_DFL);
  raise(signal);
}

}  // namespace

void CatchEndingSignals() {
  struct sigaction ending = {};
  ending.sa_handler = ReleaseAndEnd;
  ending.sa_mask = EndingSignalSet();
  for (const int signal : kEndingSignals) {
    struct sigaction found = {};
    sigaction(signal, nullptr, &found);
    if (found.sa_handler != SIG_IGN) sigaction(signal, &ending, nullptr);
  }
}

void SetPortToRelease(int fd) {
  gPort = fd;
}

void SetTerminalToRestore(int fd, const termios& settings) {
  const EndingSignalsHeld held;
  gTerminalSettings = settings;
  gTerminal = fd;
}

void ClearTerminalToRestore() {
  gTerminal = -1;
}

EndingSignalsHeld::EndingSignalsHeld() {
  const sigset_t ending = EndingSignalSet();
  sigprocmask(SIG_BLOCK, &ending, &previous_);
}

EndingSignalsHeld::~EndingSignalsHeld() {
  sigprocmask(SIG_SETMASK, &previous_, nullptr);
}
