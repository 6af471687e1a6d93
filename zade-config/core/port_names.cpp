#include "port_names.h"

#include <cstdio>
#include <cstring>

#include "ascii_case.h"

int ComPortNumber(const char* name) {
  if (std::strlen(name) < 4 || std::strlen(name) > 6) return 0;
  if (!SameAsciiIgnoringCase(name, "COM", 3)) return 0;
  if (name[3] == '0') return 0;
  int number = 0;
  for (const char* digit = name + 3; *digit != '\0'; ++digit) {
    if (*digit < '0' || *digit > '9') return 0;
    number = number * 10 + (*digit - '0');
  }
  return number <= 255 ? number : 0;
}

DevicePath::DevicePath(const char* portName, const char* configured) {
  if (portName[0] == '/') {
    path_ = portName;
    return;
  }
  if (configured != nullptr) {
    path_ = configured;
    return;
  }
  const int number = ComPortNumber(portName);
  if (number == 0) return;
  std::snprintf(usbPath_, sizeof usbPath_, "/dev/ttyUSB%d", number - 1);
  path_ = usbPath_;
}

PortNameText WindowsDeviceName(const char* name) {
  const int number = ComPortNumber(name);
  if (number == 0) return name;
  return PortNameText().AppendFormat("\\\\.\\COM%d", number);
}

bool DialogueAnswerFor(const char* path, EnvironmentLookup environment, char& answer) {
  for (answer = '!'; answer <= '~'; ++answer) {
    const char name[] = {'C', 'O', 'M', answer, '\0'};
    const DevicePath device(name, environment(name));
    if (device.Get() != nullptr && std::strcmp(path, device.Get()) == 0) return true;
  }
  return false;
}

namespace {

// A name Windows keeps in its port map (COM256, CNCA0): no path, no
// wildcard, no device separator.
bool IsWindowsPortName(const char* text) {
  return text[0] != '\0' && text[0] != '-' && std::strpbrk(text, "\\/:*?\"<>|") == nullptr;
}

}  // namespace

bool ParsePortArgument(const char* text, PortStyle style, PortArgument& port) {
  const int number = ComPortNumber(text);
  if (number != 0) {
    port.name = PortNameText().AppendFormat("COM%d", number);
    port.device = style == PortStyle::Windows ? WindowsDeviceName(port.name.c_str()) : port.name;
    return true;
  }
  if (style == PortStyle::Windows && IsWindowsPortName(text)) {
    port.name = text;
    port.device = PortNameText().AppendFormat("\\\\.\\%s", text);
    return true;
  }
  const char* devicePrefix = style == PortStyle::Windows ? "\\\\.\\" : "/";
  const std::size_t prefixLength = std::strlen(devicePrefix);
  if (std::strlen(text) <= prefixLength || std::strncmp(text, devicePrefix, prefixLength) != 0) {
    return false;
  }
  port.name = text;
  port.device = text;
  return true;
}
