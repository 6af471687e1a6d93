// The random side of a dialogue session, drawn from its seed: what is typed
// and how the adapter and its line behave.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "doubles.h"
#include "timed_port.h"

struct DrawnSession {
  std::string typed;
  bool adapterPresent = true;
  FakeAdapter adapter;
  LineTiming timing;
  std::vector<std::uint8_t> stale;  // waiting on the line at each open
  bool portMissing = false;
  std::uint64_t clockStartUs = 0;
};

DrawnSession Draw(std::uint64_t seed);

// One line each for what was typed, the adapter and the line.
std::string Describe(const DrawnSession& drawn);

// The characters the dialogue's answers take from `typed`, in order.
std::string Answers(const std::string& typed);
