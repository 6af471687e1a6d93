#include "key_wait.h"

namespace {

// Virtual-key codes of the keys that count without a character.
constexpr std::uint16_t kVkTab = 0x09;
constexpr std::uint16_t kVkPageUp = 0x21;  // Page Up, Page Down, End, Home, the arrows
constexpr std::uint16_t kVkDown = 0x28;
constexpr std::uint16_t kVkInsert = 0x2D;
constexpr std::uint16_t kVkDelete = 0x2E;
constexpr std::uint16_t kVkF1 = 0x70;
constexpr std::uint16_t kVkF12 = 0x7B;

bool IsBetween(std::uint16_t key, std::uint16_t first, std::uint16_t last) {
  return key >= first && key <= last;
}

bool IsFunctionCursorOrEditingKey(std::uint16_t key) {
  return IsBetween(key, kVkPageUp, kVkDown) || key == kVkInsert || key == kVkDelete ||
         IsBetween(key, kVkF1, kVkF12);
}

bool IsLetterOrDigit(std::uint16_t key) {
  return IsBetween(key, '0', '9') || IsBetween(key, 'A', 'Z');
}

}  // namespace

bool EndsKeyWait(const KeyEvent& event) {
  if (!event.keyDown) return false;
  if (event.character != 0) return true;
  if (IsFunctionCursorOrEditingKey(event.virtualKey) || event.virtualKey == kVkTab) return true;
  return event.altHeld && IsLetterOrDigit(event.virtualKey);
}
