// The adapter's mode command: one five-byte request that sets the CAN bus
// mode, echoed by the adapter, then a five-byte reply that reports the mode
// now in force as the complement of its byte 3.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "elapsed_time.h"

using CanBusMode = std::uint8_t;
using ModeFrame = std::array<std::uint8_t, 5>;

constexpr CanBusMode kMode500kDCan = 0x01;
constexpr CanBusMode kMode100kKCan = 0x09;
constexpr CanBusMode kModeCanOff = 0x00;

constexpr std::uint8_t kFormatByte = 0x81;  // format 0x80 with a one-byte payload
constexpr std::uint8_t kTargetAddress = 0x00;
constexpr std::uint8_t kSourceAddress = 0x00;
constexpr std::size_t kModeOffset = 3;
constexpr std::size_t kChecksumOffset = 4;

// The adapter's line, and how long an open may wait for it.
constexpr std::uint32_t kBaudRate = 115200;
constexpr std::uint32_t kOpenTimeoutMs = 2000;

constexpr std::uint32_t kDrainTimeoutMs = 1;
constexpr std::uint32_t kExchangeTimeoutMs = 500;
// A device that never falls silent must not keep the drain going for ever.
constexpr std::size_t kDrainMaxBytes = 4096;
constexpr std::uint32_t kDrainMaxTimeMs = 1000;

// Sum of bytes 0 to 3, modulo 256.
inline std::uint8_t FrameChecksum(const ModeFrame& frame) {
  return static_cast<std::uint8_t>(frame[0] + frame[1] + frame[2] + frame[3]);
}

inline CanBusMode ReportedMode(const ModeFrame& reply) {
  return static_cast<CanBusMode>(~reply[kModeOffset]);
}

// Discards whatever the device sent before the exchange, switches to the
// exchange timeout and presets the request header.
template <class Port>
void PrepareLine(Port& port, ModeFrame& frame) {
  port.SetTimeouts(kDrainTimeoutMs);
  const std::uint32_t started = MillisecondTick();
  std::uint8_t scratch = 0;
  for (std::size_t drained = 0; drained < kDrainMaxBytes && port.Read(&scratch, 1); ++drained) {
    if (MillisecondTick() - started >= kDrainMaxTimeMs) break;
  }
  port.SetTimeouts(kExchangeTimeoutMs);
  frame = {kFormatByte, kTargetAddress, kSourceAddress, 0x00, 0x00};
}

// Sends `mode`, consumes the adapter's echo and reads its reply. False when
// no five-byte reply came; otherwise `reported` is the mode now in force.
template <class Port>
bool SendMode(Port& port, ModeFrame& frame, CanBusMode mode, CanBusMode& reported) {
  frame[kModeOffset] = mode;
  frame[kChecksumOffset] = FrameChecksum(frame);
  port.Write(frame.data(), static_cast<std::uint32_t>(frame.size()));
  port.Read(frame.data(), static_cast<std::uint32_t>(frame.size()));  // the echo
  frame.fill(0);
  if (!port.Read(frame.data(), static_cast<std::uint32_t>(frame.size()))) return false;
  reported = ReportedMode(frame);
  return true;
}

// How an exchange that checks the adapter's echo ended.
enum class ExchangeEnd { Reply, NoAnswer, NoEcho };

// Sends `mode` as SendMode does, but takes the five bytes after the request
// for its echo only when they are the request: others (a babbling line, a late
// reply of an earlier run) end the exchange with NoEcho, and nothing more is
// read. `echo` keeps what was read in their place, `echoed` how many came.
// Port offers Receive(buffer, count), the bytes read under the timeouts.
template <class Port>
ExchangeEnd SendModeCheckingEcho(Port& port, ModeFrame& frame, CanBusMode mode, ModeFrame& echo,
                                 std::uint32_t& echoed, CanBusMode& reported) {
  frame[kModeOffset] = mode;
  frame[kChecksumOffset] = FrameChecksum(frame);
  echo.fill(0);
  port.Write(frame.data(), static_cast<std::uint32_t>(frame.size()));
  echoed = port.Receive(echo.data(), static_cast<std::uint32_t>(echo.size()));
  if (echoed == 0) return ExchangeEnd::NoAnswer;
  if (echoed != echo.size() || echo != frame) return ExchangeEnd::NoEcho;
  ModeFrame reply{};
  if (!port.Read(reply.data(), static_cast<std::uint32_t>(reply.size()))) {
    return ExchangeEnd::NoAnswer;
  }
  reported = ReportedMode(reply);
  return ExchangeEnd::Reply;
}
