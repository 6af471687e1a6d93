// The random side of an obd-setup session, drawn from its generator: a
// version word and the registry the audit finds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "random.h"

inline const char kExpectedGroup[] = "Extended base";
constexpr std::size_t kGroupRoom = 32;  // bytes the Group value may take, terminator included

// The service values in the order the checks run.
inline const char* const kCheckNames[] = {
    "Type",   "Start",  "Group",       "ErrorControl", "Tag", "ForceFifoEnable",
    "RxFIFO", "TxFIFO", "PermitShare", "LogFifo"};

std::uint32_t DrawVersionWord(Random& random);

// Sets up the registry double: the key, its values and the failures.
void DrawRegistry(Random& random);
