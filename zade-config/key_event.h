// Which console key presses end a "Press Enter..." wait.
#pragma once

#include <cstdint>

// One console key event, as the platform reports it.
struct KeyEvent {
  bool keyDown;
  char character;            // 0 when the key carries no character
  std::uint16_t virtualKey;  // the platform's virtual-key code
  bool altHeld;
};

// A press that carries a character, or of a function, cursor or editing key
// (also with Shift, Ctrl or Alt), Shift+Tab, or Alt with a letter or digit.
// Releases and modifier keys pressed alone do not count.
bool EndsKeyWait(const KeyEvent& event);
