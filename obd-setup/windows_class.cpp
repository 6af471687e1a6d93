#include "windows_class.h"

WindowsClass ClassifyWindows(std::uint32_t versionWord, std::FILE* out) {
  if (versionWord & 0x80000000u) {
    std::fputs("Windows 95\n\n", out);
    return WindowsClass::NotNt;
  }
  const unsigned major = versionWord & 0xFFu;
  const unsigned minor = (versionWord >> 8) & 0xFFu;
  const unsigned build = (versionWord >> 16) & 0xFFFFu;

  if (major < 5) {
    std::fprintf(out, "Windows NT Version %u.%u Build %u\n\n", major, minor, build);
    return WindowsClass::Nt4;
  }
  // Only the minor version tells the two later classes apart, so 6.0 counts
  // as Windows 2000 and 6.1 as Windows XP.
  if (minor == 0) {
    std::fprintf(out, "Windows 2000 Version %u.%u Build %u\n\n", major, minor, build);
    return WindowsClass::Win2000;
  }
  std::fprintf(out, "Windows XP Version %u.%u Build %u\n\n", major, minor, build);
  return WindowsClass::WinXp;
}
