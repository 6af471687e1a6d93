// Runs the simulated adapter as a child process and talks to it through LINK
// the way the programs under test open their COM port.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// rate_by_number.cpp
bool set_rate_by_number(int fd, unsigned baud);

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

const Bytes kRequest09 = {0x81, 0x00, 0x00, 0x09, 0x8A}, kReply09 = {0x81, 0x00, 0x00, 0xF6, 0x77};
const Bytes kRequest01 = {0x81, 0x00, 0x00, 0x01, 0x82}, kReply01 = {0x81, 0x00, 0x00, 0xFE, 0x7F};
const Bytes kRequest00 = {0x81, 0x00, 0x00, 0x00, 0x81}, kReply00 = {0x81, 0x00, 0x00, 0xFF, 0x80};

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The simulator, run in a private directory (where relative --log and
// --settings files land) with LINK there; stopped with SIGTERM at the end.
class Sim {
 public:
  explicit Sim(std::vector<std::string> args = {}, bool file_at_link = false) {
    char dir[] = "/tmp/adapter-sim-test-XXXXXX";
    dir_ = mkdtemp(dir);
    link = dir_ + "/com1";
    if (file_at_link) std::ofstream(link) << "left over";
    args.insert(args.begin(), {ADAPTER_SIM_PATH, link});
    pid_ = fork();
    if (pid_ == 0) {
      std::vector<char*> argv;
      for (auto& arg : args) argv.push_back(arg.data());
      argv.push_back(nullptr);
      if (chdir(dir_.c_str()) == 0) execv(argv[0], argv.data());
      _exit(127);
    }
  }
  Sim(const Sim&) = delete;
  Sim& operator=(const Sim&) = delete;
  ~Sim() {
    stop();
    fs::remove_all(dir_);
  }

  bool ready() const {  // LINK becomes a symlink within 5 s
    for (int i = 0; i < 500 && !fs::is_symlink(fs::symlink_status(link)); ++i) usleep(10000);
    return fs::is_symlink(fs::symlink_status(link));
  }
  int stop() {  // the exit status after SIGTERM; -1 if it had to be killed
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 500; ++i, usleep(10000)) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return -1;
  }
  std::string read(const std::string& name) const {
    std::stringstream text;
    text << std::ifstream(dir_ + "/" + name).rdbuf();
    return text.str();
  }
  pid_t pid() const { return pid_; }

  std::string link;

 private:
  std::string dir_;
  pid_t pid_ = -1;
};

