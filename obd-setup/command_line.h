// obd-setup's command line. Without arguments the program runs as it always
// has, ending with a key; the options are for scripts and shortcuts:
//   -h, --help, /?   -V, --version   --check   --no-wait
#pragma once

#include <cstdint>
#include <cstdio>

// Carries out the command line; returns the exit status. A form with options
// ends by closing both streams with `closeStream` (std::fclose), as GNU tools
// do: output that could not be written adds kExitWriteError, and
// "obd-setup: write error: REASON" where the error stream still takes it.
int RunObdSetupCommand(int argc, const char* const* argv, std::uint32_t versionWord, std::FILE* out,
                       std::FILE* err, int (*closeStream)(std::FILE* stream));
