#include "text_output_win.h"

#include <io.h>
#include <windows.h>

#include "text_win.h"

namespace {

constexpr int kMaxWide = 2048;

}  // namespace

void WriteText(std::FILE* stream, const char* text) {
  wchar_t wide[kMaxWide];
  const int length = WideFromUtf8(text, wide, kMaxWide);
  if (length <= 1) {
    std::fputs(text, stream);
    return;
  }
  std::fflush(stream);
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  DWORD written = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) &&
      WriteConsoleW(handle, wide, static_cast<DWORD>(length - 1), &written, nullptr)) {
    return;
  }
  UINT codePage = GetConsoleOutputCP();
  if (codePage == 0) codePage = GetOEMCP();
  char bytes[4 * kMaxWide];
  const char* unmapped = codePage == CP_UTF8 ? nullptr : "?";  // UTF-8 maps every character
  if (WideCharToMultiByte(codePage, 0, wide, -1, bytes, sizeof bytes, unmapped, nullptr) == 0) {
    std::fputs(text, stream);
    return;
  }
  std::fputs(bytes, stream);
}
