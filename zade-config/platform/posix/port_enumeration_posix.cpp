// The serial ports of a Linux system: each tty that sysfs shows with a
// device behind it, and the USB device it sits on, if any.
#include "port_enumeration_posix.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "device_access_posix.h"

namespace {

using Path = BoundedText<PATH_MAX>;

Path Join(const char* dir, const char* name) {
  return Path().AppendFormat("%s/%s", dir, name);
}

// The first line of a sysfs attribute, or an empty text.
template <std::size_t Capacity>
BoundedText<Capacity> Attribute(const char* dir, const char* name) {
  char line[Capacity + 2] = {};
  if (std::FILE* file = std::fopen(Join(dir, name).c_str(), "r")) {
    if (std::fgets(line, sizeof line, file) == nullptr) line[0] = '\0';
    std::fclose(file);
  }
  line[std::strcspn(line, "\n")] = '\0';
  return line;
}

Path RealPath(const char* path) {
  char resolved[PATH_MAX];
  return realpath(path, resolved) != nullptr ? resolved : "";
}

Path Parent(const Path& path) {
  const int length = static_cast<int>(std::strrchr(path.c_str(), '/') - path.c_str());
  return Path().AppendFormat("%.*s", length, path.c_str());
}

// The serial core's own port and controller devices stand between a tty and
// the device whose driver tells what the port is.
BoundedText<32> HardwareDriver(Path device) {
  for (int level = 0; level < 3 && !device.empty(); ++level) {
    const Path driver = RealPath(Join(device.c_str(), "driver").c_str());
    const char* name = driver.empty() ? "" : std::strrchr(driver.c_str(), '/') + 1;
    if (name[0] != '\0' && std::strcmp(name, "port") != 0 && std::strcmp(name, "ctrl") != 0) {
      return name;
    }
    device = Parent(device);
  }
  return "";
}

// A USB serial device's tty sits on its interface (ttyACM) or on a port of a
// serial converter (ttyUSB); the USB device is a level or two above.
void AddUsbFacts(const Path& device, PortFacts& port) {
  Path dir = device;
  for (int level = 0; level < 4 && !dir.empty(); ++level) {
    if (access(Join(dir.c_str(), "idVendor").c_str(), F_OK) == 0) {
      port.onUsb = true;
      port.usbVendorId = Attribute<8>(dir.c_str(), "idVendor");
      port.usbProductId = Attribute<8>(dir.c_str(), "idProduct");
      port.manufacturer = Attribute<64>(dir.c_str(), "manufacturer");
      port.product = Attribute<64>(dir.c_str(), "product");
      port.serial = Attribute<64>(dir.c_str(), "serial");
      return;
    }
    dir = Parent(dir);
  }
}

PortNameText ByIdLink(const char* byIdDir, const char* device) {
  const Path target = RealPath(device);
  PortNameText link;
  if (target.empty()) return link;
  DIR* links = opendir(byIdDir);
  if (links == nullptr) return link;
  while (const dirent* entry = readdir(links)) {
    const Path path = Join(byIdDir, entry->d_name);
    if (entry->d_name[0] != '.' && RealPath(path.c_str()) == target.c_str()) {
      link = path.c_str();
      break;
    }
  }
  closedir(links);
  return link;
}

void AddPort(const TtyPlaces& places, const char* tty, PortTable& ports) {
  const Path ttyDir = Join(places.classDir, tty);
  const Path device = RealPath(Join(ttyDir.c_str(), "device").c_str());
  if (device.empty()) return;  // a virtual terminal or a pty
  const Path node = Join(places.devDir, tty);
  if (access(node.c_str(), F_OK) != 0) return;  // nothing to open
  PortFacts port;
  port.style = PortStyle::Posix;
  port.name = node.c_str();
  port.driver = HardwareDriver(device);
  port.uartType = Attribute<8>(ttyDir.c_str(), "type");
  AddUsbFacts(device, port);
  port.byIdPath = ByIdLink(places.byIdDir, port.name.c_str());
  port.access = DeviceAccessOf(port.name.c_str(), places.accounts);
  ports.Add(port);
}

}  // namespace

void EnumerateSerialPortsIn(const TtyPlaces& places, PortTable& ports) {
  DIR* ttys = opendir(places.classDir);
  if (ttys == nullptr) return;
  while (const dirent* tty = readdir(ttys)) {
    if (tty->d_name[0] != '.') AddPort(places, tty->d_name, ports);
  }
  closedir(ttys);
}

void EnumerateSerialPorts(PortTable& ports) {
  EnumerateSerialPortsIn(TtyPlaces(), ports);
}
