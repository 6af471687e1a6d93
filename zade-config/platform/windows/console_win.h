// The Windows console behind the dialogue: standard output for the texts,
// the screen buffer for cursor moves, standard input for the answers and the
// console input queue for the key waits.
#pragma once

#include <cstdint>

class WinConsole {
 public:
  void Write(const char* text);
  void MoveCursor(std::int8_t x, std::int8_t y);
  // Returns once a qualifying key press is queued; the key stays queued.
  // Returns at once when there is no console input to wait on.
  void WaitKey();
  bool ReadChar(char& answer);
};
