#include <gtest/gtest.h>

#include "ascii_case.h"
#include "bounded_text.h"
#include "mode_text.h"
#include "port_names.h"

namespace {

TEST(PortNames, ComNumbersInAnyCaseFromOneTo255) {
  EXPECT_EQ(ComPortNumber("COM1"), 1);
  EXPECT_EQ(ComPortNumber("cOm12"), 12);
  EXPECT_EQ(ComPortNumber("COM255"), 255);
  for (const char* name : {"COM0", "COM256", "COM012", "COM", "COM1x", "COMx", "LPT1", "COM1000"}) {
    EXPECT_EQ(ComPortNumber(name), 0) << name;
  }
}

TEST(PortNames, WindowsOpensComPortsThroughTheDeviceNamespace) {
  EXPECT_STREQ(WindowsDeviceName("COM12").c_str(), "\\\\.\\COM12");
  EXPECT_STREQ(WindowsDeviceName("com3").c_str(), "\\\\.\\COM3");
  EXPECT_STREQ(WindowsDeviceName("\\\\.\\CNCA0").c_str(), "\\\\.\\CNCA0");
}

TEST(PortNames, LinuxMapsEveryComNumberAsTheDialogueMapsOneToNine) {
  EXPECT_STREQ(DevicePath("COM12", nullptr).Get(), "/dev/ttyUSB11");
  EXPECT_STREQ(DevicePath("COM255", nullptr).Get(), "/dev/ttyUSB254");
  EXPECT_STREQ(DevicePath("COM12", "/dev/ttyACM0").Get(), "/dev/ttyACM0");
  EXPECT_STREQ(DevicePath("/dev/serial/by-id/x", "/elsewhere").Get(), "/dev/serial/by-id/x");
}

TEST(DevicePath, ThePortsVariableOrElseAUsbSerialDevice) {
  EXPECT_STREQ(DevicePath("COM3", "/dev/ttyACM0").Get(), "/dev/ttyACM0");
  EXPECT_STREQ(DevicePath("COMx", "/tmp/adapter").Get(), "/tmp/adapter");
  EXPECT_STREQ(DevicePath("COM1", nullptr).Get(), "/dev/ttyUSB0");
  EXPECT_STREQ(DevicePath("COM9", nullptr).Get(), "/dev/ttyUSB8");
  for (const char* name : {"COM0", "COMx", "COM\xFF", "COM:", "COM"}) {
    EXPECT_EQ(DevicePath(name, nullptr).Get(), nullptr) << name;
  }
}

TEST(ModeDescription, OnlyTheOfferedModesAreDescribed) {
  EXPECT_STREQ(ModeDescription(0x01), "    ( 500 kbit/s - D-CAN and PT-CAN )");
  EXPECT_STREQ(ModeDescription(0x09), "    ( 100 kbit/s - K-CAN )");
  EXPECT_STREQ(ModeDescription(0x00), "    ( CAN OFF )");
  for (int mode : {0x02, 0x11, 0xFF, 0x90}) EXPECT_STREQ(ModeDescription(mode), "") << mode;
}

TEST(AsciiCase, LettersOnlyAndWithinTheLengthGiven) {
  EXPECT_TRUE(SameAsciiIgnoringCase("usb\\VID", "USB\\vid"));
  EXPECT_FALSE(SameAsciiIgnoringCase("COM1", "COM12"));
  EXPECT_FALSE(SameAsciiIgnoringCase("COM12", "COM1"));
  EXPECT_TRUE(SameAsciiIgnoringCase("FTDIBUS\\COMPORT", "ftdibus\\", 8));
  EXPECT_FALSE(SameAsciiIgnoringCase("FTDI", "ftdibus\\", 8));  // shorter than the prefix
  EXPECT_FALSE(SameAsciiIgnoringCase("\xC9", "\xE9"));          // no letters beyond ASCII
  EXPECT_FALSE(SameAsciiIgnoringCase("[", "{"));
}

TEST(BoundedText, CutOnlyWhereACharacterBegins) {
  // "Gerät": the a with diaeresis takes two bytes, C3 A4.
  EXPECT_STREQ(BoundedText<4>("Gerät").c_str(), "Ger");
  EXPECT_STREQ(BoundedText<5>("Gerät").c_str(), "Gerä");
  EXPECT_STREQ(BoundedText<4>().AppendFormat("%s", "Gerät").c_str(), "Ger");
  EXPECT_STREQ(BoundedText<6>("ab").Append("\xE2\x82\xAC\xE2\x82\xAC").c_str(), "ab\xE2\x82\xAC");
  EXPECT_STREQ(BoundedText<3>("\xF0\x9F\x98\x80").c_str(), "");  // four bytes, no room
  EXPECT_STREQ(BoundedText<6>("Péri").Append("phérique").c_str(), "Périp");
}

}  // namespace
