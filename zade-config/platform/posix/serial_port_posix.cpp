#include "serial_port_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "port_names.h"
#include "signals_posix.h"
#include "timed_read.h"

namespace {

OpenFailureKind FailureKindOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return OpenFailureKind::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
      return OpenFailureKind::Busy;
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
      return OpenFailureKind::NoSuchDevice;
    default:
      return OpenFailureKind::Unknown;
  }
}

class DeviceLine {
 public:
  explicit DeviceLine(int fd) : fd_(fd) {}
  bool WaitReadable(std::uint32_t ms) {
    pollfd waiting{fd_, POLLIN, 0};
    return poll(&waiting, 1, static_cast<int>(ms)) > 0;
  }
  long ReadSome(std::uint8_t* buffer, std::uint32_t max) { return read(fd_, buffer, max); }

 private:
  int fd_;
};

}  // namespace

SerialPort::~SerialPort() {
  Close();
}

// Opened without waiting for a carrier; exclusive against other lockers,
// root included (flock), and against other openers (TIOCEXCL). A descriptor
// that did not get the lock is closed as it is: the exclusive flag it would
// clear on the way out belongs to the holder.
bool SerialPort::Open(const char* name, std::uint32_t baudRate, std::uint32_t timeoutMs) {
  if (IsOpen()) return false;
  const EndingSignalsHeld held;
  failure_ = OpenFailure();
  const DevicePath device(name, std::getenv(name));
  if (device.Get() == nullptr) return Fail(OpenFailureKind::NoSuchDevice);
  fd_ = open(device.Get(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (!IsOpen()) return Fail(FailureKindOf(errno));
  if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(fd_);
    fd_ = -1;
    return Fail(FailureKindOf(error));
  }
  SetPortToRelease(fd_);
  if (ioctl(fd_, TIOCEXCL) == 0 && Configure(baudRate) && SetTimeouts(timeoutMs)) return true;
  Close();
  return false;
}

bool SerialPort::Fail(OpenFailureKind kind) {
  failure_.kind = kind;
  return false;
}

bool SerialPort::Configure(std::uint32_t baudRate) {
  termios line{};
  if (tcgetattr(fd_, &line) != 0) return false;
  cfmakeraw(&line);
  line.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
  line.c_cflag |= CS8 | CLOCAL | CREAD;
  line.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (cfsetspeed(&line, baudRate) != 0 || tcsetattr(fd_, TCSANOW, &line) != 0) return false;
  // A pty has no modem lines to drop.
  int modemLines = TIOCM_DTR | TIOCM_RTS;
  ioctl(fd_, TIOCMBIC, &modemLines);
  const int flags = fcntl(fd_, F_GETFL);
  return flags >= 0 && fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

bool SerialPort::SetTimeouts(std::uint32_t timeoutMs) {
  if (!IsOpen()) return false;
  timeoutMs_ = timeoutMs;
  return true;
}

bool SerialPort::Read(std::uint8_t* buffer, std::uint32_t count) {
  return Receive(buffer, count) == count;
}

std::uint32_t SerialPort::Receive(std::uint8_t* buffer, std::uint32_t count) {
  if (!IsOpen()) return 0;
  DeviceLine line(fd_);
  return ReceiveWithTimeouts(line, buffer, count, timeoutMs_);
}

bool SerialPort::Write(const std::uint8_t* buffer, std::uint32_t count) {
  if (!IsOpen()) return false;
  std::uint32_t written = 0;
  while (written < count) {
    const ssize_t now = write(fd_, buffer + written, count - written);
    if (now < 0 && errno == EINTR) continue;
    if (now <= 0) return false;
    written += static_cast<std::uint32_t>(now);
  }
  return true;
}

// The exclusive flag outlives the descriptor on a device someone else keeps
// open, so it is cleared first; the lock goes with the descriptor.
bool SerialPort::Close() {
  const EndingSignalsHeld held;
  if (IsOpen()) {
    ioctl(fd_, TIOCNXCL);
    close(fd_);
  }
  SetPortToRelease(-1);
  fd_ = -1;
  return true;
}
