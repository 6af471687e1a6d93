#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>

#include "answer_input.h"
#include "key_wait.h"
#include "screen.h"
#include "terminal_codes.h"

namespace {

std::FILE* Typed(const std::string& text) {
  std::FILE* in = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), in);
  std::rewind(in);
  return in;
}

TEST(ExtractChar, SkipsWhiteSpaceAndKeepsTheRestOfTheLine) {
  std::FILE* in = Typed(" \t\r\n\v\f\n\n  10\n x\xFF");
  char a = 0;
  ASSERT_TRUE(ExtractChar(in, a));
  EXPECT_EQ(a, '1');
  ASSERT_TRUE(ExtractChar(in, a));
  EXPECT_EQ(a, '0');
  ASSERT_TRUE(ExtractChar(in, a));
  EXPECT_EQ(a, 'x');
  ASSERT_TRUE(ExtractChar(in, a));  // byte 0xFF is a character, not the end
  EXPECT_EQ(static_cast<unsigned char>(a), 0xFF);
  std::fclose(in);
}

TEST(ExtractChar, EndOfInputLeavesTheAnswerUnchanged) {
  for (const char* text : {"", "\n\n  \t\n"}) {
    std::FILE* in = Typed(text);
    char a = '7';
    EXPECT_FALSE(ExtractChar(in, a));
    EXPECT_EQ(a, '7');
    std::fclose(in);
  }
}

KeyEvent Press(std::uint16_t vk, char c = 0, bool alt = false) {
  return {true, c, vk, alt};
}

TEST(EndsKeyWait, CharactersAndFunctionCursorEditingKeysCount) {
  EXPECT_TRUE(EndsKeyWait(Press(0x0D, '\r')));  // Enter
  EXPECT_TRUE(EndsKeyWait(Press('A', 'a')));
  EXPECT_TRUE(EndsKeyWait(Press(0x1B, 0x1B)));  // Esc
  EXPECT_TRUE(EndsKeyWait(Press(0x09)));        // Shift+Tab carries no character
  for (std::uint16_t vk = 0x70; vk <= 0x7B; ++vk) EXPECT_TRUE(EndsKeyWait(Press(vk))) << vk;
  for (std::uint16_t vk : {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2D, 0x2E}) {
    EXPECT_TRUE(EndsKeyWait(Press(vk))) << vk;
  }
  EXPECT_TRUE(EndsKeyWait(Press('X', 0, true)));  // Alt+X
  EXPECT_TRUE(EndsKeyWait(Press('5', 0, true)));  // Alt+5
}

TEST(EndsKeyWait, ReleasesAndLoneModifiersDoNotCount) {
  EXPECT_FALSE(EndsKeyWait({false, 'a', 'A', false}));  // release of a
  EXPECT_FALSE(EndsKeyWait({false, 0, 0x70, false}));   // release of F1
  for (std::uint16_t vk : {0x10, 0x11, 0x12, 0x14, 0x90, 0x5B, 0xA0, 0xA5}) {
    EXPECT_FALSE(EndsKeyWait(Press(vk))) << vk;  // Shift, Ctrl, Alt, locks, Windows key
    EXPECT_FALSE(EndsKeyWait(Press(vk, 0, true))) << vk;
  }
  EXPECT_FALSE(EndsKeyWait(Press('X')));   // a letter key that produced no character
  EXPECT_FALSE(EndsKeyWait(Press(0x7C)));  // F13 is not on the keyboards we support
}

// A console input queue whose Block() delivers the next scripted arrival;
// with none left it fails, as a closed console would.
struct FakeQueue {
  std::deque<QueuedEvent> queued;
  std::deque<std::deque<QueuedEvent>> arrivals;
  int peeks = 0, blocks = 0;
  std::size_t dropped = 0;

