#include <gtest/gtest.h>

#include <string>

#include "doubles.h"
#include "one_shot.h"

namespace {

std::string asked;  // the port name the last holder lookup was given
ProgramText FakeHolder(const char* portName) {
  asked = portName;
  return "minicom (process 7)";
}

TEST(OneShotOutcome, OnlyABusyPortIsAskedWhoHoldsIt) {
  PortArgument port;
  ASSERT_TRUE(ParsePortArgument("COM3", PortStyle::Posix, port));
  EXPECT_STREQ(OpenFailureLines(port, {OpenFailureKind::Busy, ""}, FakeHolder).c_str(),
               "Error: COM3 in use or does not exist.\nBusy: minicom (process 7) holds it.\n");
  EXPECT_EQ(asked, "COM3");  // the name the port opened, which the platform resolves

  asked.clear();
  EXPECT_STREQ(OpenFailureLines(port, {OpenFailureKind::NoSuchDevice, ""}, FakeHolder).c_str(),
               "Error: COM3 in use or does not exist.\nNo such device.\n");
  EXPECT_STREQ(OpenFailureLines(port, {OpenFailureKind::Busy, ""}, nullptr).c_str(),
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
  const OneShotOutcome outcome = SetModeOnce(port, target, kMode100kKCan, nullptr);
  EXPECT_EQ(outcome.status, kExitOtherMode);
  EXPECT_STREQ(outcome.result.c_str(),
               "COM12: CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )\n");
  EXPECT_STREQ(outcome.problems.c_str(), "Asked for CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\n");

  port.adapter = nullptr;
  port.Close();
  const OneShotOutcome silent = SetModeOnce(port, target, kMode100kKCan, nullptr);
  EXPECT_EQ(silent.status, kExitError);
  EXPECT_STREQ(silent.result.c_str(), "");
  EXPECT_STREQ(silent.problems.c_str(), "Error, adapter not conected!!!\n");
}

}  // namespace
