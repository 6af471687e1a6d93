#include "serial_port_web.h"

#include <emscripten.h>

#include "timed_read.h"

namespace {

// Module.zadeSerial is serial_web.js's transport over the chosen port. The
// bodies are JavaScript, which clang-format would take for C++.
// clang-format off
EM_ASYNC_JS(int, OpenChosenPort, (unsigned baudRate), {
  return await Module.zadeSerial.open(baudRate) ? 1 : 0;
});
EM_ASYNC_JS(int, WaitForBytes, (unsigned ms), {
  return await Module.zadeSerial.waitReadable(ms) ? 1 : 0;
});
EM_JS(int, TakeBytes, (std::uint8_t* buffer, unsigned max), {
  const bytes = Module.zadeSerial.take(max);
  if (bytes === null) return -1;
  HEAPU8.set(bytes, buffer);
  return bytes.length;
});
EM_ASYNC_JS(int, WriteBytes, (const std::uint8_t* buffer, unsigned count), {
  return await Module.zadeSerial.write(HEAPU8.slice(buffer, buffer + count)) ? 1 : 0;
});
EM_ASYNC_JS(void, CloseChosenPort, (), { await Module.zadeSerial.close(); });
// clang-format on

// A browser's timers and its delivery of bytes are coarse: bytes already
// waiting at open reach the page a millisecond or so after its first read.
// A shorter wait would end before them, and they would be taken for the echo.
constexpr std::uint32_t kShortestWaitMs = 50;

struct BrowserLine {
  bool WaitReadable(std::uint32_t ms) { return WaitForBytes(ms) != 0; }
  long ReadSome(std::uint8_t* buffer, std::uint32_t max) { return TakeBytes(buffer, max); }
};

}  // namespace

SerialPort::~SerialPort() {
  Close();
}

bool SerialPort::Open(const char*, std::uint32_t baudRate, std::uint32_t timeoutMs) {
  Close();
  failure_ = OpenFailure{};
  if (OpenChosenPort(baudRate) == 0) return false;
  open_ = true;
  return SetTimeouts(timeoutMs);
}

bool SerialPort::SetTimeouts(std::uint32_t timeoutMs) {
  timeoutMs_ = timeoutMs < kShortestWaitMs ? kShortestWaitMs : timeoutMs;
  return open_;
}

bool SerialPort::Read(std::uint8_t* buffer, std::uint32_t count) {
  return Receive(buffer, count) == count;
}

std::uint32_t SerialPort::Receive(std::uint8_t* buffer, std::uint32_t count) {
  if (!open_) return 0;
  BrowserLine line;
  return ReceiveWithTimeouts(line, buffer, count, timeoutMs_);
}

bool SerialPort::Write(const std::uint8_t* buffer, std::uint32_t count) {
  return open_ && WriteBytes(buffer, count) != 0;
}

bool SerialPort::Close() {
  if (!open_) return true;
  open_ = false;
  CloseChosenPort();
  return true;
}
