// The console input operations of console.h on Windows: each is one platform
// call, and the read copies the record's fields unchanged.
#include <windows.h>

#include "console.h"
#include "key_read.h"

// key_read.h names the platform's codes itself; they must be the same.
static_assert(kKeyEvent == KEY_EVENT, "event type");
static_assert(kRightAltPressed == RIGHT_ALT_PRESSED && kLeftAltPressed == LEFT_ALT_PRESSED &&
                  kRightCtrlPressed == RIGHT_CTRL_PRESSED &&
                  kLeftCtrlPressed == LEFT_CTRL_PRESSED && kEnhancedKey == ENHANCED_KEY,
              "control key state bits");
static_assert(kVkClear == VK_CLEAR && kVkShift == VK_SHIFT && kVkControl == VK_CONTROL &&
                  kVkMenu == VK_MENU && kVkCapital == VK_CAPITAL && kVkPrior == VK_PRIOR &&
                  kVkNext == VK_NEXT && kVkEnd == VK_END && kVkHome == VK_HOME &&
                  kVkLeft == VK_LEFT && kVkUp == VK_UP && kVkRight == VK_RIGHT &&
                  kVkDown == VK_DOWN && kVkInsert == VK_INSERT && kVkDelete == VK_DELETE &&
                  kVkLwin == VK_LWIN && kVkRwin == VK_RWIN && kVkF1 == VK_F1 && kVkF10 == VK_F10 &&
                  kVkF11 == VK_F11 && kVkF12 == VK_F12 && kVkNumlock == VK_NUMLOCK &&
                  kVkScroll == VK_SCROLL && kVkLshift == VK_LSHIFT && kVkRmenu == VK_RMENU,
              "virtual key codes");

namespace {
HANDLE AsHandle(ConsoleInput input) {
  return reinterpret_cast<HANDLE>(input);
}
}  // namespace

bool ConsoleInputOpen(ConsoleInput* input) {
  HANDLE handle =
      CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  *input = reinterpret_cast<ConsoleInput>(handle);
  return true;
}

void ConsoleInputClose(ConsoleInput input) {
  CloseHandle(AsHandle(input));
}

bool ConsoleInputGetMode(ConsoleInput input, std::uint32_t* mode) {
  DWORD current;
  if (!GetConsoleMode(AsHandle(input), &current)) return false;
  *mode = current;
  return true;
}

bool ConsoleInputSetMode(ConsoleInput input, std::uint32_t mode) {
  return SetConsoleMode(AsHandle(input), mode) != 0;
}

bool ConsoleInputRead(ConsoleInput input, ConsoleEvent* event) {
  INPUT_RECORD record;
  DWORD count = 0;
  if (!ReadConsoleInputA(AsHandle(input), &record, 1, &count) || count != 1) return false;
  const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
  event->eventType = record.EventType;
  event->keyDown = key.bKeyDown != FALSE;
  event->virtualKeyCode = key.wVirtualKeyCode;
  event->character = static_cast<unsigned char>(key.uChar.AsciiChar);
  event->controlKeyState = key.dwControlKeyState;
  return true;
}
