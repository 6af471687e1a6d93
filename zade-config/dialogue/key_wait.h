// The "Press Enter..." wait: which console key presses end it, and how it
// waits for one without polling.
#pragma once

#include <cstddef>
#include <cstdint>

// One console key event, as the platform reports it.
struct KeyEvent {
  bool keyDown;
  char character;            // 0 when the key carries no character
  std::uint16_t virtualKey;  // the platform's virtual-key code
  bool altHeld;
};

// One event of the console input queue; only key events carry `key`.
struct QueuedEvent {
  bool isKey;
  KeyEvent key;
};

// A press that carries a character, or of a function, cursor or editing key
// (also with Shift, Ctrl or Alt), Shift+Tab, or Alt with a letter or digit.
// Releases and modifier keys pressed alone do not count.
bool EndsKeyWait(const KeyEvent& event);

constexpr std::size_t kPeekBatch = 64;

// Returns once a qualifying key press is queued, leaving it queued, so a key
// typed before the prompt ends the wait at once. Events that do not qualify
// are dropped, so that the wait can block until the next event arrives
// instead of looking at the queue over and over. Returns at once when the
// queue cannot be read. Queue offers:
//   Peek(events, max, count): copies up to max queued events, taking none
//   Drop(count): takes the first count events
//   Block(): waits until the queue holds an event
template <class Queue>
void WaitForKey(Queue& queue) {
  QueuedEvent events[kPeekBatch];
  for (;;) {
    std::size_t count = 0;
    if (!queue.Peek(events, kPeekBatch, count)) return;
    for (std::size_t i = 0; i < count; ++i) {
      if (events[i].isKey && EndsKeyWait(events[i].key)) return;
    }
    const bool waited = count > 0 ? queue.Drop(count) : queue.Block();
    if (!waited) return;
  }
}
