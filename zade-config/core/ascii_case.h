// The one comparison that ignores case: ASCII letters only, whatever the
// locale, so port names and options compare alike on every system.
#pragma once

#include <cstddef>

constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// True when a and b agree, ignoring case, in their first `length` characters
// (or all of them, ends included, when shorter).
inline bool SameAsciiIgnoringCase(const char* a, const char* b,
                                  std::size_t length = static_cast<std::size_t>(-1)) {
  for (std::size_t i = 0; i < length; ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    if (a[i] == '\0') return true;
  }
  return true;
}
