#include "mode_exchange.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "doubles.h"

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

// A line that always has another byte ready.
struct BabblingPort {
  std::chrono::milliseconds perByte{0};
  std::size_t reads = 0;
  bool SetTimeouts(std::uint32_t) { return true; }
  bool Read(std::uint8_t* buffer, std::uint32_t) {
    std::this_thread::sleep_for(perByte);
    ++reads;
    buffer[0] = 0x55;
    return true;
  }
};

TEST(PrepareLine, DrainOfALineThatNeverFallsSilentIsBounded) {
  BabblingPort fast;
  ModeFrame frame{};
  PrepareLine(fast, frame);
  EXPECT_EQ(fast.reads, kDrainMaxBytes);

  BabblingPort slow;
  slow.perByte = std::chrono::milliseconds(5);
  const auto started = std::chrono::steady_clock::now();
  PrepareLine(slow, frame);
  const auto took = std::chrono::steady_clock::now() - started;
  EXPECT_LT(slow.reads, kDrainMaxBytes);
  // The millisecond tick truncates, so its 1000 ms may be 999.x ms of this clock.
  EXPECT_GE(took, std::chrono::milliseconds(kDrainMaxTimeMs - 1));
  EXPECT_LT(took, std::chrono::seconds(4));
}

}  // namespace
