#include "port_list.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool StartsWithIgnoringCase(const char* text, const char* prefix) {
  for (; *prefix != '\0'; ++text, ++prefix) {
    if (std::toupper(static_cast<unsigned char>(*text)) != *prefix) return false;
  }
  return true;
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

// The answer to the dialogue's port question that opens `path`, if any.
bool DialogueAnswerFor(const char* path, EnvironmentLookup environment, char& answer) {
  for (answer = '!'; answer <= '~'; ++answer) {
    const char name[] = {'C', 'O', 'M', answer, '\0'};
    const DevicePath device(name, environment(name));
    if (device.Get() != nullptr && std::strcmp(path, device.Get()) == 0) return true;
  }
  return false;
}

// Parts of a description, separated by commas.
void AddPart(PortDescription& text, const char* part) {
  if (part[0] == '\0') return;
  if (!text.empty()) text.Append(", ");
  text.Append(part);
}

PortDescription DescribeWindowsPort(const PortFacts& port) {
  if (port.friendlyName.empty() && port.hardwareId.empty()) return port.kernelDevice.c_str();
  PortDescription text = port.friendlyName.c_str();
  if (!port.hardwareId.empty()) {
    text.AppendFormat(text.empty() ? "[%s]" : " [%s]", port.hardwareId.c_str());
  }
  return text;
}

PortDescription DescribeLinuxPort(const PortFacts& port, EnvironmentLookup environment) {
  PortDescription text;
  if (port.onUsb) {
    text.AppendFormat("USB %s:%s", port.usbVendorId.c_str(), port.usbProductId.c_str());
    if (!port.manufacturer.empty()) text.AppendFormat(" %s", port.manufacturer.c_str());
    if (!port.product.empty()) text.AppendFormat(" %s", port.product.c_str());
    if (!port.serial.empty()) text.AppendFormat(", serial number %s", port.serial.c_str());
  }
  if (!port.driver.empty()) {
    AddPart(text, BoundedText<48>().AppendFormat("driver %s", port.driver.c_str()).c_str());
  }
  AddPart(text, port.byIdPath.c_str());
  char answer = 0;
  if (DialogueAnswerFor(port.name.c_str(), environment, answer)) {
    AddPart(text, BoundedText<48>()
                      .AppendFormat("answer %c in the dialogue (COM%c)", answer, answer)
                      .c_str());
  }
  if (port.accessDenied) AddPart(text, "no read/write permission: join the dialout group");
  return text.empty() ? PortDescription("serial port") : text;
}

}  // namespace

bool PortTable::Add(const PortFacts& port) {
  if (count == kCapacity) return false;
  ports[count++] = port;
  return true;
}

void AddDeviceManagerFacts(PortTable& ports, const PortTable& known) {
  for (PortFacts& port : ports) {
    for (const PortFacts& entry : known) {
      if (!SameTextIgnoringCase(entry.name.c_str(), port.name.c_str())) continue;
      port.friendlyName = entry.friendlyName;
      port.hardwareId = entry.hardwareId;
    }
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

PortDescription DescribePort(const PortFacts& port, EnvironmentLookup environment) {
  if (!port.kernelDevice.empty() || !port.hardwareId.empty()) return DescribeWindowsPort(port);
  return DescribeLinuxPort(port, environment);
}

void PrintPortList(std::FILE* out, const PortTable& ports, EnvironmentLookup environment) {
  for (const PortFacts& port : ports) {
    std::fprintf(out, "%s\t%s\n", port.name.c_str(), DescribePort(port, environment).c_str());
  }
}
