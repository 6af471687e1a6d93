#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "doubles.h"
#include "output_capture.h"
#include "port_enumeration.h"
#include "program.h"

namespace {

PortFacts WindowsPort(const char* name, const char* kernelDevice, const char* friendlyName = "",
                      const char* hardwareId = "") {
  PortFacts port;
  port.name = name;
  port.kernelDevice = kernelDevice;
  port.friendlyName = friendlyName;
  port.hardwareId = hardwareId;
  return port;
}

PortFacts LinuxPort(const char* name, bool onUsb = false) {
  PortFacts port;
  port.name = name;
  port.onUsb = onUsb;
  return port;
}

// The environment a test sets up for the dialogue's COMn variables.
std::map<std::string, std::string> environment;
char* FakeEnvironment(const char* name) {
  const auto found = environment.find(name);
  return found == environment.end() ? nullptr : const_cast<char*>(found->second.c_str());
}

std::string Listing(std::unique_ptr<PortTable>& ports) {
  PrepareForListing(*ports);
  OutputCapture out;
  PrintPortList(out.file(), *ports, FakeEnvironment);
  return out.Text();
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
  PortTable known;
  known.Add(WindowsPort("com12", "", "USB Serial Port (COM12)", "USB\\VID_1A2B&PID_3C4D"));
  AddDeviceManagerFacts(*ports, known);
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
  usb.accessDenied = true;
  ports->Add(usb);
  PortFacts acm = LinuxPort("/dev/ttyACM0", true);
  acm.usbVendorId = "1a2b";
  acm.usbProductId = "3c4d";
  ports->Add(acm);
  EXPECT_EQ(Listing(ports),
            "/dev/ttyACM0\tUSB 1a2b:3c4d, answer 3 in the dialogue (COM3)\n"
            "/dev/ttyUSB0\tUSB 0403:6001 FTDI FT232R USB UART, serial number A12345, driver "
            "ftdi_sio, /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A12345-if00-port0, answer 1 in "
            "the dialogue (COM1), no read/write permission: join the dialout group\n");
  environment.clear();
}

TEST(PortList, UsbPortsByHardwareIdOrBus) {
  EXPECT_TRUE(IsUsbPort(WindowsPort("COM3", "", "", "USB\\VID_0403&PID_6001")));
  EXPECT_TRUE(IsUsbPort(WindowsPort("COM3", "", "", "ftdibus\\COMPORT&VID_0403")));
  EXPECT_FALSE(IsUsbPort(WindowsPort("COM1", "", "", "ACPI\\PNP0501")));
  EXPECT_FALSE(IsUsbPort(WindowsPort("COM1", "\\Device\\Serial0")));
  EXPECT_TRUE(IsUsbPort(LinuxPort("/dev/ttyACM0", true)));
}

// A sysfs and /dev of files and links in a scratch folder.
class FakeSysfs : public testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/zade-sysfs-XXXXXX";
    root_ = mkdtemp(folder);
  }
  void TearDown() override { std::system(("rm -rf " + root_).c_str()); }

  void File(const std::string& path, const std::string& text) {
    std::system(("mkdir -p \"$(dirname " + root_ + path + ")\"").c_str());
    if (std::FILE* file = std::fopen((root_ + path).c_str(), "w")) {
      std::fputs(text.c_str(), file);
      std::fclose(file);
    }
  }
  void Link(const std::string& path, const std::string& target) {
    const std::string at = root_ + path, to = root_ + target;
    std::system(
        ("mkdir -p \"$(dirname " + at + ")\"; [ -e " + to + " ] || mkdir -p " + to).c_str());
    ASSERT_EQ(symlink(to.c_str(), at.c_str()), 0) << path;
  }
  std::string root_;
};

