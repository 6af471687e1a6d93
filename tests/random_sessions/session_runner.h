// The driver of a randomized suite: many short sessions of a program, each
// drawn from its own 64-bit seed so that any one can be replayed alone.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What one session found.
struct SessionResult {
  std::vector<std::string> problems;  // empty when the session passed
  std::vector<std::string> paths;     // the paths through the program it took
  std::string description;            // what was drawn, shown for a failing session
};

using Session = std::function<SessionResult(std::uint64_t seed)>;

// `text` on one line for a session's description: line ends as \n, other
// bytes outside printable ASCII, and the backslash, as \xNN.
std::string Printable(const std::string& text);

// Runs a suite from its command line:
//   (no options)    sessions of the fixed seeds 1..10000, then 10000 sessions
//                   of fresh seeds F..F+9999 from a new F, printed first
//   --sessions N    N sessions in each of the two parts
//   --fresh-seed F  the fresh part starts at F (replays a whole earlier run)
//   --seed S        only the session of seed S, described in full
// Every failing session is reported with the command that replays it; a
// session that crashes, trips a sanitizer or does not end within a minute
// reports its seed before the process dies. A run of 1000 or more sessions a
// part also fails when some path in `expectedPaths` was never taken. Returns
// the exit status.
int RunRandomizedSuite(int argc, char** argv, const char* suiteName,
                       const std::vector<std::string>& expectedPaths, const Session& session);
