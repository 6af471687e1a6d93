#include "session_runner.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
#define UNDER_SANITIZERS 1
// A fatal sanitizer report ends in abort(), whose handler below names the
// seed. (Each sanitizer runtime keeps its own death callbacks, so abort() is
// the one way to hear of both.)
extern "C" const char* __asan_default_options() {
  return "abort_on_error=1";
}
extern "C" const char* __ubsan_default_options() {
  return "abort_on_error=1:print_stacktrace=1";
}
#endif

namespace {

using Seed = unsigned long long;

constexpr Seed kDefaultSessions = 10000;
constexpr unsigned kSessionLimitSeconds = 60;
constexpr int kFailuresShown = 5;
// Fewer sessions than this may well miss a rare path without anything being wrong.
constexpr Seed kPathCheckMinimum = 1000;

// The report of the session in progress, written from signal handlers,
// which may only make async-signal-safe calls: it is formatted before each
// session starts.
char inProgress[512];
int inProgressLength = 0;

void PrepareInProgressReport(const char* program, Seed seed) {
  inProgressLength = std::snprintf(
      inProgress, sizeof inProgress,
      "\n*** the session of seed %llu did not end normally (crash, sanitizer report or over "
      "%u s)\n*** replay: %s --seed %llu\n",
      seed, kSessionLimitSeconds, program, seed);
}

void WriteInProgressReport() {
  if (inProgressLength > 0) {
    const ssize_t ignored = write(STDERR_FILENO, inProgress, inProgressLength);
    (void)ignored;  // nothing more can be done for a dying process
  }
}

extern "C" void OnSessionLimit(int) {
  WriteInProgressReport();
  _exit(EXIT_FAILURE);
}

extern "C" void OnCrash(int signalNumber) {
  WriteInProgressReport();
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

void InstallInProgressReports() {
  signal(SIGALRM, OnSessionLimit);
  signal(SIGABRT, OnCrash);
#ifndef UNDER_SANITIZERS
  // Under the sanitizers these end in their report and abort().
  for (int signalNumber : {SIGSEGV, SIGBUS, SIGFPE}) signal(signalNumber, OnCrash);
#endif
}

struct Options {
  Seed sessions = kDefaultSessions;
  bool single = false;
  Seed seed = 0;
  bool freshGiven = false;
  Seed freshSeed = 0;
};

bool ParseNumber(const char* text, Seed& number) {
  char* end = nullptr;
  number = std::strtoull(text, &end, 0);
  return *text != '\0' && *end == '\0';
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 == argc) return false;
    const char* value = argv[++i];
    if (option == "--seed") {
      options.single = true;
      if (!ParseNumber(value, options.seed)) return false;
    } else if (option == "--sessions") {
      if (!ParseNumber(value, options.sessions)) return false;
    } else if (option == "--fresh-seed") {
      options.freshGiven = true;
      if (!ParseNumber(value, options.freshSeed)) return false;
    } else {
      return false;
    }
  }
  return true;
}

Seed NewFreshSeed() {
  std::random_device device;
  const Seed now = std::chrono::steady_clock::now().time_since_epoch().count();
  return (static_cast<Seed>(device()) << 32 ^ device()) ^ now;
}

class SuiteRun {
 public:
  SuiteRun(const char* program, const Session& session) : program_(program), session_(session) {}

  // True when the session passed.
  bool Run(Seed seed, bool describe) {
    PrepareInProgressReport(program_, seed);
    alarm(kSessionLimitSeconds);
    SessionResult result;
    try {
      result = session_(seed);
    } catch (const std::exception& stopped) {
      result.problems.push_back(std::string("the session was stopped: ") + stopped.what());
    }
    alarm(0);
    for (const std::string& path : result.paths) ++pathCounts_[path];
    if (describe) std::printf("seed %llu\n%s\n", seed, result.description.c_str());
    if (result.problems.empty()) {
      ++passed_;
      return true;
    }
    if (++failed_ <= kFailuresShown) Report(seed, result, describe);
    return false;
  }

  Seed passed() const { return passed_; }
  Seed failed() const { return failed_; }
  const std::map<std::string, Seed>& pathCounts() const { return pathCounts_; }

 private:
  void Report(Seed seed, const SessionResult& result, bool described) const {
    std::printf("FAILED: the session of seed %llu\n", seed);
    for (const std::string& problem : result.problems) std::printf("  %s\n", problem.c_str());
    if (!described) std::printf("  drawn:\n%s\n", result.description.c_str());
    std::printf("  replay: %s --seed %llu\n", program_, seed);
  }

  const char* program_;
  const Session& session_;
  Seed passed_ = 0;
  Seed failed_ = 0;
  std::map<std::string, Seed> pathCounts_;
};

}  // namespace

std::string Printable(const std::string& text) {
  std::string printable;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      printable += "\\n";
    } else if (byte >= 0x20 && byte < 0x7F && c != '\\') {
      printable += c;
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", byte);
      printable += code;
    }
  }
  return printable;
}

int RunRandomizedSuite(int argc, char** argv, const char* suiteName,
                       const std::vector<std::string>& expectedPaths, const Session& session) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: %s [--sessions N] [--fresh-seed F] | --seed S\n", argv[0]);
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  InstallInProgressReports();
  SuiteRun run(argv[0], session);

  if (options.single) {
    const bool passed = run.Run(options.seed, true);
    for (const auto& [path, count] : run.pathCounts()) std::printf("path: %s\n", path.c_str());
    std::printf("%s: %s\n", suiteName, passed ? "1 passed, 0 failed" : "0 passed, 1 failed");
    return passed ? EXIT_SUCCESS : EXIT_FAILURE;
  }

  const Seed fresh = options.freshGiven ? options.freshSeed : NewFreshSeed();
  const Seed count = options.sessions;
  std::printf("%s: %llu sessions of the fixed seeds 1..%llu, %llu of the fresh seeds %llu..%llu\n",
              suiteName, count, count, count, fresh, fresh + count - 1);
  std::printf("replay this run: %s --sessions %llu --fresh-seed %llu\n", argv[0], count, fresh);

  const auto started = std::chrono::steady_clock::now();
  for (Seed i = 0; i < count; ++i) run.Run(1 + i, false);
  for (Seed i = 0; i < count; ++i) run.Run(fresh + i, false);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;

  std::printf("paths taken:\n");
  for (const auto& [path, times] : run.pathCounts()) {
    std::printf("  %-40s %llu\n", path.c_str(), times);
  }
  bool everyPathTaken = true;
  for (const std::string& path : expectedPaths) {
    if (count >= kPathCheckMinimum && run.pathCounts().count(path) == 0) {
      std::printf("FAILED: no session took the path '%s'\n", path.c_str());
      everyPathTaken = false;
    }
  }
  std::printf("%s: %llu sessions in %.1f s: %llu passed, %llu failed\n", suiteName,
              run.passed() + run.failed(), took.count(), run.passed(), run.failed());
  return run.failed() == 0 && everyPathTaken ? EXIT_SUCCESS : EXIT_FAILURE;
}
