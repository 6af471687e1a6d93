#include "console_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "answer_input.h"
#include "signals_posix.h"
#include "terminal_codes.h"

namespace {

// Non-canonical without echo for the length of one wait, so a single key
// makes input readable; Ctrl+C still raises SIGINT. Everything goes back as
// it was, also when a signal ends the program meanwhile.
class KeyWaitMode {
 public:
  explicit KeyWaitMode(int terminal) : terminal_(terminal) {
    if (tcgetattr(terminal, &found_) != 0) return;
    SetTerminalToRestore(terminal, found_);
    termios waiting = found_;
    waiting.c_lflag &= ~(ICANON | ECHO);
    waiting.c_cc[VMIN] = 1;
    waiting.c_cc[VTIME] = 0;
    changed_ = true;
    active_ = tcsetattr(terminal, TCSANOW, &waiting) == 0;
  }
  ~KeyWaitMode() {
    if (!changed_) return;
    tcsetattr(terminal_, TCSANOW, &found_);
    ClearTerminalToRestore();
  }
  KeyWaitMode(const KeyWaitMode&) = delete;
  KeyWaitMode& operator=(const KeyWaitMode&) = delete;

  bool Active() const { return active_; }

 private:
  int terminal_;
  termios found_ = {};
  bool changed_ = false;
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