TEST_F(FakeSysfs, EnumerationReadsTheTtysWithADeviceAndTheirUsbFacts) {
  const std::string usb = "/devices/usb1/1-1";
  for (const auto& [name, text] :
       std::map<std::string, std::string>{{"idVendor", "0403\n"},
                                          {"idProduct", "6001\n"},
                                          {"manufacturer", "FTDI\n"},
                                          {"product", "FT232R USB UART\n"},
                                          {"serial", "A12345\n"}}) {
    File(usb + "/" + name, text);
  }
  Link("/class/ttyUSB0/device", usb + "/1-1:1.0/ttyUSB0");
  Link(usb + "/1-1:1.0/ttyUSB0/driver", "/drivers/ftdi_sio");
  // A legacy port: the serial core's port and controller stand before its driver.
  const std::string legacy = "/devices/pnp0/00:00";
  Link("/class/ttyS0/device", legacy + "/00:00:0/00:00:0.0");
  Link(legacy + "/00:00:0/00:00:0.0/driver", "/drivers/port");
  Link(legacy + "/00:00:0/driver", "/drivers/ctrl");
  Link(legacy + "/driver", "/drivers/serial");
  File("/class/ttyS0/type", "4\n");
  File("/class/tty0/dev", "4:0\n");  // a virtual terminal: no device
  File("/dev/ttyUSB0", "");
  Link("/dev/serial/by-id/usb-FTDI-if00-port0", "/dev/ttyUSB0");

  TtyPlaces places;
  const std::string classDir = root_ + "/class", devDir = root_ + "/dev",
                    byIdDir = root_ + "/dev/serial/by-id";
  places.classDir = classDir.c_str();
  places.devDir = devDir.c_str();
  places.byIdDir = byIdDir.c_str();
  auto ports = std::make_unique<PortTable>();
  EnumerateSerialPortsIn(places, *ports);
  PrepareForListing(*ports);

  ASSERT_EQ(ports->count, 2u);
  const PortFacts& legacyPort = ports->ports[0];
  EXPECT_STREQ(legacyPort.name.c_str(), (devDir + "/ttyS0").c_str());
  EXPECT_STREQ(legacyPort.driver.c_str(), "serial");
  EXPECT_FALSE(legacyPort.onUsb);
  const PortFacts& usbPort = ports->ports[1];
  EXPECT_STREQ(usbPort.name.c_str(), (devDir + "/ttyUSB0").c_str());
  EXPECT_TRUE(usbPort.onUsb);
  EXPECT_STREQ(usbPort.usbVendorId.c_str(), "0403");
  EXPECT_STREQ(usbPort.product.c_str(), "FT232R USB UART");
  EXPECT_STREQ(usbPort.serial.c_str(), "A12345");
  EXPECT_STREQ(usbPort.driver.c_str(), "ftdi_sio");
  EXPECT_STREQ(usbPort.byIdPath.c_str(), (byIdDir + "/usb-FTDI-if00-port0").c_str());
}

// --- One-shot runs: the mode set without questions ---------------------------------

PortTable* enumerated = nullptr;
void FakeEnumeration(PortTable& ports) {
  for (const PortFacts& port : *enumerated) ports.Add(port);
}

struct OneShotRun {
  std::string log;
  FakePort port{log};
  FakeAdapter adapter;
  OutputCapture out, err;
  std::unique_ptr<PortTable> present = std::make_unique<PortTable>();
  int status = 1234;

  OneShotRun() { port.adapter = &adapter; }
  OneShotRun& Go(std::vector<const char*> args, PortStyle style = PortStyle::Windows,
                 const std::string& typed = "") {
    args.insert(args.begin(), "zade-config");
    const CommandLine line = ParseCommandLine(static_cast<int>(args.size()), args.data(), style);
    enumerated = present.get();
    FakeConsole console(typed, log);
    status = RunProgram(line, port, console,
                        {style, FakeEnumeration, FakeEnvironment, out.file(), err.file()});
    return *this;
  }
};

