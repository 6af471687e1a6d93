// The dialogue's full-screen texts, drawn on any console that offers
// Write(text) and MoveCursor(x, y).
#pragma once

#include <cstddef>
#include <cstdio>

// Shown centred in banner line 2. A reserved example domain until the vendor
// publishes its own address.
constexpr const char* kVendorAddress = "www.example.com";

// 2000 cells on an 80 x 25 screen; one fewer so the screen does not scroll.
constexpr std::size_t kClearCells = 1999;

// Banner line 2: 23 blanks, the address, blanks up to 60 columns. An empty
// address leaves a blank line; a longer one is cut at 37 characters so the
// line never grows past the banner's width.
struct VendorLine {
  char text[62];
};
inline VendorLine MakeVendorLine(const char* address) {
  VendorLine line{};
  std::snprintf(line.text, sizeof line.text, "%23s%-37.37s\n", "", address);
  return line;
}

struct ClearBlanks {
  char text[kClearCells + 1];
  constexpr ClearBlanks() : text{} {
    for (std::size_t i = 0; i < kClearCells; ++i) text[i] = ' ';
  }
};
inline constexpr ClearBlanks kClearBlanks{};

template <class Console>
void ClearScreen(Console& console) {
  console.MoveCursor(0, 0);
  console.Write(kClearBlanks.text);
}

template <class Console>
void ClearAndHome(Console& console) {
  ClearScreen(console);
  console.MoveCursor(0, 0);
}

template <class Console>
void ShowBanner(Console& console) {
  static const char* const kRule = "------------------------------------------------------------\n";
  ClearScreen(console);
  console.MoveCursor(0, 0);
  console.Write("                   ORX D-CAN USB INTERFACE                   \n");
  console.Write(MakeVendorLine(kVendorAddress).text);
  console.Write(kRule);
  console.Write("           1 - Write config.        0 - Exit                \n");
  console.Write(kRule);
}
