#include "window_model.h"

#include "ascii_case.h"

namespace {

void AppendLines(ResultText& text, const char* lines) {
  for (const char* line = lines; *line != '\0';) {
    const char* end = line;
    while (*end != '\0' && *end != '\n') ++end;
    text.AppendFormat("%s%.*s", text.empty() ? "" : "\r\n", static_cast<int>(end - line), line);
    line = *end == '\n' ? end + 1 : end;
  }
}

}  // namespace

EntryText PortEntry(const PortFacts& port) {
  EntryText entry = port.name.c_str();
  const char* what =
      port.friendlyName.empty() ? port.kernelDevice.c_str() : port.friendlyName.c_str();
  if (what[0] != '\0') entry.AppendFormat(" - %s", what);
  const UsbIdentity usb = UsbIdentityOf(port);
  if (!usb.vendor.empty())
    entry.AppendFormat(" - USB %s:%s", usb.vendor.c_str(), usb.product.c_str());
  return entry;
}

int DroppedListWidth(int widestEntry, int frame, int controlWidth, int screenWidth) {
  const int wanted = widestEntry + frame;
  return wanted < controlWidth ? controlWidth : wanted > screenWidth ? screenWidth : wanted;
}

int ChosenEntry(const PortTable& ports, const char* previous) {
  for (std::size_t i = 0; i < ports.count && previous[0] != '\0'; ++i) {
    if (SameAsciiIgnoringCase(ports.ports[i].name.c_str(), previous)) return static_cast<int>(i);
  }
  const UsbPorts usb = FindUsbPorts(ports);
  return usb.count == 1 ? static_cast<int>(usb.first - ports.ports) : -1;
}

bool WriteAllowed(int chosenPort, int chosenMode, bool running) {
  return chosenPort >= 0 && chosenMode >= 0 && chosenMode < kModeChoiceCount && !running;
}

bool WindowFlow::StartRun() {
  if (!MayWrite()) return false;
  running_ = true;
  return true;
}

bool WindowFlow::RequestPortRead() {
  readPortsAfterRun_ = running_;
  return !running_;
}

bool WindowFlow::RequestClose() {
  closeAfterRun_ = running_;
  return !running_;
}

WindowFlow::AfterRun WindowFlow::EndRun() {
  running_ = false;
  if (closeAfterRun_) return AfterRun::Close;
  const bool readPorts = readPortsAfterRun_;
  readPortsAfterRun_ = false;
  return readPorts ? AfterRun::ShowOutcomeAndReadPorts : AfterRun::ShowOutcome;
}

ResultText WritingText(Language language, int chosenMode, const PortFacts& port) {
  const Catalog& texts = CatalogFor(language);
  return ResultText().AppendFormat(texts.writing, WithoutMnemonic(texts.modes[chosenMode]).c_str(),
                                   port.name.c_str());
}

ResultText OutcomeText(Language language, const OneShotOutcome& outcome) {
  ResultText text;
  AppendLines(text, ResultLines(outcome, language).c_str());
  return text;
}
