// adapter-sim: the diagnostic adapter, simulated on a pseudo-terminal.
//
// The PC sends 5-byte requests 81 00 00 MM CS (CS: sum of the first four
// bytes). The adapter echoes each request, then replies with 5 bytes whose
// byte 3 is ~MM. This program plays the adapter on a pty and links the pty's
// device to a path a serial port (Wine's COMn) can point at. Options make it
// misbehave the ways the programs under test must survive.

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "line_rate.h"

namespace {

const char kUsage[] = R"(usage: adapter-sim LINK [options]

Plays the diagnostic adapter on a pseudo-terminal and makes LINK a symlink to
it, e.g. point Wine's COM1 at LINK to try a program without a car. Each 5-byte
request 81 00 00 MM CS is echoed, then answered with 81 00 00 ~MM CS.
Runs until SIGINT or SIGTERM, then removes LINK and exits 0.

options:
  --silent           never send anything
  --echo-only        echo each request, never reply
  --no-echo          reply without echoing
  --partial N        send only the first N (0-4) bytes of each reply
  --delay MS         wait MS milliseconds between echo and reply
  --reply-byte3 HEX  send HEX at reply byte 3 instead of ~MM
  --stale N          leave N (at most 4096) bytes EE queued on the line before
                     LINK appears
  --babble           keep the line full of 55 bytes, forever (it never falls
                     silent); requests are logged but get no answer
  --stall-writes     suspend the line's output, as a driver that never
                     completes a write does: a client's writes never return
  --log FILE         write each received byte to FILE as upper-case hex, all on
                     one line, space separated, no newline: "81 00 00 09 8A 81 ..."
  --settings FILE    at each request, append the line settings the client set,
                     unless unchanged since the last line written, e.g.
                     "baud=115200 data=8 parity=none stop=1 rtscts=off ixon=off ixoff=off"
                     (a Linux pty always has data=8 parity=none)

Exit status: 0 when stopped by a signal, 1 on a system error, 2 on bad usage.
)";

struct Options {
  const char* link = nullptr;
  bool silent = false;
  bool echo_only = false;
  bool no_echo = false;
  bool babble = false;
  bool stall_writes = false;
  long partial = 5;
  long delay_ms = 0;
  long reply_byte3 = -1;  // -1: the complement of the mode
  long stale = 0;
  const char* log_path = nullptr;
  const char* settings_path = nullptr;
};

bool parse_number(const char* text, int base, long max, long& out) {
  char* end = nullptr;
  errno = 0;
  out = std::strtol(text, &end, base);
  return errno == 0 && end != text && *end == '\0' && out >= 0 && out <= max;
}

bool parse_args(int argc, char** argv, Options& opt) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--silent") {
      opt.silent = true;
    } else if (arg == "--echo-only") {
      opt.echo_only = true;
    } else if (arg == "--no-echo") {
      opt.no_echo = true;
    } else if (arg == "--babble") {
      opt.babble = true;
    } else if (arg == "--stall-writes") {
      opt.stall_writes = true;
    } else if (arg[0] != '-' && !opt.link) {
      opt.link = argv[i];
    } else if (i + 1 == argc) {
      return false;
    } else {
      const char* value = argv[++i];
      bool ok = true;
      if (arg == "--partial") {
        ok = parse_number(value, 10, 4, opt.partial);
      } else if (arg == "--delay") {
        ok = parse_number(value, 10, 3600000, opt.delay_ms);
      } else if (arg == "--reply-byte3") {
        ok = parse_number(value, 16, 0xFF, opt.reply_byte3);
      } else if (arg == "--stale") {
        // The line's input buffer holds at least this much; more would block.
        ok = parse_number(value, 10, 4096, opt.stale);
      } else if (arg == "--log") {
        opt.log_path = value;
      } else if (arg == "--settings") {
        opt.settings_path = value;
      } else {
        ok = false;
      }
      if (!ok) return false;
    }
  }
  return opt.link != nullptr;
}

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "adapter-sim: %s: %s\n", what.c_str(), std::strerror(errno));
  std::exit(1);
}

// Stop signals stay blocked except inside ppoll, so one arriving just before
// a wait still ends that wait rather than being noticed only on the next byte.
volatile sig_atomic_t g_stop = 0;
sigset_t g_wait_mask;

