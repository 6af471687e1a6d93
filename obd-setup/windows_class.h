// The Windows version test: obd-setup works only on the NT family, and the
// service settings it expects differ between NT 4 and later versions.
#pragma once

#include <cstdint>
#include <cstdio>

enum class WindowsClass : std::uint8_t {
  NotNt = 0,    // Windows 95, 98, Me: not the NT family
  Nt4 = 1,      // NT family, major version below 5
  Win2000 = 2,  // NT family, major version 5 or more, minor version 0 (5.0, 6.0)
  WinXp = 3,    // NT family, major version 5 or more, any other minor version
};

// Classes the system from its version word (as GetVersion returns it: bit 31
// set when not NT, the major version in the low byte, the minor version in the
// next byte, the build number in the high 16 bits) and prints the version
// line, followed by a blank line, to `out`.
WindowsClass ClassifyWindows(std::uint32_t versionWord, std::FILE* out);
