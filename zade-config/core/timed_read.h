// Reads under the serial line's timeout rule on a platform whose own reads
// only wait for data: a read of n bytes ends when all have arrived, when more
// than T passes between two bytes once the first has come, or after T * n + T
// in all.
#pragma once

#include <cstdint>

#include "elapsed_time.h"

// How much longer one such read may wait for its next byte.
class ReadDeadline {
 public:
  ReadDeadline(std::uint32_t timeoutMs, std::uint32_t count, std::uint32_t startTick);
  // Milliseconds still to wait for the next byte at tick `now`; 0 once the read is over.
  std::uint32_t RemainingMs(std::uint32_t now) const;
  void BytesArrived(std::uint32_t now);

 private:
  std::uint32_t timeoutMs_;
  std::uint32_t totalMs_;
  std::uint32_t start_;
  std::uint32_t lastByte_ = 0;
  bool anyByte_ = false;
};

// Line offers:
//   WaitReadable(ms): true once data can be read, false after ms without any
//   ReadSome(buffer, max): takes what has arrived, up to max bytes; <= 0 when
//                          the line failed or hung up
// Returns how many bytes came: all of them, or fewer once the deadline
// passed or the line failed.
template <class Line>
std::uint32_t ReceiveWithTimeouts(Line& line, std::uint8_t* buffer, std::uint32_t count,
                                  std::uint32_t timeoutMs) {
  ReadDeadline deadline(timeoutMs, count, MillisecondTick());
  std::uint32_t got = 0;
  while (got < count) {
    const std::uint32_t waitMs = deadline.RemainingMs(MillisecondTick());
    if (waitMs == 0) break;
    // A wait cut short (a signal) goes round again: the deadline decides.
    if (!line.WaitReadable(waitMs)) continue;
    const long read = line.ReadSome(buffer + got, count - got);
    if (read <= 0) break;
    got += static_cast<std::uint32_t>(read);
    deadline.BytesArrived(MillisecondTick());
  }
  return got;
}

template <class Line>
bool ReadWithTimeouts(Line& line, std::uint8_t* buffer, std::uint32_t count,
                      std::uint32_t timeoutMs) {
  return ReceiveWithTimeouts(line, buffer, count, timeoutMs) == count;
}
