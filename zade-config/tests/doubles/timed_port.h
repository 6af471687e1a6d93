// A port double on the virtual clock: the adapter's bytes arrive at given
// moments and a read waits for them the way the platform's read does. A read
// of n bytes ends when all have arrived, when more than the timeout passes
// with no byte after the first, or after timeout * (n + 1) in all.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "doubles.h"
#include "virtual_clock.h"

// When the bytes on the line arrive, in microseconds.
struct LineTiming {
  std::uint64_t firstByteUs = 0;  // from the request to the first response byte
  std::uint64_t byteGapUs = 87;   // between response bytes: 115200 baud
  std::size_t stallBefore = std::numeric_limits<std::size_t>::max();  // response byte index
  std::uint64_t stallUs = 0;      // the extra pause before that byte
  std::uint64_t babbleGapUs = 0;  // not 0: a byte every babbleGapUs, for ever
};

// The reads made under one timeout setting.
struct TimeoutPeriod {
  std::uint32_t timeoutMs;
  std::uint64_t startUs;
  std::uint64_t endUs;  // when the next setting came, or the session's end
  std::size_t reads = 0;
  std::size_t completeReads = 0;
};

class TimedPort : public FakePort {
 public:
  // A port the program keeps using beyond this much virtual time, or this
  // many calls, would never end: the session is stopped.
  static constexpr std::uint64_t kRunawayUs = 600'000'000;
  static constexpr std::size_t kRunawayCalls = 1'000'000;

  TimedPort(std::string& log, const LineTiming& timing)
      : FakePort(log), timing_(timing), startUs_(Clock().NowUs()) {}

  bool Open(const char* name, std::uint32_t baudRate, std::uint32_t timeoutMs) {
    Count();
    if (!FakePort::Open(name, baudRate, timeoutMs)) return false;
    timeoutMs_ = timeoutMs;
    nextBabbleUs_ = Clock().NowUs() + timing_.babbleGapUs;
    return true;
  }
  // What has arrived or is still on its way is lost with the handle.
  bool Close() {
    Count();
    incoming.clear();
    scheduled_.clear();
    return FakePort::Close();
  }
  bool SetTimeouts(std::uint32_t timeoutMs) {
    Count();
    if (!IsOpen()) ++callsWhileClosed;
    EndPeriod();
    periods.push_back({timeoutMs, Clock().NowUs(), Clock().NowUs()});
    timeoutMs_ = timeoutMs;
    return FakePort::SetTimeouts(timeoutMs);
  }
  bool Read(std::uint8_t* buffer, std::uint32_t count) {
    Count();
    if (!IsOpen()) {
      ++callsWhileClosed;
      return false;
    }
    const std::uint64_t timeoutUs = timeoutMs_ * std::uint64_t{1000};
    const std::uint64_t deadline = Clock().NowUs() + timeoutUs * (count + 1);
    std::uint64_t limit = deadline;
    std::uint32_t got = 0;
    while (got < count) {
      const std::uint64_t arrival = NextArrival();
      if (arrival > limit) {
        Clock().AdvanceTo(limit);
        break;
      }
      Clock().AdvanceTo(arrival);
      buffer[got++] = TakeNext();
      limit = std::min(deadline, Clock().NowUs() + timeoutUs);
    }
    if (!periods.empty()) {
      ++periods.back().reads;
      if (got == count) ++periods.back().completeReads;
    }
    return got == count;
  }
  bool Write(const std::uint8_t* buffer, std::uint32_t count) {
    Count();
    if (!IsOpen()) {
      ++callsWhileClosed;
      return false;
    }
    written.insert(written.end(), buffer, buffer + count);
    if (adapter && count == 5) Schedule(adapter->Response(buffer));
    return true;
  }

  // Closes the last timeout period at the session's end.
  void EndPeriod() {
    if (!periods.empty()) periods.back().endUs = Clock().NowUs();
  }

  std::vector<TimeoutPeriod> periods;
  std::size_t callsWhileClosed = 0;

 private:
  static VirtualClock& Clock() { return TheVirtualClock(); }

  void Count() {
    if (++calls_ > kRunawayCalls || Clock().NowUs() - startUs_ > kRunawayUs) {
      throw std::runtime_error("the program kept using the port past any bound");
    }
  }

  void Schedule(const std::vector<std::uint8_t>& response) {
    std::uint64_t at = Clock().NowUs() + timing_.firstByteUs;
    for (std::size_t i = 0; i < response.size(); ++i) {
      if (i > 0) at += timing_.byteGapUs;
      if (i == timing_.stallBefore) at += timing_.stallUs;
      scheduled_.emplace(at, response[i]);
    }
  }

  // Bytes already in `incoming` have arrived; the rest are scheduled or babble.
  std::uint64_t NextArrival() const {
    if (!incoming.empty()) return 0;
    std::uint64_t next = std::numeric_limits<std::uint64_t>::max();
    if (!scheduled_.empty()) next = scheduled_.begin()->first;
    if (timing_.babbleGapUs > 0) next = std::min(next, nextBabbleUs_);
    return next;
  }

  std::uint8_t TakeNext() {
    if (!incoming.empty()) {
      const std::uint8_t byte = incoming.front();
      incoming.pop_front();
      return byte;
    }
    if (!scheduled_.empty() &&
        (timing_.babbleGapUs == 0 || scheduled_.begin()->first <= nextBabbleUs_)) {
      const std::uint8_t byte = scheduled_.begin()->second;
      scheduled_.erase(scheduled_.begin());
      return byte;
    }
    // Babble: a request and a reply that look right, cut by noise.
    static const std::uint8_t kBabble[] = {0x81, 0x00, 0x00, 0x09, 0x8A, 0xEE,
                                           0x81, 0x00, 0x00, 0xF6, 0x77, 0x55};
    nextBabbleUs_ += timing_.babbleGapUs;
    return kBabble[babbled_++ % sizeof kBabble];
  }

  LineTiming timing_;
  std::uint64_t startUs_;
  std::uint32_t timeoutMs_ = 0;
  std::multimap<std::uint64_t, std::uint8_t> scheduled_;
  std::uint64_t nextBabbleUs_ = 0;
  std::uint32_t babbled_ = 0;
  std::size_t calls_ = 0;
};
