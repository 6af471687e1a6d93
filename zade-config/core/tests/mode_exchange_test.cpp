#include "mode_exchange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles.h"
#include "timed_read.h"
#include "virtual_clock.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Exchange {
  std::string log;
  FakePort port{log};
  FakeAdapter adapter;
  ModeFrame frame{};

  Exchange() {
    port.adapter = &adapter;
    port.Open("COM1", 115200, 2000);
  }
  bool Send(CanBusMode mode, CanBusMode& reported) {
    PrepareLine(port, frame);
    return SendMode(port, frame, mode, reported);
  }
};

TEST(ModeFrame, RequestBytesAndChecksum) {
  const std::pair<CanBusMode, Bytes> cases[] = {
      {0x01, {0x81, 0x00, 0x00, 0x01, 0x82}},
      {0x09, {0x81, 0x00, 0x00, 0x09, 0x8A}},
      {0x00, {0x81, 0x00, 0x00, 0x00, 0x81}},
      {0x7F, {0x81, 0x00, 0x00, 0x7F, 0x00}},  // the checksum wraps
      {0x11, {0x81, 0x00, 0x00, 0x11, 0x92}},
  };
  for (const auto& [mode, expected] : cases) {
    Exchange exchange;
    CanBusMode reported = 0;
    ASSERT_TRUE(exchange.Send(mode, reported));
    EXPECT_EQ(exchange.port.written, expected) << "mode " << int(mode);
  }
}

TEST(ModeFrame, ReportedModeIsTheComplementOfByte3) {
  const std::pair<std::uint8_t, CanBusMode> cases[] = {
      {0xFE, 0x01}, {0xF6, 0x09}, {0xFF, 0x00}, {0x00, 0xFF}};
  for (const auto& [byte3, mode] : cases) {
    Exchange exchange;
    exchange.adapter.replyByte3 = byte3;
    CanBusMode reported = 0x42;
    ASSERT_TRUE(exchange.Send(0x01, reported));
    EXPECT_EQ(reported, mode) << "byte 3 " << int(byte3);
  }
}

TEST(SendMode, FailsWithoutAFullReply) {
  Exchange silent;
  silent.port.adapter = nullptr;
  CanBusMode reported = 0x42;
  EXPECT_FALSE(silent.Send(0x09, reported));
  EXPECT_EQ(reported, 0x42);

  Exchange partial;
  partial.adapter.replyBytes = 3;
  EXPECT_FALSE(partial.Send(0x09, reported));
}

TEST(SendMode, AReplyWithoutEchoIsTakenForTheEcho) {
  Exchange exchange;
  exchange.adapter.echoes = false;
  CanBusMode reported = 0;
  EXPECT_FALSE(exchange.Send(0x09, reported));
}

TEST(PrepareLine, DiscardsStaleBytesAndPresetsTheHeader) {
  Exchange exchange;
  exchange.port.incoming = {0xF6, 0xF6, 0xF6, 0xF6, 0xF6, 0xF6, 0xF6};
  exchange.frame = {1, 2, 3, 4, 5};
  PrepareLine(exchange.port, exchange.frame);
  EXPECT_TRUE(exchange.port.incoming.empty());
  EXPECT_EQ(exchange.frame[0], 0x81);
  EXPECT_EQ(exchange.frame[1], 0x00);
  EXPECT_EQ(exchange.frame[2], 0x00);
  EXPECT_EQ(exchange.frame[3], 0x00);
  EXPECT_NE(exchange.log.find("[timeouts 1][timeouts 500]"), std::string::npos) << exchange.log;

  CanBusMode reported = 0;
  ASSERT_TRUE(SendMode(exchange.port, exchange.frame, 0x09, reported));
  EXPECT_EQ(reported, 0x09);
}