void on_stop_signal(int) {
  g_stop = 1;
}

void install_stop_signals() {
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  struct sigaction action = {};
  action.sa_handler = on_stop_signal;
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    sigaddset(&stop_signals, sig);
    sigaction(sig, &action, nullptr);
  }
  sigprocmask(SIG_BLOCK, &stop_signals, &g_wait_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigdelset(&g_wait_mask, sig);
}

// Waits for events on fd (none if fd < 0) until the timeout (nullptr: none)
// or a stop signal. Returns the events that occurred.
short wait_for(int fd, short events, const timespec* timeout) {
  pollfd entry{fd, events, 0};
  if (ppoll(&entry, 1, timeout, &g_wait_mask) <= 0) return 0;
  // ppoll lets a pending signal in only when nothing is ready, so under a
  // steady stream of input a stop signal is let in here instead.
  sigset_t blocked;
  sigprocmask(SIG_SETMASK, &g_wait_mask, &blocked);
  sigprocmask(SIG_SETMASK, &blocked, nullptr);
  return entry.revents;
}

void pause_ms(long ms) {
  const timespec duration{ms / 1000, (ms % 1000) * 1000000};
  wait_for(-1, 0, &duration);
}

// The master is non-blocking so that babbling never stalls on a full line;
// other writes wait for room, unless asked to stop.
void write_all(int fd, const unsigned char* data, size_t size) {
  while (size > 0 && !g_stop) {
    const ssize_t written = write(fd, data, size);
    if (written >= 0) {
      data += written;
      size -= written;
    } else if (errno == EAGAIN) {
      wait_for(fd, POLLOUT, nullptr);
    } else if (errno != EINTR) {
      fail("writing to the line");
    }
  }
}

struct Line {
  int master = -1;
  int slave = -1;
  std::string slave_path;
};

Line open_line() {
  Line line;
  line.master = posix_openpt(O_RDWR | O_NOCTTY);
  if (line.master < 0 || grantpt(line.master) != 0 || unlockpt(line.master) != 0) {
    fail("creating a pseudo-terminal");
  }
  line.slave_path = ptsname(line.master);
  // Held open for good: while no client has the port open the master would
  // otherwise report a hang-up, between every close and reopen of the port.
  line.slave = open(line.slave_path.c_str(), O_RDWR | O_NOCTTY);
  termios settings{};
  if (line.slave < 0 || tcgetattr(line.slave, &settings) != 0) fail(line.slave_path);
  // Raw from the start: with echo on, the line would send our own bytes back.
  cfmakeraw(&settings);
  if (tcsetattr(line.slave, TCSANOW, &settings) != 0) fail(line.slave_path);
  fcntl(line.master, F_SETFL, fcntl(line.master, F_GETFL) | O_NONBLOCK);
  return line;
}

// On Linux the pty's settings are shared by both ends, so our own slave fd
// shows what the client set. The pty driver itself forces 8 data bits and no
// parity, whatever the client asks for.
std::string describe_settings(int slave) {
  termios s{};
  const long baud = line_rate(slave);
  if (baud < 0 || tcgetattr(slave, &s) != 0) return "unreadable";
  const tcflag_t size = s.c_cflag & CSIZE;
  const int data_bits = size == CS8 ? 8 : size == CS7 ? 7 : size == CS6 ? 6 : 5;
  const char* parity = !(s.c_cflag & PARENB) ? "none" : (s.c_cflag & PARODD) ? "odd" : "even";
  auto on_off = [](bool on) { return on ? "on" : "off"; };
  char text[160];
  std::snprintf(text, sizeof text, "baud=%ld data=%d parity=%s stop=%d rtscts=%s ixon=%s ixoff=%s",
                baud, data_bits, parity, (s.c_cflag & CSTOPB) ? 2 : 1, on_off(s.c_cflag & CRTSCTS),
                on_off(s.c_iflag & IXON), on_off(s.c_iflag & IXOFF));
  return text;
}

int open_record(const char* path) {
  if (!path) return -1;
  const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) fail(path);
  return fd;
}

void write_record(int fd, const std::string& text) {
  if (fd >= 0 && write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    fail("writing a record");
  }
}

