// The serial ports present, as the system's enumeration finds them: the
// table an enumeration fills, the ports worth listing, and the USB serial
// ports among them.
#pragma once

#include "bounded_text.h"
#include "device_access.h"
#include "open_failure.h"
#include "port_names.h"

// What the system tells of one port. Each enumeration fills what it knows.
struct PortFacts {
  PortNameText name;                     // what --port takes: COM12, /dev/ttyUSB0
  PortStyle style = PortStyle::Windows;  // the system that found it

  // Windows: the device of the port map (\Device\Serial0) and, where the
  // device manager knows the port, its friendly name and first hardware ID.
  BoundedText<64> kernelDevice;
  BoundedText<128> friendlyName;
  BoundedText<128> hardwareId;

  // Linux: the tty's driver and UART type (sysfs), the USB device it sits on,
  // its /dev/serial/by-id link, whether this user may read and write it, and
  // who else uses it.
  BoundedText<32> driver;
  BoundedText<8> uartType;  // "0" for a legacy port with no UART behind it
  bool onUsb = false;
  BoundedText<8> usbVendorId, usbProductId;
  BoundedText<64> manufacturer, product, serial;
  PortNameText byIdPath;
  DeviceAccess access;
  DeviceUser user;  // another program that holds the device, or has it open
};

// The ports an enumeration found, up to one for every COM port number.
struct PortTable {
  static constexpr std::size_t kCapacity = 256;
  PortFacts ports[kCapacity];
  std::size_t count = 0;

  // False, leaving the table as it was, when it is full.
  bool Add(const PortFacts& port);
  PortFacts* begin() { return ports; }
  PortFacts* end() { return ports + count; }
  const PortFacts* begin() const { return ports; }
  const PortFacts* end() const { return ports + count; }
};

// The device manager's facts of one port (friendly name, hardware ID) added
// to the port of the port map that has the same name, ignoring case.
void AddDeviceManagerFacts(PortTable& ports, const PortFacts& entry);

// Keeps the ports worth listing, in number order (COM2 before COM10, ttyS
// before ttyUSB): legacy ttyS entries without a UART go.
void PrepareForListing(PortTable& ports);

// A USB serial port: on Windows a hardware ID that starts with USB\ or
// FTDIBUS\, elsewhere a device on USB.
bool IsUsbPort(const PortFacts& port);

// The USB vendor and product a Windows hardware ID names, four lowercase hex
// digits each, as Linux names them: USB\VID_0403&PID_6001&REV_0600,
// FTDIBUS\COMPORT&VID_0403&PID_6001, FTDIBUS\VID_0403+PID_6001+A1B2C3D4A.
// Empty, both, where it names none.
struct UsbIdentity {
  BoundedText<8> vendor, product;
};
UsbIdentity UsbIdentityOf(const PortFacts& port);

// The USB serial ports of a table: how many, and the first of them.
struct UsbPorts {
  std::size_t count = 0;
  const PortFacts* first = nullptr;
};
UsbPorts FindUsbPorts(const PortTable& ports);

// A listed port as the program names and opens it: on Windows \\.\NAME,
// which reaches every name of the port map, elsewhere its device.
PortArgument ListedPort(const PortFacts& port);
