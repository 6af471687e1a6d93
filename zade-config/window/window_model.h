// What the window shows and allows, apart from how Windows draws it: the
// port list's entries and the choice made in it, the three modes, when Write
// may be pressed, what waits for the end of a run, and the result line of a
// run.
#pragma once

#include "bounded_text.h"
#include "catalog.h"
#include "mode_exchange.h"
#include "one_shot.h"
#include "port_table.h"

using EntryText = BoundedText<kMaxPortName + 600>;

// "COM12 - USB Serial Port (COM12) - USB 0403:6001": the name, the friendly
// name (or the kernel's device) and the USB vendor and product, where known.
EntryText PortEntry(const PortFacts& port);

// How wide the port list drops, in pixels: wide enough for its widest entry
// and what frames the entries (border, scroll bar), never narrower than the
// control itself nor wider than the screen.
int DroppedListWidth(int widestEntry, int frame, int controlWidth, int screenWidth);

// The entry chosen when the list is read: the one that was chosen before
// (`previous`, a port's name, or empty), when it is still there; else the only
// USB serial port; else none (-1).
int ChosenEntry(const PortTable& ports, const char* previous);

// Write may be pressed once a port and a mode are chosen, and no run is on.
bool WriteAllowed(int chosenPort, int chosenMode, bool running);

// How long after Close during a run the program ends at the latest, even
// while a call of the port has not returned (writes have no time limit).
constexpr unsigned kCloseAtLatestMs = 5000;

// What the window's choices and its run allow, between Windows' messages.
// A run holds back what would change what it works on: a new list of the
// ports waits for its end, and so does the end of the program.
class WindowFlow {
 public:
  int chosenPort = -1;
  int chosenMode = -1;

  bool Running() const { return running_; }
  bool MayWrite() const { return WriteAllowed(chosenPort, chosenMode, running_); }
  // Write: whether a run starts now.
  bool StartRun();
  // The run could not be started after all.
  void RunNotStarted() { running_ = false; }
  // Refresh, F5 or a device change: whether the ports are read now; during a
  // run the read is kept for its end.
  bool RequestPortRead();
  // Close: whether the program ends now; during a run the end is kept for the
  // run's end.
  bool RequestClose();

  enum class AfterRun { Close, ShowOutcome, ShowOutcomeAndReadPorts };
  AfterRun EndRun();

 private:
  bool running_ = false;
  bool readPortsAfterRun_ = false;
  bool closeAfterRun_ = false;
};

using ResultText = BoundedText<2 * OutcomeLines::kCapacity + 64>;

// "Writing 100 kbit/s (K-CAN) to COM12..." in the language.
ResultText WritingText(Language language, int chosenMode, const PortFacts& port);

// The outcome's lines in the language (in English the one-shot run's own,
// its standard output first), parted by CR LF, as an edit control shows
// lines.
ResultText OutcomeText(Language language, const OneShotOutcome& outcome);