// A line that always has another byte ready, each after `perByteMs` of
// virtual time.
struct BabblingPort {
  std::uint32_t perByteMs = 0;
  std::size_t reads = 0;
  bool SetTimeouts(std::uint32_t) { return true; }
  bool Read(std::uint8_t* buffer, std::uint32_t) {
    TheVirtualClock().SetUs(TheVirtualClock().NowUs() + perByteMs * 1000);
    ++reads;
    buffer[0] = 0x55;
    return true;
  }
};

TEST(PrepareLine, DrainOfALineThatNeverFallsSilentIsBounded) {
  // The second start lets the millisecond tick wrap during the drain.
  for (const std::uint64_t startMs : {std::uint64_t{5000}, (std::uint64_t{1} << 32) - 300}) {
    TheVirtualClock().SetUs(startMs * 1000);
    BabblingPort fast;
    ModeFrame frame{};
    PrepareLine(fast, frame);
    EXPECT_EQ(fast.reads, kDrainMaxBytes);

    BabblingPort slow;
    slow.perByteMs = 5;
    const std::uint64_t started = TheVirtualClock().NowUs();
    PrepareLine(slow, frame);
    EXPECT_EQ(slow.reads, kDrainMaxTimeMs / slow.perByteMs) << "start " << startMs;
    EXPECT_EQ(TheVirtualClock().NowUs() - started, kDrainMaxTimeMs * 1000u);
  }
}

// A line whose bytes arrive at given moments of the virtual clock; waiting
// for them moves the clock.
struct ScheduledLine {
  std::vector<std::uint64_t> arrivalsUs;
  std::size_t taken = 0;

  bool WaitReadable(std::uint32_t ms) {
    const std::uint64_t limit = TheVirtualClock().NowUs() + ms * std::uint64_t{1000};
    if (taken < arrivalsUs.size() && arrivalsUs[taken] <= limit) {
      TheVirtualClock().AdvanceTo(arrivalsUs[taken]);
      return true;
    }
    TheVirtualClock().AdvanceTo(limit);
    return false;
  }
  long ReadSome(std::uint8_t* buffer, std::uint32_t max) {
    long got = 0;
    while (got < max && taken < arrivalsUs.size() &&
           arrivalsUs[taken] <= TheVirtualClock().NowUs()) {
      buffer[got++] = 0xA5;
      ++taken;
    }
    return got;
  }
};

TEST(ReadWithTimeouts, EndsWhenAllCameOnAGapOverTheTimeoutOrAtTheTotal) {
  struct Case {
    const char* what;
    std::vector<std::uint64_t> arrivalsMs;  // from the read's start
    bool complete;
    std::uint64_t endsAtMs;
  };
  // Five bytes at 500 ms: gaps of up to 500 ms pass, the whole read 3000 ms.
  const Case cases[] = {
      {"all at once", {10, 10, 10, 10, 10}, true, 10},
      {"nothing arrives", {}, false, 3000},
      {"gaps of exactly the timeout", {100, 600, 1100, 1600, 2100}, true, 2100},
      {"a gap over the timeout", {100, 200, 702, 703, 704}, false, 701},
      {"a late first byte", {2990, 2991, 2992, 2993, 2994}, true, 2994},
      {"a trickle past the total", {2000, 2400, 2800, 3100, 3200}, false, 3000},
  };
  // The second start lets the millisecond tick wrap during the read.
  for (const std::uint64_t startMs : {std::uint64_t{5000}, (std::uint64_t{1} << 32) - 1000}) {
    for (const Case& c : cases) {
      TheVirtualClock().SetUs(startMs * 1000);
      ScheduledLine line;
      for (std::uint64_t ms : c.arrivalsMs) line.arrivalsUs.push_back((startMs + ms) * 1000);
      std::uint8_t buffer[5] = {};
      EXPECT_EQ(ReadWithTimeouts(line, buffer, 5, 500), c.complete) << c.what;
      EXPECT_EQ(TheVirtualClock().NowUs() / 1000 - startMs, c.endsAtMs)
          << c.what << ", start " << startMs;
    }
  }
}

}  // namespace
