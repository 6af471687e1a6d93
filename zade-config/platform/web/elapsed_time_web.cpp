#include <emscripten.h>

#include "elapsed_time.h"

// The page's monotonic clock (performance.now), so a change of the wall
// clock cannot stretch a wait.
std::uint32_t MillisecondTick() {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now()));
}
