// Control sequences of ANSI terminals.
#pragma once

#include <cstdint>
#include <cstdio>

// ESC [ row ; column H: the terminal counts both from 1, the dialogue from 0.
struct CursorMove {
  char text[16];
};
inline CursorMove AnsiCursorMove(std::int8_t x, std::int8_t y) {
  CursorMove move{};
  std::snprintf(move.text, sizeof move.text, "\x1b[%d;%dH", y + 1, x + 1);
  return move;
}
