// The final key read: one key press from the console, turned into the code
// that becomes the exit status.
#pragma once

#include <cstdint>
#include <optional>

#include "console.h"

// The platform's codes that the decision below looks at (console_win.cpp
// checks them against the platform's headers).
constexpr std::uint16_t kKeyEvent = 0x0001;

constexpr std::uint32_t kRightAltPressed = 0x0001;
constexpr std::uint32_t kLeftAltPressed = 0x0002;
constexpr std::uint32_t kRightCtrlPressed = 0x0004;
constexpr std::uint32_t kLeftCtrlPressed = 0x0008;
constexpr std::uint32_t kEnhancedKey = 0x0100;

constexpr std::uint16_t kVkClear = 0x0C;  // keypad 5 with Num Lock off
constexpr std::uint16_t kVkShift = 0x10;
constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkMenu = 0x12;  // Alt
constexpr std::uint16_t kVkCapital = 0x14;
constexpr std::uint16_t kVkPrior = 0x21;  // Page Up
constexpr std::uint16_t kVkNext = 0x22;   // Page Down
constexpr std::uint16_t kVkEnd = 0x23;
constexpr std::uint16_t kVkHome = 0x24;
constexpr std::uint16_t kVkLeft = 0x25;
constexpr std::uint16_t kVkUp = 0x26;
constexpr std::uint16_t kVkRight = 0x27;
constexpr std::uint16_t kVkDown = 0x28;
constexpr std::uint16_t kVkInsert = 0x2D;
constexpr std::uint16_t kVkDelete = 0x2E;
constexpr std::uint16_t kVkLwin = 0x5B;
constexpr std::uint16_t kVkRwin = 0x5C;
constexpr std::uint16_t kVkF1 = 0x70;
constexpr std::uint16_t kVkF10 = 0x79;
constexpr std::uint16_t kVkF11 = 0x7A;
constexpr std::uint16_t kVkF12 = 0x7B;
constexpr std::uint16_t kVkNumlock = 0x90;
constexpr std::uint16_t kVkScroll = 0x91;
constexpr std::uint16_t kVkLshift = 0xA0;  // ... through kVkRmenu: left and right
constexpr std::uint16_t kVkRmenu = 0xA5;   // Shift, Ctrl and Alt

// The lead bytes of the platform's two-byte key codes.
constexpr int kLeadZero = 0;
constexpr int kLeadE0 = 224;

// The code a console event stands for, or nothing when the event is to be
// skipped: a character gives its byte value 0 to 255; an extended key gives
// the lead byte of its two-byte code, 0 or 224; key releases, other kinds of
// event and presses that give neither (a lone modifier) give nothing.
std::optional<int> KeyCodeFromEvent(const ConsoleEvent& event);

// Waits for one key on the console input device with its input mode set to 0
// (no line input, no echo, no Ctrl+C processing), restores the mode and
// returns the key's code; -1 when the console cannot be opened or read.
int ReadOneKey();
