#include <time.h>

#include "elapsed_time.h"

// The monotonic clock, so a change of the wall clock cannot stretch a wait.
std::uint32_t MillisecondTick() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000 +
                                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000);
}
