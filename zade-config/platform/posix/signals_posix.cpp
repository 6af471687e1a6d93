#include "signals_posix.h"

#include <signal.h>

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kEndingSignalCount = sizeof kEndingSignals / sizeof kEndingSignals[0];

void (*gCleanup)() = nullptr;
struct sigaction gPrevious[kEndingSignalCount] = {};

extern "C" void CleanUpAndEnd(int signal) {
  gCleanup();
  ::signal(signal, SIG_DFL);
  raise(signal);
}

}  // namespace

void CatchEndingSignals(void (*cleanup)()) {
  gCleanup = cleanup;
  struct sigaction ending = {};
  ending.sa_handler = CleanUpAndEnd;
  sigemptyset(&ending.sa_mask);
  for (int i = 0; i < kEndingSignalCount; ++i) {
    sigaction(kEndingSignals[i], nullptr, &gPrevious[i]);
    if (gPrevious[i].sa_handler != SIG_IGN) sigaction(kEndingSignals[i], &ending, nullptr);
  }
}

void ReleaseEndingSignals() {
  for (int i = 0; i < kEndingSignalCount; ++i) sigaction(kEndingSignals[i], &gPrevious[i], nullptr);
}
