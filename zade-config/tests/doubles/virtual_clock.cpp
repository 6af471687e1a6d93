#include "virtual_clock.h"

#include "elapsed_time.h"

VirtualClock& TheVirtualClock() {
  static VirtualClock clock;
  return clock;
}

// The tick wraps every 2^32 ms, as the platform's does.
std::uint32_t MillisecondTick() {
  return static_cast<std::uint32_t>(TheVirtualClock().NowUs() / 1000);
}
