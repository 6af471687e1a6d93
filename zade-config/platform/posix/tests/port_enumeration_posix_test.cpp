#include "port_enumeration_posix.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "device_access_posix.h"

namespace {

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
  File("/dev/ttyS0", "");
  // A port whose /dev node is missing: there is nothing to open.
  Link("/class/ttyS1/device", legacy + "/00:00:1/00:00:1.0");
  File("/class/ttyS1/type", "4\n");
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

// The device's group, from account files of the test's own.
TEST_F(FakeSysfs, AccessNamesTheDevicesGroupOrTellsThatOnlyRootMayOpenIt) {
  File("/dev/ttyUSB0", "");
  const std::string device = root_ + "/dev/ttyUSB0", group = root_ + "/group",
                    passwd = root_ + "/passwd";
  File("/passwd", "someone:x:12345:12345::/:/bin/sh\nme:x:" + std::to_string(getuid()) + ":" +
                      std::to_string(getgid()) + "::/:/bin/sh\n");
  File("/group", "other:x:4243:me\n");
  const AccountFiles files{group.c_str(), passwd.c_str()};

  ASSERT_EQ(chmod(device.c_str(), 0600), 0);
  DeviceAccess access = DeviceAccessOf(device.c_str(), files);
  EXPECT_TRUE(access.rootAlone) << "no read and write for the group";
  EXPECT_STREQ(access.group.c_str(), std::to_string(getegid()).c_str()) << "a group without a name";

  if (geteuid() != 0) GTEST_SKIP() << "giving the device another group needs root";
  ASSERT_EQ(chown(device.c_str(), 0, 4242), 0);
  ASSERT_EQ(chmod(device.c_str(), 0660), 0);
  File("/group", "uucp:x:4242:adm\n");
  access = DeviceAccessOf(device.c_str(), files);
  EXPECT_STREQ(access.group.c_str(), "uucp");
  EXPECT_FALSE(access.rootAlone);
  EXPECT_FALSE(access.inGroupNotLoggedIn);

  File("/group", "uucp:x:4242:adm,me,lp\n");  // listed, but this process has no such group
  EXPECT_TRUE(DeviceAccessOf(device.c_str(), files).inGroupNotLoggedIn);

  ASSERT_EQ(chown(device.c_str(), 0, 0), 0);
  EXPECT_TRUE(DeviceAccessOf(device.c_str(), files).rootAlone) << "group root";
}

}  // namespace
