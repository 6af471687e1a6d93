#include "text_win.h"

#include <windows.h>

Utf8Text Utf8FromWide(const wchar_t* text) {
  char utf8[4 * Utf8Text::kCapacity] = "";
  if (WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr) == 0) {
    utf8[0] = '\0';
  }
  return utf8;
}

int WideFromUtf8(const char* utf8, wchar_t* wide, int capacity) {
  const int written = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, capacity);
  if (written == 0 && capacity > 0) wide[0] = L'\0';
  return written;
}
