#include "fake_console.h"

#include "key_read.h"

namespace fake {

namespace {
FakeConsole console;
constexpr ConsoleInput kHandle = 42;
constexpr std::uint16_t kMouseEvent = 0x0002;
}  // namespace

FakeConsole& Console() {
  return console;
}
void ResetConsole() {
  console = FakeConsole();
}

ConsoleEvent KeyDown(std::uint16_t vk, unsigned char character, std::uint32_t controlKeyState) {
  return {kKeyEvent, true, vk, character, controlKeyState};
}

ConsoleEvent KeyUp(std::uint16_t vk, unsigned char character) {
  return {kKeyEvent, false, vk, character, 0};
}

ConsoleEvent MouseEvent() {
  return {kMouseEvent, true, 0x41, 'a', 0};
}

}  // namespace fake

using fake::console;

bool ConsoleInputOpen(ConsoleInput* input) {
  if (console.openFails) return false;
  console.open = true;
  *input = fake::kHandle;
  return true;
}

void ConsoleInputClose(ConsoleInput input) {
  if (input == fake::kHandle) console.open = false;
}

bool ConsoleInputGetMode(ConsoleInput input, std::uint32_t* mode) {
  if (input != fake::kHandle || console.getModeFails) return false;
  *mode = console.mode;
  return true;
}

bool ConsoleInputSetMode(ConsoleInput input, std::uint32_t mode) {
  if (input != fake::kHandle) return false;
  console.mode = mode;
  console.modesSet.push_back(mode);
  return true;
}

bool ConsoleInputRead(ConsoleInput input, ConsoleEvent* event) {
  if (input != fake::kHandle || !console.open || console.events.empty()) return false;
  if (console.onRead) console.onRead();
  console.modeAtEachRead.push_back(console.mode);
  *event = console.events.front();
  console.events.pop_front();
  return true;
}
