#include "port_table.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "ascii_case.h"

namespace {

bool StartsWithIgnoringCase(const char* text, const char* prefix) {
  return SameAsciiIgnoringCase(text, prefix, std::strlen(prefix));
}

// Where the number at the end of a name begins.
const char* TrailingNumber(const PortNameText& name) {
  const char* digits = name.c_str() + name.size();
  while (digits > name.c_str() && std::isdigit(static_cast<unsigned char>(digits[-1]))) --digits;
  return digits;
}

// Names compare by their text before the trailing number, then by the number.
bool InNumberOrder(const PortFacts& a, const PortFacts& b) {
  const char* numberA = TrailingNumber(a.name);
  const char* numberB = TrailingNumber(b.name);
  const std::size_t stemA = numberA - a.name.c_str(), stemB = numberB - b.name.c_str();
  const int stem = std::strncmp(a.name.c_str(), b.name.c_str(), std::min(stemA, stemB));
  if (stem != 0) return stem < 0;
  if (stemA != stemB) return stemA < stemB;
  const std::size_t lengthA = std::strlen(numberA), lengthB = std::strlen(numberB);
  if (lengthA != lengthB) return lengthA < lengthB;
  return std::strcmp(numberA, numberB) < 0;
}

bool IsLegacyWithoutUart(const PortFacts& port) {
  return std::strstr(port.name.c_str(), "/ttyS") != nullptr && port.uartType == "0";
}

}  // namespace

bool PortTable::Add(const PortFacts& port) {
  if (count == kCapacity) return false;
  ports[count++] = port;
  return true;
}

void AddDeviceManagerFacts(PortTable& ports, const PortFacts& entry) {
  for (PortFacts& port : ports) {
    if (!SameAsciiIgnoringCase(entry.name.c_str(), port.name.c_str())) continue;
    port.friendlyName = entry.friendlyName;
    port.hardwareId = entry.hardwareId;
  }
}

void PrepareForListing(PortTable& ports) {
  ports.count = std::remove_if(ports.begin(), ports.end(), IsLegacyWithoutUart) - ports.begin();
  std::sort(ports.begin(), ports.end(), InNumberOrder);
}

bool IsUsbPort(const PortFacts& port) {
  return port.onUsb || StartsWithIgnoringCase(port.hardwareId.c_str(), "USB\\") ||
         StartsWithIgnoringCase(port.hardwareId.c_str(), "FTDIBUS\\");
}

UsbPorts FindUsbPorts(const PortTable& ports) {
  UsbPorts usb;
  for (const PortFacts& port : ports) {
    if (!IsUsbPort(port)) continue;
    if (usb.count++ == 0) usb.first = &port;
  }
  return usb;
}

PortArgument ListedPort(const PortFacts& port) {
  PortArgument listed;
  listed.name = port.name;
  listed.device = port.style == PortStyle::Windows
                      ? PortNameText().AppendFormat("\\\\.\\%s", port.name.c_str())
                      : port.name;
  return listed;
}
