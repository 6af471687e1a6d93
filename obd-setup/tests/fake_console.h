// A console double for the key read: a queue of input events, the input
// mode with its history, and switches that make the open or the mode query fail.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "console.h"

namespace fake {

struct FakeConsole {
  bool openFails = false;
  bool getModeFails = false;
  std::deque<ConsoleEvent> events;  // reads fail once these are used up
  std::uint32_t mode = 0x1F7;       // the mode before the program runs
  std::vector<std::uint32_t> modesSet;
  std::vector<std::uint32_t> modeAtEachRead;
  std::function<void()> onRead;  // runs at each read that finds an event
  bool open = false;
};

FakeConsole& Console();
void ResetConsole();

ConsoleEvent KeyDown(std::uint16_t vk, unsigned char character, std::uint32_t controlKeyState = 0);
ConsoleEvent KeyUp(std::uint16_t vk, unsigned char character);
ConsoleEvent MouseEvent();

}  // namespace fake
