// The web page: what it shows, in its language, and the one-shot run on the
// port it chose. The page names a port by its place in its list, "Port 1",
// since a browser tells no port's system name. The browser's side of it is
// platform/web/.
#pragma once

#include "bounded_text.h"
#include "catalog.h"
#include "one_shot.h"

using PageText = BoundedText<320>;

// The page's texts, in the order it lays them out.
enum class PageTextKey {
  Caption,
  PortLabel,
  ChoosePort,
  ModeGroup,
  Mode500,
  Mode100,
  ModeOff,
  Write,
  ResultLabel,
  Unsupported,
};
constexpr int kPageTextCount = static_cast<int>(PageTextKey::Unsupported) + 1;

// A text of the page, without the window's mnemonic.
PageText PageTextFor(Language language, PageTextKey key);

// "Port 1", "Anschluss 2": the port at place `number` (from 1) of the list.
PageText PagePortName(Language language, unsigned number);

// Its entry: the name, then " - USB 0403:6001" where the browser gives the
// port's USB vendor and product (each -1 where it gives none).
PageText PagePortEntry(Language language, unsigned number, long vendor, long product);

// "Writing 100 kbit/s (K-CAN) to Port 1..." for the mode of choice `choice`.
PageText PageWritingText(Language language, int choice, unsigned number);

// The mode of choice `choice` set on `port`, the page's port `number`; the
// outcome names it as the page does.
template <class Port>
OneShotOutcome SetModeFromPage(Port& port, Language language, int choice, unsigned number) {
  PortArgument target;
  target.name = PagePortName(language, number).c_str();
  target.device = target.name;  // the browser's port, which the page gave the platform
  return SetModeOnce(port, target, kModeChoices[choice], FailureLookups{});
}