  bool Peek(QueuedEvent* events, std::size_t max, std::size_t& count) {
    ++peeks;
    count = 0;
    for (; count < max && count < queued.size(); ++count) events[count] = queued[count];
    return true;
  }
  bool Drop(std::size_t count) {
    dropped += count;
    queued.erase(queued.begin(), queued.begin() + static_cast<std::ptrdiff_t>(count));
    return true;
  }
  bool Block() {
    ++blocks;
    if (arrivals.empty()) return false;
    queued.insert(queued.end(), arrivals.front().begin(), arrivals.front().end());
    arrivals.pop_front();
    return true;
  }
};

const QueuedEvent kRelease{true, {false, '\r', 0x0D, false}};
const QueuedEvent kShiftAlone{true, {true, 0, 0x10, false}};
const QueuedEvent kFocus{false, {}};
const QueuedEvent kKeyA{true, {true, 'a', 'A', false}};

TEST(WaitForKey, AKeyAlreadyQueuedEndsTheWaitAndStaysQueued) {
  FakeQueue queue;
  queue.queued = {kRelease, kFocus, kShiftAlone, kKeyA};
  WaitForKey(queue);
  EXPECT_EQ(queue.blocks, 0);
  EXPECT_EQ(queue.dropped, 0u);
  EXPECT_EQ(queue.queued.size(), 4u);
}

TEST(WaitForKey, DropsWhatDoesNotCountAndBlocksUntilAKeyArrives) {
  FakeQueue queue;
  queue.queued = {kRelease, kFocus};
  queue.arrivals = {{kShiftAlone}, {kRelease, kKeyA, kRelease}};
  WaitForKey(queue);
  EXPECT_EQ(queue.dropped, 3u);
  EXPECT_EQ(queue.blocks, 2);
  ASSERT_EQ(queue.queued.size(), 3u);  // the key and what came with it stay
  EXPECT_EQ(queue.queued[1].key.character, 'a');
}

TEST(WaitForKey, AKeyBehindMoreThanOnePeekOfOtherEventsIsFound) {
  FakeQueue queue;
  queue.queued.assign(kPeekBatch + 10, kRelease);
  queue.queued.push_back(kKeyA);
  WaitForKey(queue);
  EXPECT_EQ(queue.blocks, 0);
  EXPECT_EQ(queue.dropped, kPeekBatch);
  EXPECT_EQ(queue.queued.size(), 11u);
}

TEST(WaitForKey, EndsWhenTheQueueCannotBeRead) {
  struct NoConsole {
    int calls = 0;
    bool Peek(QueuedEvent*, std::size_t, std::size_t&) { return ++calls, false; }
    bool Drop(std::size_t) { return ++calls, false; }
    bool Block() { return ++calls, false; }
  } none;
  WaitForKey(none);
  EXPECT_EQ(none.calls, 1);

  FakeQueue empty;  // nothing ever arrives and the wait itself fails
  WaitForKey(empty);
  EXPECT_EQ(empty.blocks, 1);
}

TEST(VendorLine, AddressStartsAtColumn23AndTheLineIs60Columns) {
  const std::string blanks23(23, ' ');
  EXPECT_EQ(std::string(MakeVendorLine("www.example.com").text),
            blanks23 + "www.example.com" + std::string(22, ' ') + "\n");
  EXPECT_EQ(std::string(MakeVendorLine("").text), std::string(60, ' ') + "\n");
  const std::string exact(37, 'e');
  EXPECT_EQ(std::string(MakeVendorLine(exact.c_str()).text), blanks23 + exact + "\n");
  const std::string tooLong = exact + "-and-more";
  EXPECT_EQ(std::string(MakeVendorLine(tooLong.c_str()).text), blanks23 + exact + "\n");
}

TEST(ClearScreen, WritesOneBlankFewerThanTheScreenHolds) {
  EXPECT_EQ(std::strlen(kClearBlanks.text), 1999u);
  EXPECT_EQ(std::strspn(kClearBlanks.text, " "), 1999u);
}

TEST(AnsiCursorMove, TheTerminalCountsFromOne) {
  EXPECT_STREQ(AnsiCursorMove(0, 0).text, "\x1b[1;1H");
  EXPECT_STREQ(AnsiCursorMove(79, 24).text, "\x1b[25;80H");
}

}  // namespace
