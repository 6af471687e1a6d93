#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "port_description.h"
#include "port_facts.h"
#include "port_table.h"

namespace {

// The lines of --list-ports: name, tab, description.
std::string Listing(std::unique_ptr<PortTable>& ports) {
  PrepareForListing(*ports);
  std::string lines;
  for (const PortFacts& port : *ports) {
    lines +=
        std::string(port.name.c_str()) + "\t" + DescribePort(port, FakeEnvironment).c_str() + "\n";
  }
  return lines;
}

TEST(PortList, InNumberOrderWithoutLegacyPortsThatHaveNoUart) {
  auto ports = std::make_unique<PortTable>();
  for (const char* name : {"COM10", "COM2", "COM1"}) ports->Add(WindowsPort(name, "\\Device\\X"));
  EXPECT_EQ(Listing(ports), "COM1\t\\Device\\X\nCOM2\t\\Device\\X\nCOM10\t\\Device\\X\n");

  ports = std::make_unique<PortTable>();
  for (const char* name : {"/dev/ttyUSB10", "/dev/ttyUSB2", "/dev/ttyS1", "/dev/ttyACM0"}) {
    ports->Add(LinuxPort(name));
  }
  PortFacts noUart = LinuxPort("/dev/ttyS2");
  noUart.uartType = "0";
  ports->Add(noUart);
  EXPECT_EQ(Listing(ports),
            "/dev/ttyACM0\tserial port\n/dev/ttyS1\tserial port\n"
            "/dev/ttyUSB2\tanswer 3 in the dialogue (COM3)\n/dev/ttyUSB10\tserial port\n");
}

TEST(PortList, WindowsLinesNameTheDeviceManagersEntryOrTheKernelDevice) {
  auto ports = std::make_unique<PortTable>();
  ports->Add(WindowsPort("COM12", "\\Device\\VCP0"));
  ports->Add(WindowsPort("COM1", "\\Device\\Serial0"));
  AddDeviceManagerFacts(
      *ports, WindowsPort("com12", "", "USB Serial Port (COM12)", "USB\\VID_1A2B&PID_3C4D"));
  EXPECT_EQ(Listing(ports),
            "COM1\t\\Device\\Serial0\nCOM12\tUSB Serial Port (COM12) [USB\\VID_1A2B&PID_3C4D]\n");
}

TEST(PortList, LinuxLinesTellTheUsbDeviceTheDialogueAnswerAndMissingPermission) {
  environment = {{"COM3", "/dev/ttyACM0"}};
  auto ports = std::make_unique<PortTable>();
  PortFacts usb = LinuxPort("/dev/ttyUSB0", true);
  usb.usbVendorId = "0403";
  usb.usbProductId = "6001";
  usb.manufacturer = "FTDI";
  usb.product = "FT232R USB UART";
  usb.serial = "A12345";
  usb.driver = "ftdi_sio";
  usb.byIdPath = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A12345-if00-port0";
  usb.access = {true, "uucp", false, false};
  ports->Add(usb);
  PortFacts acm = LinuxPort("/dev/ttyACM0", true);
  acm.usbVendorId = "1a2b";
  acm.usbProductId = "3c4d";
  ports->Add(acm);
  PortFacts locked = LinuxPort("/dev/ttyS4");
  locked.user = {"minicom (process 42)", true};
  ports->Add(locked);
  PortFacts opened = LinuxPort("/dev/ttyS5");
  opened.user = {"cat (process 43)", false};
  ports->Add(opened);
  EXPECT_EQ(
      Listing(ports),
      "/dev/ttyACM0\tUSB 1a2b:3c4d, answer 3 in the dialogue (COM3)\n"
      "/dev/ttyS4\theld by minicom (process 42)\n/dev/ttyS5\topen in cat (process 43)\n"
      "/dev/ttyUSB0\tUSB 0403:6001 FTDI FT232R USB UART, serial number A12345, driver "
      "ftdi_sio, /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A12345-if00-port0, answer 1 in "
      "the dialogue (COM1), no read/write permission: join the 'uucp' group (sudo usermod -aG "
      "uucp $USER, then log in again)\n");
  environment.clear();
}

TEST(PortList, UsbPortsByHardwareIdOrBus) {
  EXPECT_TRUE(IsUsbPort(WindowsPort("COM3", "", "", "USB\\VID_0403&PID_6001")));
  EXPECT_TRUE(IsUsbPort(WindowsPort("COM3", "", "", "ftdibus\\COMPORT&VID_0403")));
  EXPECT_FALSE(IsUsbPort(WindowsPort("COM1", "", "", "ACPI\\PNP0501")));
  EXPECT_FALSE(IsUsbPort(WindowsPort("COM1", "\\Device\\Serial0")));
  EXPECT_TRUE(IsUsbPort(LinuxPort("/dev/ttyACM0", true)));
}

// As USB's own driver and FTDI's name a port, or with no vendor or product.
TEST(PortList, UsbIdentityFromTheHardwareId) {
  struct Case {
    const char* hardwareId;
    const char* identity;
  } cases[] = {
      {"USB\\VID_0403&PID_6001&REV_0600", "0403:6001"},
      {"FTDIBUS\\COMPORT&VID_0403&PID_6001", "0403:6001"},
      {"ftdibus\\VID_1A2B+PID_3C4D+A1B2C3D4A\\0000", "1a2b:3c4d"},
      {"USB\\VID_0403", ":"},
      {"USB\\VID_04&PID_6001", ":"},
      {"ACPI\\PNP0501&VID_0403&PID_6001", ":"},
  };
  for (const Case& c : cases) {
    const UsbIdentity identity = UsbIdentityOf(WindowsPort("COM3", "", "", c.hardwareId));
    EXPECT_EQ(std::string(identity.vendor.c_str()) + ":" + identity.product.c_str(), c.identity)
        << c.hardwareId;
  }
}

}  // namespace
