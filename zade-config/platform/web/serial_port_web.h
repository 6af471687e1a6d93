// The adapter's port in a browser, behind the same operations as the COM
// port: the port the page chose, opened with fixed line settings, read and
// written in whole blocks with per-call timeouts. Each call waits for the
// browser's Web Serial promise (serial_web.js) while the page goes on.
#pragma once

#include <cstdint>

#include "open_failure.h"

class SerialPort {
 public:
  SerialPort() = default;
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // The page gives the browser's port before the run; `name` is unused.
  bool Open(const char* name, std::uint32_t baudRate, std::uint32_t timeoutMs);
  const OpenFailure& LastOpenFailure() const { return failure_; }
  // A read of n bytes ends when all have arrived, after more than timeoutMs
  // between two bytes, or after timeoutMs * n + timeoutMs in all.
  bool SetTimeouts(std::uint32_t timeoutMs);
  bool Read(std::uint8_t* buffer, std::uint32_t count);
  std::uint32_t Receive(std::uint8_t* buffer, std::uint32_t count);
  bool Write(const std::uint8_t* buffer, std::uint32_t count);
  bool Close();

 private:
  bool open_ = false;
  std::uint32_t timeoutMs_ = 0;
  OpenFailure failure_;
};
