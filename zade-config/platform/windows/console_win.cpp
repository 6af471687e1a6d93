#include "console_win.h"

#include <io.h>
#include <windows.h>

#include <cstdio>

#include "answer_input.h"
#include "key_wait.h"

namespace {

// The console input queue behind "CONIN$", whatever standard input is.
class ConsoleQueue {
 public:
  ConsoleQueue()
      : input_(CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr)) {}
  ~ConsoleQueue() {
    if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
  }
  ConsoleQueue(const ConsoleQueue&) = delete;
  ConsoleQueue& operator=(const ConsoleQueue&) = delete;

  bool Peek(QueuedEvent* events, std::size_t max, std::size_t& count) {
    INPUT_RECORD records[kPeekBatch];
    DWORD peeked = 0;
    if (input_ == INVALID_HANDLE_VALUE || max > kPeekBatch ||
        !PeekConsoleInputA(input_, records, static_cast<DWORD>(max), &peeked)) {
      return false;
    }
    for (DWORD i = 0; i < peeked; ++i) {
      const KEY_EVENT_RECORD& key = records[i].Event.KeyEvent;
      events[i] = {records[i].EventType == KEY_EVENT,
                   {key.bKeyDown != 0, key.uChar.AsciiChar, key.wVirtualKeyCode,
                    (key.dwControlKeyState & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0}};
    }
    count = peeked;
    return true;
  }

  bool Drop(std::size_t count) {
    INPUT_RECORD records[kPeekBatch];
    DWORD read = 0;
    return count <= kPeekBatch &&
           ReadConsoleInputA(input_, records, static_cast<DWORD>(count), &read) != 0;
  }

  bool Block() { return WaitForSingleObject(input_, INFINITE) == WAIT_OBJECT_0; }

 private:
  HANDLE input_;
};

}  // namespace

void WinConsole::Write(const char* text) {
  std::fputs(text, stdout);
}

void WinConsole::MoveCursor(std::int8_t x, std::int8_t y) {
  std::fflush(stdout);  // text written so far belongs before the move
  // The C runtime's own handle: one the process inherited may be stale.
  HANDLE output = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
  if (output == INVALID_HANDLE_VALUE) return;
  SetConsoleCursorPosition(output, COORD{x, y});
}

void WinConsole::WaitKey() {
  std::fflush(stdout);
  ConsoleQueue queue;
  WaitForKey(queue);
}

bool WinConsole::ReadChar(char& answer) {
  std::fflush(stdout);
  return ExtractChar(stdin, answer);
}
