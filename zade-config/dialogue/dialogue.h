// The configuration dialogue: port question, menu, CAN mode question and the
// result screen. Written over two seams so it runs against the real console
// and serial port on Windows and against doubles in the unit tests:
//   Console: Write(text), MoveCursor(x, y), WaitKey(), ReadChar(char&) -> bool
//   Port:    Open(name, baud, timeoutMs), Close(), SetTimeouts(ms),
//            Read(buffer, count), Write(buffer, count)
#pragma once

#include <cstdint>

#include "mode_exchange.h"
#include "mode_text.h"
#include "screen.h"

constexpr int kExitOk = 0;
constexpr int kExitFailed = -1;  // the platform's exit code with all bits set

namespace dialogue_detail {

template <class Console>
int FailWithKeyWait(Console& console) {
  console.Write("Press Enter...");
  console.WaitKey();
  return kExitFailed;
}

// Standard input ended (or failed) at a question that has no usable default.
template <class Console>
int EndWithoutAnswer(Console& console) {
  console.Write("\nNo answer read: nothing was sent to the adapter.\n");
  return kExitFailed;
}

template <class Console>
void ShowCanModeScreen(Console& console) {
  ClearAndHome(console);
  console.Write("\n");
  console.Write("------------ CAN MODE ------------\n");
  console.Write("1 = 500 kbit/s D-CAN and PTCAN\n9 = 100 kbit/s K-CAN\n0 = CAN OFF\n");
  console.Write("----------------------------------\n");
  console.Write("Input CAN BUS MODE : ");
}

template <class Console>
int ShowResult(Console& console, CanBusMode reported) {
  ClearScreen(console);
  console.MoveCursor(0, 0);
  console.Write("\nOK!!!\n");
  console.Write(ModeLine(reported).text);
  console.Write("\n");
  console.Write("Press Enter...");
  console.WaitKey();
  return kExitOk;
}

}  // namespace dialogue_detail

// From the banner and menu on, with the port `name` shows and `device` opens.
template <class Port, class Console>
int RunDialogueFromMenu(Port& port, Console& console, const char* name, const char* device) {
  using namespace dialogue_detail;
  char choice = '\0';
  ModeFrame frame{};
  ShowBanner(console);

  // Every menu answer reopens the port, so a port that went away shows up
  // before anything is sent.
  while (choice != '1') {
    if (choice == '0') return kExitOk;
    if (!console.ReadChar(choice)) return EndWithoutAnswer(console);
    ClearScreen(console);
    ShowBanner(console);
    port.Close();
    if (!port.Open(device, kBaudRate, kOpenTimeoutMs)) {
      console.Write("Error: ");
      console.Write(name);
      console.Write(" in use or does not exist.\n");
      return FailWithKeyWait(console);
    }
  }

  PrepareLine(port, frame);
  ShowCanModeScreen(console);
  char modeChar = '\0';
  if (!console.ReadChar(modeChar)) return EndWithoutAnswer(console);
  const auto mode = static_cast<CanBusMode>(modeChar - '0');
  console.Write("\n");

  CanBusMode reported = 0;
  if (!SendMode(port, frame, mode, reported)) {
    console.Write("\nError, adapter not conected!!!\n");
    return FailWithKeyWait(console);
  }
  return ShowResult(console, reported);
}

template <class Port, class Console>
int RunDialogue(Port& port, Console& console) {
  char portName[] = "COM1";  // the answer replaces the digit
  ClearScreen(console);
  console.MoveCursor(0, 0);
  console.Write(
      "1.Connect D-CAN adapter to USB port\n2.Connect D-CAN adapter to car OBD connector.\n");
  console.Write("3.Enter COM port number '1,2,3...': ");
  console.ReadChar(portName[3]);  // without an answer the port stays COM1
  return RunDialogueFromMenu(port, console, portName, portName);
}
