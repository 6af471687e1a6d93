#include "console_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "answer_input.h"
#include "terminal_codes.h"

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kEndingSignalCount = sizeof kEndingSignals / sizeof kEndingSignals[0];

// The terminal as found, for the signal handler to put back.
int gTerminal = -1;
termios gFoundSettings{};

extern "C" void RestoreAndEnd(int signal) {
  tcsetattr(gTerminal, TCSANOW, &gFoundSettings);
  ::signal(signal, SIG_DFL);
  raise(signal);
}

// Non-canonical without echo for the length of one wait, so a single key
// makes input readable; Ctrl+C still raises SIGINT. Everything goes back as
// it was, also when a signal ends the program meanwhile.
class KeyWaitMode {
 public:
  explicit KeyWaitMode(int terminal) {
    if (tcgetattr(terminal, &gFoundSettings) != 0) return;
    gTerminal = terminal;
    struct sigaction ending = {};
    ending.sa_handler = RestoreAndEnd;
    sigemptyset(&ending.sa_mask);
    // A signal the program was started to ignore stays ignored.
    for (int i = 0; i < kEndingSignalCount; ++i) {
      sigaction(kEndingSignals[i], nullptr, &previous_[i]);
      if (previous_[i].sa_handler != SIG_IGN) sigaction(kEndingSignals[i], &ending, nullptr);
    }
    termios waiting = gFoundSettings;
    waiting.c_lflag &= ~(ICANON | ECHO);
    waiting.c_cc[VMIN] = 1;
    waiting.c_cc[VTIME] = 0;
    active_ = tcsetattr(terminal, TCSANOW, &waiting) == 0;
  }
  ~KeyWaitMode() {
    if (gTerminal < 0) return;
    tcsetattr(gTerminal, TCSANOW, &gFoundSettings);
    for (int i = 0; i < kEndingSignalCount; ++i)
      sigaction(kEndingSignals[i], &previous_[i], nullptr);
    gTerminal = -1;
  }
  KeyWaitMode(const KeyWaitMode&) = delete;
  KeyWaitMode& operator=(const KeyWaitMode&) = delete;

  bool Active() const { return active_; }

 private:
  struct sigaction previous_[kEndingSignalCount] = {};
  bool active_ = false;
};

}  // namespace

void PosixConsole::Write(const char* text) {
  std::fputs(text, stdout);
}

void PosixConsole::MoveCursor(std::int8_t x, std::int8_t y) {
  if (isatty(STDOUT_FILENO)) std::fputs(AnsiCursorMove(x, y).text, stdout);
}

void PosixConsole::WaitKey() {
  std::fflush(stdout);
  const int terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (terminal < 0) return;
  {
    KeyWaitMode mode(terminal);
    pollfd key{terminal, POLLIN, 0};
    while (mode.Active() && poll(&key, 1, -1) < 0 && errno == EINTR) {
    }
  }
  close(terminal);
}

bool PosixConsole::ReadChar(char& answer) {
  std::fflush(stdout);
  return ExtractChar(stdin, answer);
}
