// The page's entry points, which its script calls (ccall): the page's texts
// in its language, and the one-shot run on the port it chose, which waits
// for the browser's serial calls while the page goes on.
#include <emscripten.h>

#include "page_model.h"
#include "serial_port_web.h"

namespace {

// What the last call gave, for the script to read before its next call.
PageText gText;
OutcomeLines gResult;

Language LanguageOf(int language) {
  return static_cast<Language>(language);
}

bool ValidChoice(int choice) {
  return choice >= 0 && choice < kModeChoiceCount;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int zc_language(const char* tag) {
  return static_cast<int>(LanguageForTag(tag));
}

EMSCRIPTEN_KEEPALIVE const char* zc_text(int language, int key) {
  gText = key >= 0 && key < kPageTextCount
              ? PageTextFor(LanguageOf(language), static_cast<PageTextKey>(key))
              : PageText();
  return gText.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* zc_port_entry(int language, unsigned number, long vendor,
                                               long product) {
  gText = PagePortEntry(LanguageOf(language), number, vendor, product);
  return gText.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* zc_writing(int language, int choice, unsigned number) {
  gText = ValidChoice(choice) ? PageWritingText(LanguageOf(language), choice, number) : PageText();
  return gText.c_str();
}

// The run's status (kExitDone when the adapter took the mode); its lines
// then come from zc_result.
EMSCRIPTEN_KEEPALIVE int zc_run(int language, int choice, unsigned number) {
  if (!ValidChoice(choice)) return kExitError;
  SerialPort port;
  const OneShotOutcome outcome = SetModeFromPage(port, LanguageOf(language), choice, number);
  port.Close();
  gResult = ResultLines(outcome, LanguageOf(language));
  return outcome.status;
}

EMSCRIPTEN_KEEPALIVE const char* zc_result() {
  return gResult.c_str();
}
}
