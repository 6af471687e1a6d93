#include "timed_read.h"

#include <algorithm>

namespace {
// Ticks are compared by difference, which holds for spans under 2^31 ms.
constexpr std::uint64_t kLongestSpanMs = 0x7FFFFFFF;
}  // namespace

ReadDeadline::ReadDeadline(std::uint32_t timeoutMs, std::uint32_t count, std::uint32_t startTick)
    : timeoutMs_(timeoutMs),
      totalMs_(static_cast<std::uint32_t>(std::min<std::uint64_t>(
          std::uint64_t{timeoutMs} * (std::uint64_t{count} + 1), kLongestSpanMs))),
      start_(startTick) {}

std::uint32_t ReadDeadline::RemainingMs(std::uint32_t now) const {
  const std::uint32_t elapsed = now - start_;
  if (elapsed >= totalMs_) return 0;
  std::uint32_t remaining = totalMs_ - elapsed;
  if (anyByte_) {
    const std::uint32_t gap = now - lastByte_;
    if (gap > timeoutMs_) return 0;
    remaining = std::min(remaining, timeoutMs_ - gap + 1);  // until the gap exceeds T
  }
  return remaining;
}

void ReadDeadline::BytesArrived(std::uint32_t now) {
  anyByte_ = true;
  lastByte_ = now;
}
