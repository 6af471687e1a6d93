#include "serial_port_win.h"

namespace {
constexpr DWORD kQueueSize = 1024;

OpenFailureKind FailureKindOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return OpenFailureKind::AccessDenied;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return OpenFailureKind::NotFound;
    default:
      return OpenFailureKind::Unknown;
  }
}
}  // namespace

SerialPort::~SerialPort() {
  Close();
}

bool SerialPort::Open(const char* name, std::uint32_t baudRate, std::uint32_t timeoutMs) {
  if (IsOpen()) return false;
  handle_ = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!IsOpen()) {
    failure_.kind = FailureKindOf(GetLastError());
    return false;
  }
  failure_.kind = OpenFailureKind::Unknown;

  // Built from zeros: no flow control of any kind, DTR and RTS off, no
  // character replacement.
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  dcb.BaudRate = baudRate;
  dcb.fBinary = 1;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fDtrControl = DTR_CONTROL_DISABLE;
  dcb.fRtsControl = RTS_CONTROL_DISABLE;

  if (SetupComm(handle_, kQueueSize, kQueueSize) && SetCommState(handle_, &dcb) &&
      SetTimeouts(timeoutMs)) {
    return true;
  }
  CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  return false;
}

bool SerialPort::SetTimeouts(std::uint32_t timeoutMs) {
  if (!IsOpen()) return false;
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = timeoutMs;
  timeouts.ReadTotalTimeoutMultiplier = timeoutMs;
  timeouts.ReadTotalTimeoutConstant = timeoutMs;
  return SetCommTimeouts(handle_, &timeouts) != 0;
}

bool SerialPort::Read(std::uint8_t* buffer, std::uint32_t count) {
  if (!IsOpen()) return false;
  DWORD got = 0;
  return ReadFile(handle_, buffer, count, &got, nullptr) && got == count;
}

std::uint32_t SerialPort::Receive(std::uint8_t* buffer, std::uint32_t count) {
  if (!IsOpen()) return 0;
  DWORD got = 0;
  if (!ReadFile(handle_, buffer, count, &got, nullptr)) return 0;
  return got;
}

bool SerialPort::Write(const std::uint8_t* buffer, std::uint32_t count) {
  if (!IsOpen()) return false;
  DWORD written = 0;
  return WriteFile(handle_, buffer, count, &written, nullptr) && written == count;
}

bool SerialPort::Purge() {
  if (!IsOpen()) return false;
  return PurgeComm(handle_, PURGE_TXCLEAR | PURGE_RXCLEAR) != 0;
}

bool SerialPort::Close() {
  if (IsOpen()) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  return true;
}
