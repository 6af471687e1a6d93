#include "port_path.h"

#include <cctype>
#include <cstdio>
#include <cstring>

int ComPortNumber(const char* name) {
  if (std::strlen(name) < 4 || std::strlen(name) > 6) return 0;
  for (int i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
  }
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
