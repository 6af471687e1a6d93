#include "port_enumeration_win.h"

#include <windows.h>
// windows.h first: setupapi.h builds on it.
#include <setupapi.h>

#include "text_win.h"

namespace {

// The device setup class "Ports (COM & LPT)".
const GUID kPortsClass = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

// The value names of HARDWARE\DEVICEMAP\SERIALCOMM are the ports' devices,
// their data the port names.
void ReadPortMap(PortTable& ports) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                    &key) != ERROR_SUCCESS) {
    return;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t device[256];
    DWORD deviceLength = sizeof device / sizeof device[0];
    wchar_t name[kMaxPortName + 1];
    DWORD nameSize = sizeof name - sizeof name[0];
    DWORD type = 0;
    const LONG result = RegEnumValueW(key, index, device, &deviceLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(name), &nameSize);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;
    name[nameSize / sizeof name[0]] = L'\0';
    PortFacts port;
    port.style = PortStyle::Windows;
    port.name = Utf8FromWide(name).c_str();
    port.kernelDevice = Utf8FromWide(device).c_str();
    if (!ports.Add(port)) break;
  }
  RegCloseKey(key);
}

// A text property of a device; for a list (the hardware IDs) its first entry.
Utf8Text DeviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
  wchar_t text[512] = {};
  if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr,
                                         reinterpret_cast<BYTE*>(text),
                                         sizeof text - 2 * sizeof text[0], nullptr)) {
    return Utf8Text();
  }
  return Utf8FromWide(text);
}

Utf8Text PortNameOf(HDEVINFO devices, SP_DEVINFO_DATA& device) {
  HKEY key =
      SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
  if (key == INVALID_HANDLE_VALUE) return Utf8Text();
  wchar_t name[kMaxPortName + 1];
  DWORD size = sizeof name - sizeof name[0];
  DWORD type = 0;
  const LONG result =
      RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return Utf8Text();
  name[size / sizeof name[0]] = L'\0';
  return Utf8FromWide(name);
}

// The device manager's entries of the ports class, each added to its port of
// the port map: friendly name and hardware ID.
void ReadDeviceManager(PortTable& ports) {
  HDEVINFO devices = SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
    PortFacts entry;
    entry.name = PortNameOf(devices, device).c_str();
    entry.friendlyName = DeviceProperty(devices, device, SPDRP_FRIENDLYNAME).c_str();
    entry.hardwareId = DeviceProperty(devices, device, SPDRP_HARDWAREID).c_str();
    AddDeviceManagerFacts(ports, entry);
  }
  SetupDiDestroyDeviceInfoList(devices);
}

}  // namespace

void EnumerateSerialPorts(PortTable& ports) {
  ReadPortMap(ports);
  ReadDeviceManager(ports);
}
