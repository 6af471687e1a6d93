#include "port_path.h"

#include <cstdio>
#include <cstring>

DevicePath::DevicePath(const char* portName, const char* configured) {
  if (configured != nullptr) {
    path_ = configured;
    return;
  }
  const bool comDigit = std::strlen(portName) == 4 && std::strncmp(portName, "COM", 3) == 0 &&
                        portName[3] >= '1' && portName[3] <= '9';
  if (!comDigit) return;
  std::snprintf(usbPath_, sizeof usbPath_, "/dev/ttyUSB%d", portName[3] - '1');
  path_ = usbPath_;
}
