// Ports as the enumerations report them, and the environment of the
// dialogue's COMn variables, for tests of the port list and the one-shot run.
#pragma once

#include <map>
#include <string>

#include "port_table.h"

inline PortFacts WindowsPort(const char* name, const char* kernelDevice,
                             const char* friendlyName = "", const char* hardwareId = "") {
  PortFacts port;
  port.style = PortStyle::Windows;
  port.name = name;
  port.kernelDevice = kernelDevice;
  port.friendlyName = friendlyName;
  port.hardwareId = hardwareId;
  return port;
}

inline PortFacts LinuxPort(const char* name, bool onUsb = false) {
  PortFacts port;
  port.style = PortStyle::Posix;
  port.name = name;
  port.onUsb = onUsb;
  return port;
}

// The environment a test sets up for the dialogue's COMn variables.
inline std::map<std::string, std::string> environment;
inline char* FakeEnvironment(const char* name) {
  const auto found = environment.find(name);
  return found == environment.end() ? nullptr : const_cast<char*>(found->second.c_str());
}
