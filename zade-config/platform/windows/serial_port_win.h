// The adapter's COM port on Windows: opened exclusively with fixed line settings, read
// and written synchronously in whole blocks with per-call timeouts.
#pragma once

#include <windows.h>

#include <cstdint>

#include "open_failure.h"

class SerialPort {
 public:
  SerialPort() = default;
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  bool Open(const char* name, std::uint32_t baudRate, std::uint32_t timeoutMs);
  // Why the last Open failed.
  const OpenFailure& LastOpenFailure() const { return failure_; }
  // A read of n bytes ends when all have arrived, after more than timeoutMs
  // between two bytes, or after timeoutMs * n + timeoutMs in all.
  bool SetTimeouts(std::uint32_t timeoutMs);
  bool Read(std::uint8_t* buffer, std::uint32_t count);
  // The same read; how many bytes came.
  std::uint32_t Receive(std::uint8_t* buffer, std::uint32_t count);
  bool Write(const std::uint8_t* buffer, std::uint32_t count);
  bool Purge();
  bool Close();

 private:
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  OpenFailure failure_;
};