// The port as the programs open it: raw 115200 8N1, no flow control, set
// without flushing what is queued.
struct Port {
  explicit Port(const std::string& path) : fd(open(path.c_str(), O_RDWR | O_NOCTTY)) {
    termios line{};
    tcgetattr(fd, &line);
    cfmakeraw(&line);
    cfsetspeed(&line, B115200);
    line.c_cflag = (line.c_cflag & ~(CSTOPB | CRTSCTS)) | CLOCAL | CREAD;
    tcsetattr(fd, TCSANOW, &line);
  }
  ~Port() { close(fd); }
  bool send(const Bytes& bytes) {
    return write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  // What arrives until the line is quiet for quiet_ms, or total_ms have passed.
  Bytes receive(int quiet_ms = 300, int total_ms = 5000) {
    Bytes got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(total_ms);
    pollfd entry{fd, POLLIN, 0};
    unsigned char chunk[4096];
    while (std::chrono::steady_clock::now() < end && poll(&entry, 1, quiet_ms) > 0) {
      const ssize_t count = ::read(fd, chunk, sizeof chunk);
      if (count <= 0) break;
      got.insert(got.end(), chunk, chunk + count);
    }
    return got;
  }

  const int fd;
};

struct AnswerCase {
  const char* name;
  std::vector<std::string> options;
  Bytes expected;
};

class AdapterAnswers : public testing::TestWithParam<AnswerCase> {};

TEST_P(AdapterAnswers, SendsExactlyTheseBytesForOneRequest) {
  Sim sim(GetParam().options);
  ASSERT_TRUE(sim.ready());
  Port port(sim.link);
  ASSERT_TRUE(port.send(kRequest09));
  EXPECT_EQ(port.receive(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Options, AdapterAnswers,
    testing::Values(AnswerCase{"Default", {}, kRequest09 + kReply09},
                    AnswerCase{"Silent", {"--silent"}, {}},
                    AnswerCase{"EchoOnly", {"--echo-only"}, kRequest09},
                    AnswerCase{"NoEcho", {"--no-echo"}, kReply09},
                    AnswerCase{"Partial2", {"--partial", "2"}, kRequest09 + Bytes{0x81, 0x00}},
                    AnswerCase{"Partial0", {"--partial", "0"}, kRequest09},
                    AnswerCase{"SilentOverridesPartial", {"--partial", "3", "--silent"}, {}},
                    AnswerCase{"ReplyByte3", {"--reply-byte3", "00"}, kRequest09 + kRequest00}),
    [](const testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

TEST(AdapterReplies, FramesRequestsWhateverTheWriteBoundaries) {
  Sim sim;
  ASSERT_TRUE(sim.ready());
  Port port(sim.link);
  const Bytes both = kRequest01 + kRequest00;
  ASSERT_TRUE(port.send(Bytes(both.begin(), both.begin() + 2)));
  usleep(100000);
  ASSERT_TRUE(port.send(Bytes(both.begin() + 2, both.end())));
  EXPECT_EQ(port.receive(), kRequest01 + kReply01 + kRequest00 + kReply00);
}

TEST(AdapterReplies, DelayHoldsBackOnlyTheReply) {
  Sim sim({"--delay", "1000"});
  ASSERT_TRUE(sim.ready());
  Port port(sim.link);
  ASSERT_TRUE(port.send(kRequest09));
  EXPECT_EQ(port.receive(300), kRequest09);
  EXPECT_EQ(port.receive(1500), kReply09);
}

TEST(AdapterLine, StaleBytesWaitForAClientThatOpensLater) {
  Sim sim({"--stale", "4096"});
  ASSERT_TRUE(sim.ready());
  usleep(200000);
  Port port(sim.link);
  EXPECT_EQ(port.receive(), Bytes(4096, 0xEE));
  ASSERT_TRUE(port.send(kRequest09));
  EXPECT_EQ(port.receive(), kRequest09 + kReply09);
}

// With no client on the line the master end would report a hang-up, unless
// the simulator keeps the line up itself; its poll loop would then spin.
TEST(AdapterLine, IdlesWhileTheClientIsAwayAndServesItAgain) {
  Sim sim;
  ASSERT_TRUE(sim.ready());
  EXPECT_TRUE(Port(sim.link).send(kRequest09));  // closed before the answer comes
  usleep(1000000);
  std::ifstream stat("/proc/" + std::to_string(sim.pid()) + "/stat");
  std::string field;
  long cpu_ticks = 0;
  for (int i = 1; i <= 15 && stat >> field; ++i) {
    if (i >= 14) cpu_ticks += std::stol(field);  // user and system time
  }
  EXPECT_LT(cpu_ticks, sysconf(_SC_CLK_TCK) / 3);

  Port port(sim.link);
  EXPECT_EQ(port.receive(), kRequest09 + kReply09);
  ASSERT_TRUE(port.send(kRequest01));
  EXPECT_EQ(port.receive(), kRequest01 + kReply01);
}

TEST(AdapterLine, BabbleNeverFallsSilentAndOnlyLogsRequests) {
  Sim sim({"--babble", "--log", "log"});
  ASSERT_TRUE(sim.ready());
  Port port(sim.link);
  ASSERT_TRUE(port.send(kRequest09));
  const Bytes heard = port.receive(300, 1000);
  EXPECT_GT(heard.size(), 16384u);  // more than the line holds: it was refilled
  EXPECT_EQ(std::count(heard.begin(), heard.end(), 0x55), static_cast<long>(heard.size()));
  EXPECT_EQ(sim.read("log"), "81 00 00 09 8A");
}

// A client's write never gets through: the line takes nothing.
TEST(AdapterLine, StalledWritesNeverGetThrough) {
  Sim sim({"--stall-writes", "--log", "log"});
  ASSERT_TRUE(sim.ready());
  Port port(sim.link);
  pollfd entry{port.fd, POLLOUT, 0};
  EXPECT_EQ(poll(&entry, 1, 500), 0) << "the line would take a write";
  EXPECT_EQ(sim.read("log"), "");
}

TEST(AdapterRecords, LogsEveryByteAndCleansUpOnSigterm) {
  Sim sim({"--log", "log"}, true);
  ASSERT_TRUE(sim.ready());
  Port port(sim.link);
  ASSERT_TRUE(port.send(kRequest09));
  port.receive();
  ASSERT_TRUE(port.send(kRequest01));
  port.receive();
  EXPECT_EQ(sim.stop(), 0);
  EXPECT_EQ(sim.read("log"), "81 00 00 09 8A 81 00 00 01 82");
  EXPECT_FALSE(fs::exists(fs::symlink_status(sim.link)));
}

TEST(AdapterRecords, SettingsGainALineWhenTheClientChangesThem) {
  Sim sim({"--settings", "settings"});
  ASSERT_TRUE(sim.ready());
  Port port(sim.link);
  enum Change { kNone, kCodedRateAndFraming, kRateByNumber };
  for (Change change : {kNone, kCodedRateAndFraming, kNone, kRateByNumber}) {
    termios line{};
    tcgetattr(port.fd, &line);
    if (change == kCodedRateAndFraming) {
      cfsetspeed(&line, B9600);
      line.c_cflag |= CSTOPB | CRTSCTS;
      line.c_iflag |= IXOFF;
    }
    tcsetattr(port.fd, TCSANOW, &line);
    if (change == kRateByNumber) {
      ASSERT_TRUE(set_rate_by_number(port.fd, 115200));
    }
    ASSERT_TRUE(port.send(kRequest09));
    port.receive();
  }
  EXPECT_EQ(sim.read("settings"),
            "baud=115200 data=8 parity=none stop=1 rtscts=off ixon=off ixoff=off\n"
            "baud=9600 data=8 parity=none stop=2 rtscts=on ixon=off ixoff=on\n"
            "baud=115200 data=8 parity=none stop=2 rtscts=on ixon=off ixoff=on\n");
}

TEST(AdapterUsage, BadUsageExitsWithStatus2AndExplains) {
  // The link's directory does not exist: a wrongly accepted command fails fast.
  for (const char* args : {"", "/nonexistent/com1 --partial 5", "/nonexistent/com1 --delay",
                           "/nonexistent/com1 --reply-byte3 zz", "/nonexistent/com1 --stale -1",
                           "/nonexistent/com1 --bogus"}) {
    SCOPED_TRACE(args);
    const std::string command = std::string("timeout 5 '") + ADAPTER_SIM_PATH + "' " + args;
    FILE* out = popen((command + " 2>&1").c_str(), "r");
    ASSERT_NE(out, nullptr);
    std::string text(4096, '\0');
    text.resize(fread(text.data(), 1, text.size(), out));
    const int status = pclose(out);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
    EXPECT_NE(text.find("usage: adapter-sim LINK"), std::string::npos);
  }
}

}  // namespace
