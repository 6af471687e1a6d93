// Port names: the COMn names users know from Windows, where they lead on each
// system, and a port as the user names it.
#pragma once

#include "bounded_text.h"

// The longest port or device name the program takes.
constexpr std::size_t kMaxPortName = 255;
// A port or device name, with room for the \\.\ that Windows puts before it.
using PortNameText = BoundedText<kMaxPortName + 4>;

// Which system's port names and texts are meant.
enum class PortStyle { Windows, Posix };

// n for a name COMn with n from 1 to 255, in any case ("com12" gives 12);
// 0 for any other name.
int ComPortNumber(const char* name);

// Looks up an environment variable; null when it is not set.
using EnvironmentLookup = char* (*)(const char* name);  // std::getenv

// Where a port name leads on a system without COM ports: an absolute path to
// itself; otherwise "COMc" to the path the environment variable COMc holds
// when it is set, and COMn (n from 1 to 255) to /dev/ttyUSB<n-1> when not.
class DevicePath {
 public:
  // `configured`: the value of the environment variable named `portName`, or null.
  DevicePath(const char* portName, const char* configured);
  // Null when the name leads nowhere.
  const char* Get() const { return path_; }

 private:
  char usbPath_[24] = {};
  const char* path_ = nullptr;
};

// The answer to the dialogue's port question that opens `path`, if any.
bool DialogueAnswerFor(const char* path, EnvironmentLookup environment, char& answer);

// What Windows opens for a port name: \\.\COMn for COMn, which Windows needs
// from COM10 up, and any other name as it is.
PortNameText WindowsDeviceName(const char* name);

// A port as the user named it, and what the program opens for it.
struct PortArgument {
  PortNameText name;    // shown: COMn in capitals, or the device name as given
  PortNameText device;  // opened
};

// A port named on the command line: COMn (n from 1 to 255, any case) or a
// device name of the system (\\.\NAME on Windows, an absolute path
// elsewhere); on Windows also any other name of its port map (COM256, CNCA0),
// opened as \\.\NAME. False when it is none of these.
bool ParsePortArgument(const char* text, PortStyle style, PortArgument& port);
