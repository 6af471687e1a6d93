// The console input operations the final key read uses, one for each platform
// call, with no logic of their own. console_win.cpp implements them on
// Windows; the unit tests link a double in their place.
#pragma once

#include <cstdint>

// The console input device, as the platform's handle value.
using ConsoleInput = std::uintptr_t;

// One input record, copied field by field from the platform's INPUT_RECORD.
// The key fields are meaningful only when eventType is kKeyEvent.
struct ConsoleEvent {
  std::uint16_t eventType;
  bool keyDown;
  std::uint16_t virtualKeyCode;
  unsigned char character;  // the ANSI character, 0 when the key gives none
  std::uint32_t controlKeyState;
};

// CreateFileA("CONIN$", read and write, shared) and CloseHandle: the console
// itself, whatever standard input is.
bool ConsoleInputOpen(ConsoleInput* input);
void ConsoleInputClose(ConsoleInput input);

// GetConsoleMode and SetConsoleMode.
bool ConsoleInputGetMode(ConsoleInput input, std::uint32_t* mode);
bool ConsoleInputSetMode(ConsoleInput input, std::uint32_t mode);

// ReadConsoleInputA of one record; waits until there is one.
bool ConsoleInputRead(ConsoleInput input, ConsoleEvent* event);
