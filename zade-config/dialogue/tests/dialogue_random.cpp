// Randomized sessions of the whole dialogue: random typed input against a
// random adapter on the virtual clock. Whatever is drawn, the program must end
// in bounded time with 0 or -1, send nothing but well-formed requests, reopen
// the port once per menu answer, wait for a key only at its very end, and
// print nothing but its own texts.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogue.h"
#include "dialogue_draw.h"
#include "doubles.h"
#include "session_runner.h"
#include "timed_port.h"
#include "virtual_clock.h"

namespace {

// --- What the session did -------------------------------------------------

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  std::string hex;
  for (const std::uint8_t byte : bytes) {
    char code[4];
    std::snprintf(code, sizeof code, "%02X ", byte);
    hex += code;
  }
  return hex;
}

// The port the answers name, as a C string: a NUL answer ends the name.
std::string PortName(const std::string& answers) {
  char name[] = "COM1";
  if (!answers.empty()) name[3] = answers[0];
  return name;
}

// --- Checking the log -------------------------------------------------------

const char kPressEnter[] = "Press Enter...";
const char kModePrompt[] = "Input CAN BUS MODE : ";
const char kNoAnswer[] = "\nNo answer read: nothing was sent to the adapter.\n";
const char kAdapterError[] = "\nError, adapter not conected!!!\n";
const char kResult[] = "\nOK!!!\n";
const char kModeValue[] = "CAN BUS mode = ";

// Every text the program writes, and the marks the doubles log for the
// console's and port's other calls.
const char* const kFixedTokens[] = {
    "[move 0,0]",
    "[blanks]",
    "[read]",
    "[wait]",
    "[close]",
    "[timeouts 1]",
    "[timeouts 500]",
    "1.Connect D-CAN adapter to USB port\n2.Connect D-CAN adapter to car OBD connector.\n",
    "3.Enter COM port number '1,2,3...': ",
    "                   ORX D-CAN USB INTERFACE                   \n",
    "                       www.example.com                      \n",
    "------------------------------------------------------------\n",
    "           1 - Write config.        0 - Exit                \n",
    kPressEnter,
    kNoAnswer,
    "\n",
    "------------ CAN MODE ------------\n",
    "1 = 500 kbit/s D-CAN and PTCAN\n9 = 100 kbit/s K-CAN\n0 = CAN OFF\n",
    "----------------------------------\n",
    kModePrompt,
    kAdapterError,
    kResult,
    "    ( 500 kbit/s - D-CAN and PT-CAN )",
    "    ( 100 kbit/s - K-CAN )",
    "    ( CAN OFF )"};

bool IsUpperHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// "CAN BUS mode = %2X" of some byte at `at`, or 0.
std::size_t ModeValueLength(const std::string& log, std::size_t at) {
  const std::size_t prefix = sizeof kModeValue - 1;
  if (log.compare(at, prefix, kModeValue) != 0 || log.size() < at + prefix + 2) return 0;
  const char high = log[at + prefix];
  const char low = log[at + prefix + 1];
  return (high == ' ' || IsUpperHexDigit(high)) && IsUpperHexDigit(low) ? prefix + 2 : 0;
}

