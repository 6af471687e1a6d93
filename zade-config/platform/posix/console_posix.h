// The terminal behind the dialogue on a POSIX system: standard output for the
// texts, ANSI sequences for cursor moves when standard output is a terminal,
// standard input for the answers and the terminal itself (/dev/tty) for the
// key waits.
#pragma once

#include <cstdint>

class PosixConsole {
 public:
  void Write(const char* text);
  void MoveCursor(std::int8_t x, std::int8_t y);
  // Returns once a key has sent bytes to the terminal; they stay unread.
  // Returns at once when there is no terminal.
  void WaitKey();
  bool ReadChar(char& answer);
};