TEST(OneShot, SetsTheModeAsTheDialogueDoesAndReportsItOnOneLine) {
  OneShotRun run;
  run.Go({"--port", "COM12", "--mode", "100"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.log, "[open \\\\.\\COM12 115200 2000][timeouts 1][timeouts 500]");
  EXPECT_EQ(run.port.written, (std::vector<std::uint8_t>{0x81, 0x00, 0x00, 0x09, 0x8A}));
  EXPECT_EQ(run.out.Text(), "COM12: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\n");
  EXPECT_EQ(run.err.Text(), "");
}

TEST(OneShot, AnotherModeReportedIsStatusThree) {
  OneShotRun run;
  run.adapter.replyByte3 = 0xF6;  // reports 9
  run.Go({"-p", "/dev/ttyUSB0", "-m", "off"}, PortStyle::Posix);
  EXPECT_EQ(run.status, kExitOtherMode);
  EXPECT_EQ(run.out.Text(), "/dev/ttyUSB0: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\n");
  EXPECT_EQ(run.err.Text(), "Asked for CAN BUS mode =  0    ( CAN OFF )\n");
}

TEST(OneShot, NoAnswerOrNoPortIsStatusOneOnTheErrorStream) {
  OneShotRun silent;
  silent.port.adapter = nullptr;
  silent.Go({"-p", "COM3", "-m", "500"});
  EXPECT_EQ(silent.status, kExitError);
  EXPECT_EQ(silent.out.Text(), "");
  EXPECT_EQ(silent.err.Text(), "Error, adapter not conected!!!\n");

  OneShotRun busy;
  busy.port.unopenable = "/dev/ttyUSB0";
  busy.port.failure = {OpenFailureKind::Busy, "minicom (process 42)"};
  busy.Go({"-p", "/dev/ttyUSB0", "-m", "500"}, PortStyle::Posix);
  EXPECT_EQ(busy.status, kExitError);
  EXPECT_EQ(
      busy.err.Text(),
      "Error: /dev/ttyUSB0 in use or does not exist.\nBusy: minicom (process 42) holds it.\n");
  EXPECT_TRUE(busy.port.written.empty());
}

TEST(OneShot, WithoutAPortUsesTheOnlyUsbSerialPort) {
  OneShotRun run;
  run.present->Add(WindowsPort("COM1", "\\Device\\Serial0", "", "ACPI\\PNP0501"));
  run.present->Add(WindowsPort("COM7", "\\Device\\VCP0", "USB Serial Port (COM7)", "FTDIBUS\\X"));
  run.Go({"--mode", "500"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.log.rfind("[open \\\\.\\COM7 115200 2000]", 0), 0u);
  EXPECT_EQ(run.out.Text(), "COM7: CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )\n");
}

TEST(OneShot, NoneOrSeveralUsbSerialPortsOpenNothing) {
  OneShotRun none;
  none.present->Add(WindowsPort("COM1", "\\Device\\Serial0"));
  none.Go({"--mode", "500"});
  EXPECT_EQ(none.status, kExitError);
  EXPECT_EQ(none.err.Text(),
            "zade-config: no USB serial port found; name the port with --port.\n"
            "COM1\t\\Device\\Serial0\n");

  OneShotRun several;
  several.present->Add(LinuxPort("/dev/ttyUSB1", true));
  several.present->Add(LinuxPort("/dev/ttyACM0", true));
  several.Go({"--mode", "500"}, PortStyle::Posix);
  EXPECT_EQ(several.status, kExitError);
  EXPECT_EQ(several.err.Text().substr(0, 66),
            "zade-config: more than one USB serial port; name one with --port.\n");
  for (OneShotRun* run : {&none, &several}) {
    EXPECT_EQ(run->log, "");  // nothing opened
    EXPECT_EQ(run->out.Text(), "");
  }
}

TEST(OneShot, BadUsageOpensNothing) {
  OneShotRun run;
  run.Go({"--mode", "500", "--mode", "100"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(run.err.Text(),
            "zade-config: option '--mode' given twice\nTry 'zade-config --help'.\n");
  EXPECT_EQ(run.log, "");
}

TEST(OneShot, PortAloneRunsTheDialogueFromTheMenuNamingThatPort) {
  OneShotRun run;
  run.port.unopenable = "\\\\.\\COM12";
  run.Go({"--port", "com12"}, PortStyle::Windows, "1\n");
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.log.find("3.Enter COM port number"), std::string::npos);
  EXPECT_NE(run.log.find("0 - Exit"), std::string::npos);
  EXPECT_NE(run.log.find("Error: COM12 in use or does not exist.\nPress Enter..."),
            std::string::npos);
}

TEST(OneShot, ListWithNoPortSaysSoOnTheErrorStream) {
  OneShotRun run;
  run.Go({"--list-ports"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out.Text(), "");
  EXPECT_EQ(run.err.Text(), "zade-config: no serial port found\n");
}

}  // namespace
