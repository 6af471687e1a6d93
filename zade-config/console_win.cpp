#include "console_win.h"

#include <windows.h>

#include <cstdio>

#include "answer_input.h"
#include "key_event.h"

namespace {

constexpr DWORD kPeekBatch = 64;

KeyEvent ToKeyEvent(const INPUT_RECORD& record) {
  const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
  return KeyEvent{key.bKeyDown != 0, key.uChar.AsciiChar, key.wVirtualKeyCode,
                  (key.dwControlKeyState & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0};
}

bool EndsKeyWait(const INPUT_RECORD& record) {
  return record.EventType == KEY_EVENT && EndsKeyWait(ToKeyEvent(record));
}

// Looks at the queued events without taking any. Returns false when the
// queue cannot be read; otherwise `keyQueued` tells whether a qualifying key
// is waiting and `leadingOthers` how many events before it (or in all) do not.
bool InspectQueue(HANDLE input, bool& keyQueued, DWORD& leadingOthers) {
  INPUT_RECORD records[kPeekBatch];
  DWORD count = 0;
  if (!PeekConsoleInputA(input, records, kPeekBatch, &count)) return false;
  keyQueued = false;
  leadingOthers = 0;
  while (leadingOthers < count && !EndsKeyWait(records[leadingOthers])) ++leadingOthers;
  keyQueued = leadingOthers < count;
  return true;
}

}  // namespace

void WinConsole::Write(const char* text) {
  std::fputs(text, stdout);
}

void WinConsole::MoveCursor(std::int8_t x, std::int8_t y) {
  std::fflush(stdout);  // text written so far belongs before the move
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == INVALID_HANDLE_VALUE) return;
  SetConsoleCursorPosition(output, COORD{x, y});
}

// Key releases, mouse and focus events at the head of the queue are dropped so
// that the wait can block on the input handle instead of polling it.
void WinConsole::WaitKey() {
  std::fflush(stdout);
  HANDLE input =
      CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (input == INVALID_HANDLE_VALUE) return;
  for (;;) {
    bool keyQueued = false;
    DWORD leadingOthers = 0;
    if (!InspectQueue(input, keyQueued, leadingOthers) || keyQueued) break;
    INPUT_RECORD dropped[kPeekBatch];
    DWORD count = 0;
    if (leadingOthers > 0 && !ReadConsoleInputA(input, dropped, leadingOthers, &count)) break;
    if (leadingOthers == 0 && WaitForSingleObject(input, INFINITE) != WAIT_OBJECT_0) break;
  }
  CloseHandle(input);
}

bool WinConsole::ReadChar(char& answer) {
  std::fflush(stdout);
  return ExtractChar(stdin, answer);
}