// Cuts the log into known tokens, longest first; false, with the rest of the
// log in `unknown`, at the first thing that is none of them.
bool Tokenize(const std::string& log, std::vector<std::string> known,
              std::vector<std::string>& tokens, std::string& unknown) {
  std::sort(known.begin(), known.end(),
            [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  for (std::size_t at = 0; at < log.size();) {
    std::size_t length = ModeValueLength(log, at);
    for (auto it = known.begin(); length == 0 && it != known.end(); ++it) {
      if (log.compare(at, it->size(), *it) == 0) length = it->size();
    }
    if (length == 0) {
      unknown = log.substr(at, 200);
      return false;
    }
    tokens.push_back(log.substr(at, length));
    at += length;
  }
  return true;
}

// One answer read, and the port calls that followed it before the next.
struct Reading {
  enum Question { kPort, kMenu, kMode } question;
  bool answered;
  char answer;
  int closes = 0;
  int opens = 0;
  bool closedRightBeforeOpen = true;
};

std::vector<Reading> Readings(const std::vector<std::string>& tokens, const std::string& answers,
                              std::vector<std::string>& problems) {
  std::vector<Reading> readings;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const bool close = tokens[i] == "[close]";
    const bool open = tokens[i].rfind("[open ", 0) == 0;
    if (tokens[i] == "[read]") {
      const std::size_t index = readings.size();
      const auto question = index == 0                              ? Reading::kPort
                            : i > 0 && tokens[i - 1] == kModePrompt ? Reading::kMode
                                                                    : Reading::kMenu;
      const bool answered = index < answers.size();
      readings.push_back({question, answered, answered ? answers[index] : '\0'});
    } else if ((close || open) && readings.empty()) {
      problems.push_back("the port was opened or closed before any answer");
    } else if (close) {
      ++readings.back().closes;
    } else if (open) {
      ++readings.back().opens;
      if (i == 0 || tokens[i - 1] != "[close]") readings.back().closedRightBeforeOpen = false;
    }
  }
  return readings;
}

void CheckReopens(const std::vector<Reading>& readings, std::vector<std::string>& problems) {
  for (const Reading& reading : readings) {
    const bool reopens = reading.question == Reading::kMenu && reading.answered;
    const int expected = reopens ? 1 : 0;
    if (reading.closes != expected || reading.opens != expected || !reading.closedRightBeforeOpen) {
      problems.push_back("after an answer the port was closed " + std::to_string(reading.closes) +
                         " and opened " + std::to_string(reading.opens) + " times, not " +
                         std::to_string(expected));
    }
  }
}

void CheckKeyWaits(const std::vector<std::string>& tokens, std::vector<std::string>& problems) {
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i] == "[wait]" && (i == 0 || tokens[i - 1] != kPressEnter)) {
      problems.push_back("a key wait without \"Press Enter...\" right before it");
    }
    if (tokens[i] == "[wait]" && i + 1 != tokens.size()) {
      problems.push_back("the program went on after a key wait");
    }
    if (tokens[i] == kPressEnter && (i + 1 == tokens.size() || tokens[i + 1] != "[wait]")) {
      problems.push_back("\"Press Enter...\" without a key wait");
    }
  }
}

// The path the session took, from the texts that end it; "" when none fits.
std::string EndingPath(const std::vector<std::string>& tokens, const std::string& portName,
                       const std::vector<Reading>& readings) {
  const auto has = [&](const std::string& text) {
    return std::find(tokens.begin(), tokens.end(), text) != tokens.end();
  };
  const auto last = [&](std::size_t fromEnd) {
    return tokens.size() > fromEnd ? tokens[tokens.size() - 1 - fromEnd] : std::string();
  };
  const bool keyWaitAfter = last(0) == "[wait]";
  if (has(kResult) && keyWaitAfter) return "result shown";
  if (last(2) == "Error: " + portName + " in use or does not exist.\n" && keyWaitAfter) {
    return "port open error";
  }
  if (last(2) == kAdapterError && keyWaitAfter) return "adapter error";
  if (last(0) == kNoAnswer) {
    return readings.back().question == Reading::kMode ? "no answer at the CAN mode question"
                                                      : "no answer at the menu";
  }
  const Reading& lastRead = readings.back();
  if (last(0).rfind("[open ", 0) == 0 && lastRead.answered && lastRead.answer == '0') {
    return "exit answer";
  }
  return "";
}

void CheckRequests(const TimedPort& port, const std::vector<Reading>& readings,
                   std::vector<std::string>& problems) {
  if (port.callsWhileClosed > 0) problems.push_back("the port was used while closed");
  const std::vector<std::uint8_t>& sent = port.written;
  if (sent.empty()) return;
  const Reading& modeReading = readings.back();
  const bool modeAnswered = modeReading.question == Reading::kMode && modeReading.answered;
  const auto mode = static_cast<std::uint8_t>(modeReading.answer - '0');
  const std::uint8_t checksum = static_cast<std::uint8_t>(0x81 + mode);
  const std::vector<std::uint8_t> request = {0x81, 0x00, 0x00, mode, checksum};
  if (!modeAnswered || sent != request) {
    problems.push_back("sent " + Hex(sent) + "instead of one request for the mode answered");
  }
}

