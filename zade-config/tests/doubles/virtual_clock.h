// A clock that moves only when a test double moves it, so that a session
// which waits out every timeout takes no real time. Linked in place of the
// real tick source: MillisecondTick() reads this clock.
#pragma once

#include <algorithm>
#include <cstdint>

class VirtualClock {
 public:
  std::uint64_t NowUs() const { return nowUs_; }
  void SetUs(std::uint64_t us) { nowUs_ = us; }
  // Time never runs backwards: a moment already past leaves the clock as it is.
  void AdvanceTo(std::uint64_t us) { nowUs_ = std::max(nowUs_, us); }

 private:
  std::uint64_t nowUs_ = 0;
};

// The one clock behind MillisecondTick().
VirtualClock& TheVirtualClock();
