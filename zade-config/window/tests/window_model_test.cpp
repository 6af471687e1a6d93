#include "window_model.h"

#include <gtest/gtest.h>

#include <memory>

#include "port_facts.h"

namespace {

TEST(Window, EntriesNameThePortWhatItIsAndItsUsbIdentity) {
  EXPECT_STREQ(PortEntry(WindowsPort("COM12", "\\Device\\VCP0", "USB Serial Port (COM12)",
                                     "USB\\VID_0403&PID_6001&REV_0600"))
                   .c_str(),
               "COM12 - USB Serial Port (COM12) - USB 0403:6001");
  EXPECT_STREQ(PortEntry(WindowsPort("COM3", "\\Device\\VCP1", "USB Serial Port (COM3)",
                                     "FTDIBUS\\COMPORT&VID_0403&PID_6015"))
                   .c_str(),
               "COM3 - USB Serial Port (COM3) - USB 0403:6015");
  EXPECT_STREQ(
      PortEntry(WindowsPort("COM4", "\\Device\\VCP2", "USB Serial Port (COM4)", "USB\\ROOT_HUB"))
          .c_str(),
      "COM4 - USB Serial Port (COM4)");
  EXPECT_STREQ(PortEntry(WindowsPort("COM1", "\\Device\\Serial0")).c_str(),
               "COM1 - \\Device\\Serial0");
}

TEST(Window, TheListDropsAsWideAsItsWidestEntryWithinTheScreen) {
  EXPECT_EQ(DroppedListWidth(400, 22, 340, 1280), 422);
  EXPECT_EQ(DroppedListWidth(200, 22, 340, 1280), 340) << "never narrower than the control";
  EXPECT_EQ(DroppedListWidth(1500, 22, 340, 1280), 1280) << "never wider than the screen";
}

// The only USB port is chosen at start; with two, or none, nothing is. A
// port chosen before stays chosen while it is there.
TEST(Window, TheOnlyUsbPortOrTheOneChosenBefore) {
  auto ports = std::make_unique<PortTable>();
  ports->Add(WindowsPort("COM1", "\\Device\\Serial0", "", "ACPI\\PNP0501"));
  EXPECT_EQ(ChosenEntry(*ports, ""), -1);
  ports->Add(WindowsPort("COM12", "\\Device\\VCP0", "USB Serial Port (COM12)", "USB\\VID_0403"));
  EXPECT_EQ(ChosenEntry(*ports, ""), 1);
  EXPECT_EQ(ChosenEntry(*ports, "COM1"), 0);
  EXPECT_EQ(ChosenEntry(*ports, "COM7"), 1) << "gone: chosen as at start";
  ports->Add(WindowsPort("COM13", "\\Device\\VCP1", "USB Serial Port (COM13)", "FTDIBUS\\X"));
  EXPECT_EQ(ChosenEntry(*ports, ""), -1) << "two USB ports";
  EXPECT_EQ(ChosenEntry(*ports, "com13"), 2);
}

TEST(Window, WriteOnceAPortAndAModeAreChosenAndNoRunIsOn) {
  EXPECT_TRUE(WriteAllowed(0, 2, false));
  EXPECT_FALSE(WriteAllowed(-1, 1, false));
  EXPECT_FALSE(WriteAllowed(0, -1, false));
  EXPECT_FALSE(WriteAllowed(0, 1, true));
  EXPECT_FALSE(WriteAllowed(0, kModeChoiceCount, false));
}

// One run at a time, and while it is on, a new list of the ports and the end
// of the program wait for its end.
TEST(Window, ARunHoldsBackTheListOfThePortsAndTheEnd) {
  WindowFlow flow;
  EXPECT_FALSE(flow.StartRun()) << "nothing chosen";
  flow.chosenPort = 0;
  flow.chosenMode = 1;
  EXPECT_TRUE(flow.RequestPortRead());
  EXPECT_TRUE(flow.StartRun());
  EXPECT_FALSE(flow.MayWrite());
  EXPECT_FALSE(flow.StartRun()) << "a second run";
  EXPECT_FALSE(flow.RequestPortRead());
  EXPECT_EQ(flow.EndRun(), WindowFlow::AfterRun::ShowOutcomeAndReadPorts);

  EXPECT_TRUE(flow.StartRun());
  EXPECT_EQ(flow.EndRun(), WindowFlow::AfterRun::ShowOutcome) << "the list was read after the last";
  EXPECT_TRUE(flow.StartRun());
  EXPECT_FALSE(flow.RequestPortRead());
  EXPECT_FALSE(flow.RequestClose());
  EXPECT_EQ(flow.EndRun(), WindowFlow::AfterRun::Close);
  EXPECT_TRUE(flow.RequestClose()) << "no run on";
}

TEST(Window, TheResultLineIsWhatTheOneShotRunWrites) {
  EXPECT_STREQ(WritingText(Language::English, 1, WindowsPort("COM12", "")).c_str(),
               "Writing 100 kbit/s (K-CAN) to COM12...");
  EXPECT_STREQ(WritingText(Language::German, 2, WindowsPort("COM3", "")).c_str(),
               "CAN aus wird auf COM3 geschrieben...");
  OneShotOutcome other{};
  other.status = kExitOtherMode;
  other.result = "COM12: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\n";
  other.problems = "Asked for CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )\n";
  EXPECT_STREQ(OutcomeText(Language::English, other).c_str(),
               "COM12: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\r\n"
               "Asked for CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )");
  OneShotOutcome busy{};
  busy.problems =
      "Error: COM12 in use or does not exist.\nAccess denied: another program holds it.\n";
  EXPECT_STREQ(
      OutcomeText(Language::English, busy).c_str(),
      "Error: COM12 in use or does not exist.\r\nAccess denied: another program holds it.");
}

}  // namespace
