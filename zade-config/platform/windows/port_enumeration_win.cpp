#include <windows.h>
// windows.h first: setupapi.h builds on it.
#include <setupapi.h>

#include "port_enumeration_win.h"

namespace {

// The device setup class "Ports (COM & LPT)".
const GUID kPortsClass = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

// The value names of HARDWARE\DEVICEMAP\SERIALCOMM are the ports' devices,
// their data the port names.
void ReadPortMap(PortTable& ports) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                    &key) != ERROR_SUCCESS) {
    return;
  }
  for (DWORD index = 0;; ++index) {
    char device[256];
    DWORD deviceSize = sizeof device;
    char name[kMaxPortName + 1];
    DWORD nameSize = sizeof name - 1;
    DWORD type = 0;
    const LONG result = RegEnumValueA(key, index, device, &deviceSize, nullptr, &type,
                                      reinterpret_cast<BYTE*>(name), &nameSize);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;
    name[nameSize] = '\0';
    PortFacts port;
    port.style = PortStyle::Windows;
    port.name = name;
    port.kernelDevice = device;
    if (!ports.Add(port)) break;
  }
  RegCloseKey(key);
}

// A text property of a device; for a list (the hardware IDs) its first entry.
BoundedText<128> DeviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
  char text[512] = {};
  if (!SetupDiGetDeviceRegistryPropertyA(devices, &device, property, nullptr,
                                         reinterpret_cast<BYTE*>(text), sizeof text - 2, nullptr)) {
    return "";
  }
  return text;
}

PortNameText PortNameOf(HDEVINFO devices, SP_DEVINFO_DATA& device) {
  HKEY key =
      SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
  if (key == INVALID_HANDLE_VALUE) return "";
  char name[kMaxPortName + 1];
  DWORD size = sizeof name - 1;
  DWORD type = 0;
  const LONG result =
      RegQueryValueExA(key, "PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return "";
  name[size] = '\0';
  return name;
}

// The device manager's entries of the ports class: port name, friendly
// name and hardware ID.
void ReadDeviceManager(PortTable& ports) {
  HDEVINFO devices = SetupDiGetClassDevsA(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
    PortFacts port;
    port.name = PortNameOf(devices, device);
    port.friendlyName = DeviceProperty(devices, device, SPDRP_FRIENDLYNAME);
    port.hardwareId = DeviceProperty(devices, device, SPDRP_HARDWAREID);
    if (!ports.Add(port)) break;
  }
  SetupDiDestroyDeviceInfoList(devices);
}

}  // namespace

void EnumerateSerialPorts(PortTable& ports) {
  static PortTable known;  // too large for the stack
  ReadPortMap(ports);
  ReadDeviceManager(known);
  AddDeviceManagerFacts(ports, known);
}