class Adapter {
 public:
  Adapter(const Options& opt, const Line& line)
      : opt_(opt),
        line_(line),
        log_fd_(open_record(opt.log_path)),
        settings_fd_(open_record(opt.settings_path)) {}

  void run() {
    const short events = opt_.babble ? POLLIN | POLLOUT : POLLIN;
    while (!g_stop) {
      const short ready = wait_for(line_.master, events, nullptr);
      if (ready & POLLOUT) babble();
      if (ready & POLLIN) receive();
    }
  }

 private:
  // Refills the line whenever it has room, so a reader never meets a pause;
  // with nobody reading, the full line holds the simulator still.
  void babble() {
    unsigned char noise[256];
    std::memset(noise, 0x55, sizeof noise);
    [[maybe_unused]] const ssize_t sent = write(line_.master, noise, sizeof noise);
  }

  void receive() {
    unsigned char bytes[256];
    const ssize_t count = read(line_.master, bytes, sizeof bytes);
    if (count < 0 && errno != EAGAIN && errno != EINTR) fail("reading the line");
    for (ssize_t i = 0; i < count; ++i) take(bytes[i]);
  }

  void take(unsigned char byte) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%s%02X", logged_any_ ? " " : "", byte);
    write_record(log_fd_, hex);
    logged_any_ = true;

    if (received_ == 0 && settings_fd_ >= 0) {
      const std::string settings = describe_settings(line_.slave);
      if (settings != last_settings_) write_record(settings_fd_, settings + "\n");
      last_settings_ = settings;
    }
    request_[received_++] = byte;
    if (received_ == sizeof request_) {
      received_ = 0;
      answer();
    }
  }

  void answer() {
    if (opt_.babble) return;
    if (!opt_.silent && !opt_.no_echo) write_all(line_.master, request_, sizeof request_);
    const long reply_length = opt_.silent || opt_.echo_only ? 0 : opt_.partial;
    if (reply_length == 0) return;
    if (opt_.delay_ms > 0) pause_ms(opt_.delay_ms);
    const unsigned char mode = request_[3];
    unsigned char reply[5] = {0x81, 0x00, 0x00, static_cast<unsigned char>(~mode), 0};
    if (opt_.reply_byte3 >= 0) reply[3] = static_cast<unsigned char>(opt_.reply_byte3);
    reply[4] = static_cast<unsigned char>(reply[0] + reply[1] + reply[2] + reply[3]);
    write_all(line_.master, reply, reply_length);
  }

  const Options& opt_;
  const Line& line_;
  const int log_fd_;
  const int settings_fd_;
  bool logged_any_ = false;
  std::string last_settings_;
  unsigned char request_[5] = {};
  size_t received_ = 0;
};

// Swaps the new link in with one rename, so LINK never goes missing midway.
void create_link(const std::string& target, const std::string& link) {
  const std::string temporary = link + ".new-" + std::to_string(getpid());
  unlink(temporary.c_str());
  if (symlink(target.c_str(), temporary.c_str()) != 0) fail(temporary);
  if (rename(temporary.c_str(), link.c_str()) != 0) {
    unlink(temporary.c_str());
    fail(link);
  }
}

void remove_link(const std::string& target, const std::string& link) {
  char points_to[PATH_MAX];
  const ssize_t length = readlink(link.c_str(), points_to, sizeof points_to);
  // A newer simulator may have taken LINK over; leave its link alone.
  if (length >= 0 && std::string(points_to, length) == target) unlink(link.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  if (!parse_args(argc, argv, opt)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  install_stop_signals();
  const Line line = open_line();
  if (opt.stall_writes && tcflow(line.slave, TCOOFF) != 0) fail(line.slave_path);
  Adapter adapter(opt, line);

  // Queued before anyone can open the port, so the client finds them waiting.
  const std::string stale(opt.stale, '\xEE');
  write_all(line.master, reinterpret_cast<const unsigned char*>(stale.data()), stale.size());

  create_link(line.slave_path, opt.link);
  std::fprintf(stderr, "adapter-sim: %s -> %s\n", opt.link, line.slave_path.c_str());
  adapter.run();
  remove_link(line.slave_path, opt.link);
  return 0;
}
