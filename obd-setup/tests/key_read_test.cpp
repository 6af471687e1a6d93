#include "key_read.h"

#include <gtest/gtest.h>

#include <vector>

#include "fake_console.h"

namespace {

using fake::KeyDown;
using fake::KeyUp;

constexpr std::uint32_t kShiftPressed = 0x0010;
constexpr std::uint32_t kLeftAlt = kLeftAltPressed;
constexpr std::uint32_t kCtrl = kLeftCtrlPressed;

struct Case {
  const char* what;
  ConsoleEvent event;
  std::optional<int> code;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.what;
}

class KeyCodeTest : public testing::TestWithParam<Case> {};

TEST_P(KeyCodeTest, CodeForEvent) {
  EXPECT_EQ(KeyCodeFromEvent(GetParam().event), GetParam().code) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    CharactersAsTheirByte, KeyCodeTest,
    testing::Values(
        Case{"a", KeyDown('A', 'a'), 97}, Case{"Shift+A", KeyDown('A', 'A', kShiftPressed), 65},
        Case{"Ctrl+C", KeyDown('C', 3, kCtrl), 3}, Case{"Enter", KeyDown(0x0D, '\r'), 13},
        Case{"keypad Enter", KeyDown(0x0D, '\r', kEnhancedKey), 13},
        Case{"e acute", KeyDown(0xDE, 0xE9), 0xE9},
        Case{"byte 0xE0 is a character, not a lead byte", KeyDown(0xDE, 0xE0), 224},

        Case{"AltGr+Q gives @", KeyDown('Q', '@', kLeftCtrlPressed | kRightAltPressed), '@'}));

INSTANTIATE_TEST_SUITE_P(
    Skipped, KeyCodeTest,
    testing::Values(Case{"release of a", KeyUp('A', 'a'), std::nullopt},

                    Case{"mouse event", fake::MouseEvent(), std::nullopt},
                    Case{"Shift", KeyDown(kVkShift, 0, kShiftPressed), std::nullopt},
                    Case{"Ctrl", KeyDown(kVkControl, 0, kCtrl), std::nullopt},
                    Case{"Alt", KeyDown(kVkMenu, 0, kLeftAlt), std::nullopt},
                    Case{"right Alt", KeyDown(kVkRmenu, 0, kRightAltPressed | kEnhancedKey),
                         std::nullopt},

                    Case{"Caps Lock", KeyDown(kVkCapital, 0), std::nullopt},
                    Case{"Num Lock", KeyDown(kVkNumlock, 0, kEnhancedKey), std::nullopt},
                    Case{"Windows key", KeyDown(kVkLwin, 0, kEnhancedKey), std::nullopt},
                    Case{"dead key", KeyDown(0xDD, 0), std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    ExtendedKeysAsLeadByte, KeyCodeTest,
    testing::Values(
        Case{"F1", KeyDown(kVkF1, 0), 0}, Case{"F10", KeyDown(kVkF10, 0), 0},
        Case{"Shift+F5", KeyDown(kVkF1 + 4, 0, kShiftPressed), 0},
        Case{"Alt+F4", KeyDown(kVkF1 + 3, 0, kLeftAlt), 0}, Case{"F11", KeyDown(kVkF11, 0), 224},
        Case{"F12", KeyDown(kVkF12, 0), 224}, Case{"Ctrl+F12", KeyDown(kVkF12, 0, kCtrl), 224},
        Case{"Up", KeyDown(kVkUp, 0, kEnhancedKey), 224},

        Case{"Home", KeyDown(kVkHome, 0, kEnhancedKey), 224},
        Case{"Page Down", KeyDown(kVkNext, 0, kEnhancedKey), 224},

        Case{"Delete", KeyDown(kVkDelete, 0, kEnhancedKey), 224},
        Case{"Ctrl+Right", KeyDown(kVkRight, 0, kCtrl | kEnhancedKey), 224},
        Case{"keypad Up", KeyDown(kVkUp, 0), 0}, Case{"keypad End", KeyDown(kVkEnd, 0), 0},

        Case{"keypad Delete", KeyDown(kVkDelete, 0), 0}, Case{"keypad 5", KeyDown(kVkClear, 0), 0},
        Case{"Alt+Up", KeyDown(kVkUp, 0, kLeftAlt | kEnhancedKey), 0},
        Case{"Alt+A", KeyDown('A', 0, kLeftAlt), 0}, Case{"Alt+1", KeyDown('1', 0, kLeftAlt), 0},
        Case{"Ctrl+2", KeyDown('2', 0, kCtrl), 0}));

// --- The read itself ----------------------------------------------------------

class ReadOneKeyTest : public testing::Test {
 protected:
  void SetUp() override { fake::ResetConsole(); }
  fake::FakeConsole& console = fake::Console();
};

TEST_F(ReadOneKeyTest, SkipsToTheFirstKeyWithInputModeZeroThenRestoresTheMode) {
  console.events = {fake::MouseEvent(), KeyUp(0x0D, '\r'), KeyDown(kVkShift, 0, kShiftPressed),
                    KeyDown('X', 'X', kShiftPressed), KeyDown('Y', 'y')};
  EXPECT_EQ(ReadOneKey(), 'X');
  EXPECT_EQ(console.modeAtEachRead, std::vector<std::uint32_t>(4, 0));
  EXPECT_EQ(console.mode, 0x1F7u);
  EXPECT_FALSE(console.open);
}

TEST_F(ReadOneKeyTest, ExtendedKeyEndsTheReadWithItsLeadByte) {
  console.events = {KeyDown(kVkUp, 0, kEnhancedKey), KeyDown('A', 'a')};
  EXPECT_EQ(ReadOneKey(), 224);
  EXPECT_EQ(console.events.size(), 1u) << "read past the key";
  EXPECT_EQ(console.mode, 0x1F7u);
}

TEST_F(ReadOneKeyTest, CtrlCIsAnOrdinaryKey) {
  console.events = {KeyDown(kVkControl, 0, kCtrl), KeyDown('C', 3, kCtrl)};
  EXPECT_EQ(ReadOneKey(), 3);
}

TEST_F(ReadOneKeyTest, NoConsoleGivesMinusOne) {
  console.openFails = true;
  console.events = {KeyDown('A', 'a')};
  EXPECT_EQ(ReadOneKey(), -1);
  EXPECT_TRUE(console.modesSet.empty());
}

TEST_F(ReadOneKeyTest, FailedReadGivesMinusOneAndRestoresTheMode) {
  console.events = {KeyUp('A', 'a')};  // then the read fails
  EXPECT_EQ(ReadOneKey(), -1);
  EXPECT_EQ(console.modesSet, (std::vector<std::uint32_t>{0, 0x1F7}));
  EXPECT_FALSE(console.open);
}

TEST_F(ReadOneKeyTest, UnknownModeGivesMinusOneAndChangesNothing) {
  console.getModeFails = true;
  console.events = {KeyDown('A', 'a')};
  EXPECT_EQ(ReadOneKey(), -1);
  EXPECT_TRUE(console.modesSet.empty());
  EXPECT_TRUE(console.modeAtEachRead.empty());
  EXPECT_FALSE(console.open);
}

}  // namespace