void CheckTimes(const TimedPort& port, std::uint64_t tookUs, std::vector<std::string>& problems,
                std::vector<std::string>& paths) {
  // The drain, then at most two frame reads of 5 bytes.
  constexpr std::uint64_t kDrainBoundUs = (kDrainMaxTimeMs + 10) * 1000;
  constexpr std::uint64_t kSessionBoundUs = kDrainBoundUs + 2 * 6 * kExchangeTimeoutMs * 1000;
  if (tookUs > kSessionBoundUs) {
    problems.push_back("took " + std::to_string(tookUs) + " us of virtual time");
  }
  for (const TimeoutPeriod& period : port.periods) {
    if (period.timeoutMs != kDrainTimeoutMs) continue;
    if (period.reads > kDrainMaxBytes || period.endUs - period.startUs > kDrainBoundUs) {
      problems.push_back("the drain made " + std::to_string(period.reads) + " reads in " +
                         std::to_string(period.endUs - period.startUs) + " us");
    }
    if (period.completeReads == kDrainMaxBytes) {
      paths.push_back("drain stopped at its byte bound");
    } else if (period.reads > 0 && period.completeReads == period.reads) {
      paths.push_back("drain stopped at its time bound");
    }
  }
}

SessionResult RunSession(std::uint64_t seed) {
  const DrawnSession drawn = Draw(seed);
  const std::string answers = Answers(drawn.typed);
  const std::string portName = PortName(answers);

  TheVirtualClock().SetUs(drawn.clockStartUs);
  std::string log;
  FakeConsole console(drawn.typed, log);
  TimedPort port(log, drawn.timing);
  if (drawn.adapterPresent) port.adapter = &drawn.adapter;
  port.staleOnOpen = drawn.stale;
  if (drawn.portMissing) port.unopenable = portName;

  SessionResult result;
  int status = 0;
  try {
    status = RunDialogue(port, console);
  } catch (const std::runtime_error& runaway) {
    result.problems.push_back(std::string("did not end: ") + runaway.what());
  }
  port.EndPeriod();
  result.description = Describe(drawn) + "  log: " + Printable(log) +
                       "\n  sent: " + Hex(port.written) + "\n  status: " + std::to_string(status);
  if (!result.problems.empty()) return result;

  if (status != kExitOk && status != kExitFailed) {
    result.problems.push_back("ended with status " + std::to_string(status));
  }
  std::vector<std::string> known(std::begin(kFixedTokens), std::end(kFixedTokens));
  known.push_back("[open " + portName + " 115200 2000]");
  known.push_back("Error: " + portName + " in use or does not exist.\n");
  std::vector<std::string> tokens;
  std::string unknown;
  if (!Tokenize(log, known, tokens, unknown)) {
    result.problems.push_back("printed or did what it should not: \"" + Printable(unknown) + "\"");
    return result;
  }
  const std::vector<Reading> readings = Readings(tokens, answers, result.problems);
  if (readings.empty()) {
    result.problems.push_back("never read an answer");
    return result;
  }
  CheckReopens(readings, result.problems);
  CheckKeyWaits(tokens, result.problems);
  CheckRequests(port, readings, result.problems);
  CheckTimes(port, TheVirtualClock().NowUs() - drawn.clockStartUs, result.problems, result.paths);

  const std::string path = EndingPath(tokens, portName, readings);
  const bool succeeded = path == "result shown" || path == "exit answer";
  if (path.empty()) {
    result.problems.push_back("ended without one of the dialogue's endings");
  } else if (status != (succeeded ? kExitOk : kExitFailed)) {
    result.problems.push_back("ended with status " + std::to_string(status) + " after " + path);
  }
  result.paths.push_back(path);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  return RunRandomizedSuite(argc, argv, "zade-config randomized sessions",
                            {"result shown", "exit answer", "port open error", "adapter error",
                             "no answer at the menu", "no answer at the CAN mode question",
                             "drain stopped at its byte bound", "drain stopped at its time bound"},
                            RunSession);
}
