#include <gtest/gtest.h>

#include <string>

#include "doubles.h"
#include "one_shot.h"

namespace {

std::string asked;  // the port name the last holder lookup was given
DeviceUser FakeLocker(const char* portName) {
  asked = portName;
  return {"minicom (process 7)", true};
}
DeviceUser FakeOpener(const char* portName) {
  asked = portName;
  return {"cat (process 8)", false};
}

TEST(OneShotOutcome, OnlyABusyPortIsAskedWhoHoldsIt) {
  PortArgument port;
  ASSERT_TRUE(ParsePortArgument("COM3", PortStyle::Posix, port));
  const OpenFailure busy{OpenFailureKind::Busy, {}, {}};
  EXPECT_STREQ(OpenFailureLines(port, busy, {FakeLocker, nullptr}).c_str(),
               "Error: COM3 in use or does not exist.\nBusy: held by minicom (process 7).\n");
  EXPECT_EQ(asked, "COM3");  // the name the port opened, which the platform resolves
  EXPECT_STREQ(OpenFailureLines(port, busy, {FakeOpener, nullptr}).c_str(),
               "Error: COM3 in use or does not exist.\nBusy: open in cat (process 8).\n");

  asked.clear();
  EXPECT_STREQ(
      OpenFailureLines(port, {OpenFailureKind::NoSuchDevice, {}, {}}, {FakeLocker, nullptr})
          .c_str(),
      "Error: COM3 in use or does not exist.\nNo such device.\n");
  EXPECT_STREQ(OpenFailureLines(port, busy, {}).c_str(),
               "Error: COM3 in use or does not exist.\nBusy: another program holds it.\n");
  EXPECT_EQ(asked, "");
}

TEST(OneShotOutcome, TheModeReportedForStandardOutputWhatWentWrongForTheErrorStream) {
  std::string log;
  FakePort port(log);
  FakeAdapter adapter;
  adapter.replyByte3 = 0xFE;  // reports 1
  port.adapter = &adapter;
  PortArgument target;
  ASSERT_TRUE(ParsePortArgument("COM12", PortStyle::Windows, target));
  const OneShotOutcome outcome = SetModeOnce(port, target, kMode100kKCan, {});
  EXPECT_EQ(outcome.status, kExitOtherMode);
  EXPECT_STREQ(outcome.result.c_str(),
               "COM12: CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )\n");
  EXPECT_STREQ(outcome.problems.c_str(), "Asked for CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\n");

  port.adapter = nullptr;
  port.Close();
  const OneShotOutcome silent = SetModeOnce(port, target, kMode100kKCan, {});
  EXPECT_EQ(silent.status, kExitError);
  EXPECT_STREQ(silent.result.c_str(), "");
  EXPECT_STREQ(silent.problems.c_str(), "Error, adapter not conected!!!\n");
}

// The five bytes after the request are not its echo: nothing more is read,
// and the line says what came instead.
TEST(OneShotOutcome, AnythingButTheEchoEndsTheRunWithWhatCameInstead) {
  struct Case {
    const char* what;
    FakeAdapter adapter;
    const char* line;
  };
  FakeAdapter babbling, lateReply, shortEcho;
  babbling.echoes = false;
  babbling.between.assign(8, 0x55);
  lateReply.echoes = false;  // the reply of an earlier run, still on its way
  shortEcho.echoes = false;
  shortEcho.between = {0x81, 0x00};
  shortEcho.replyBytes = 0;
  const Case cases[] = {
      {"a babbling line", babbling,
       "No echo of the request: sent 81 00 00 09 8A, read 55 55 55 55 55\n"},
      {"a late reply", lateReply,
       "No echo of the request: sent 81 00 00 09 8A, read 55 AA 12 F6 34\n"},
      {"a short echo", shortEcho, "No echo of the request: sent 81 00 00 09 8A, read 81 00\n"},
  };
  for (const Case& c : cases) {
    std::string log;
    FakePort port(log);
    port.adapter = &c.adapter;
    PortArgument target;
    ASSERT_TRUE(ParsePortArgument("COM1", PortStyle::Windows, target));
    const OneShotOutcome outcome = SetModeOnce(port, target, kMode100kKCan, {});
    EXPECT_EQ(outcome.status, kExitError) << c.what;
    EXPECT_STREQ(outcome.result.c_str(), "") << c.what;
    EXPECT_STREQ(outcome.problems.c_str(), c.line) << c.what;
    EXPECT_EQ(port.written.size(), 5u) << c.what << ": nothing sent after the request";
  }
}

}  // namespace
