#include "key_read.h"

namespace {

constexpr int kNoKeyRead = -1;

bool IsModifierOrLock(std::uint16_t vk) {
  return vk == kVkShift || vk == kVkControl || vk == kVkMenu || vk == kVkCapital ||
         vk == kVkNumlock || vk == kVkScroll || vk == kVkLwin || vk == kVkRwin ||
         (vk >= kVkLshift && vk <= kVkRmenu);
}

// Home, End, Page Up, Page Down, the arrows, Insert and Delete: the cluster
// of their own (ENHANCED_KEY set) or the numeric keypad with Num Lock off.
bool IsCursorOrEditingKey(std::uint16_t vk) {
  return (vk >= kVkPrior && vk <= kVkDown) || vk == kVkInsert || vk == kVkDelete;
}

}  // namespace

// The lead bytes follow the platform's usual console key read:
//  - F1 to F10 give 0 and F11, F12 give 224, with any modifiers;
//  - the cursor and editing keys give 224 from their own cluster (the event
//    carries ENHANCED_KEY) and 0 from the numeric keypad (it does not), as
//    does keypad 5; with Alt held they give 0 from either;
//  - any other key that gives no character while Alt or Ctrl is held
//    (Alt+letter, Alt+digit, Ctrl+Tab, ...) gives 0;
//  - what is left without a character (a lone modifier or lock key, the
//    Windows keys, Pause, a dead key) is skipped.
std::optional<int> KeyCodeFromEvent(const ConsoleEvent& event) {
  if (event.eventType != kKeyEvent || !event.keyDown) return std::nullopt;
  if (event.character != 0) return event.character;

  const std::uint16_t vk = event.virtualKeyCode;
  const bool alt = (event.controlKeyState & (kLeftAltPressed | kRightAltPressed)) != 0;
  const bool ctrl = (event.controlKeyState & (kLeftCtrlPressed | kRightCtrlPressed)) != 0;
  const bool enhanced = (event.controlKeyState & kEnhancedKey) != 0;

  if (IsModifierOrLock(vk)) return std::nullopt;
  if (vk >= kVkF1 && vk <= kVkF10) return kLeadZero;
  if (vk == kVkF11 || vk == kVkF12) return kLeadE0;
  if (IsCursorOrEditingKey(vk)) return enhanced && !alt ? kLeadE0 : kLeadZero;
  if (vk == kVkClear) return kLeadZero;
  if (alt || ctrl) return kLeadZero;
  return std::nullopt;
}

int ReadOneKey() {
  ConsoleInput input;
  if (!ConsoleInputOpen(&input)) return kNoKeyRead;
  std::uint32_t previousMode;
  if (!ConsoleInputGetMode(input, &previousMode)) {
    ConsoleInputClose(input);
    return kNoKeyRead;
  }
  ConsoleInputSetMode(input, 0);

  int code = kNoKeyRead;
  ConsoleEvent event;
  while (ConsoleInputRead(input, &event)) {
    if (const std::optional<int> key = KeyCodeFromEvent(event)) {
      code = *key;
      break;
    }
  }

  ConsoleInputSetMode(input, previousMode);
  ConsoleInputClose(input);
  return code;
}
