// Where the COM port names the dialogue uses lead on a system without COM
// ports: "COMc" to the path the environment variable COMc holds when it is
// set, otherwise, for c = 1 to 9, to /dev/ttyUSB<c-1>.
#pragma once

class DevicePath {
 public:
  // `configured`: the value of the environment variable named `portName`, or null.
  DevicePath(const char* portName, const char* configured);
  // Null when the name leads nowhere.
  const char* Get() const { return path_; }

 private:
  char usbPath_[16] = {};
  const char* path_ = nullptr;
};
