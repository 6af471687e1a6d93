// Test doubles for the dialogue's console and serial port. Both append to one
// event log so tests can check the order of screens, answers and port calls.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "answer_input.h"
#include "open_failure.h"
#include "screen.h"

class FakeConsole {
 public:
  FakeConsole(const std::string& typed, std::string& log) : log_(log), in_(std::tmpfile()) {
    std::fwrite(typed.data(), 1, typed.size(), in_);  // NUL bytes included
    std::rewind(in_);
  }
  ~FakeConsole() { std::fclose(in_); }
  FakeConsole(const FakeConsole&) = delete;
  FakeConsole& operator=(const FakeConsole&) = delete;

  void Write(const char* text) {
    const bool clearing = std::string(text) == kClearBlanks.text;
    log_ += clearing ? "[blanks]" : text;
    if (!clearing) screen += text;
  }
  void MoveCursor(std::int8_t x, std::int8_t y) {
    log_ += "[move " + std::to_string(x) + "," + std::to_string(y) + "]";
  }
  void WaitKey() {
    log_ += "[wait]";
    ++waits;
  }
  bool ReadChar(char& answer) {
    log_ += "[read]";
    return ExtractChar(in_, answer);
  }

  std::string screen;  // everything written but the clearing blanks
  int waits = 0;

 private:
  std::string& log_;
  std::FILE* in_;
};

// The adapter behind the port: how it reacts to a five-byte request.
struct FakeAdapter {
  bool echoes = true;
  std::vector<std::uint8_t> between;  // garbage it sends between echo and reply
  std::size_t replyBytes = 5;         // fewer makes a partial reply
  int replyByte3 = -1;                // -1: the complement of the requested mode

  std::vector<std::uint8_t> Response(const std::uint8_t* request) const {
    std::vector<std::uint8_t> response;
    if (echoes) response.assign(request, request + 5);
    response.insert(response.end(), between.begin(), between.end());
    const std::uint8_t byte3 = replyByte3 < 0 ? static_cast<std::uint8_t>(~request[3])
                                              : static_cast<std::uint8_t>(replyByte3);
    const std::uint8_t reply[5] = {0x55, 0xAA, 0x12, byte3, 0x34};  // only byte 3 matters
    response.insert(response.end(), reply, reply + replyBytes);
    return response;
  }
};

class FakePort {
 public:
  explicit FakePort(std::string& log) : log_(log) {}

  bool Open(const char* name, std::uint32_t baudRate, std::uint32_t timeoutMs) {
    log_ += "[open " + std::string(name) + " " + std::to_string(baudRate) + " " +
            std::to_string(timeoutMs) + "]";
    if (open_ || unopenable == name) return false;
    open_ = true;
    incoming.insert(incoming.end(), staleOnOpen.begin(), staleOnOpen.end());
    return true;
  }
  bool Close() {
    log_ += "[close]";
    open_ = false;
    return true;
  }
  bool SetTimeouts(std::uint32_t timeoutMs) {
    log_ += "[timeouts " + std::to_string(timeoutMs) + "]";
    return open_;
  }
  bool Read(std::uint8_t* buffer, std::uint32_t count) { return Receive(buffer, count) == count; }
  std::uint32_t Receive(std::uint8_t* buffer, std::uint32_t count) {
    std::uint32_t got = 0;
    for (; open_ && got < count && !incoming.empty(); ++got) {
      buffer[got] = incoming.front();
      incoming.pop_front();
    }
    return got;
  }
  bool Write(const std::uint8_t* buffer, std::uint32_t count) {
    if (!open_) return false;
    written.insert(written.end(), buffer, buffer + count);
    if (adapter && count == 5) {
      const std::vector<std::uint8_t> response = adapter->Response(buffer);
      incoming.insert(incoming.end(), response.begin(), response.end());
    }
    return true;
  }
  bool IsOpen() const { return open_; }
  const OpenFailure& LastOpenFailure() const { return failure; }

  std::string unopenable;                 // a port name no device answers to
  OpenFailure failure;                    // why it does not
  std::vector<std::uint8_t> staleOnOpen;  // what the device sent before the exchange
  const FakeAdapter* adapter = nullptr;   // none: a silent line
  std::deque<std::uint8_t> incoming;
  std::vector<std::uint8_t> written;

 private:
  std::string& log_;
  bool open_ = false;
};
