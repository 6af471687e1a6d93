// Every text the window shows, in English, German and French, apart from
// what Windows gives (port names, friendly names, hardware IDs): its caption,
// labels and buttons, the modes, the running and no-port lines, and the
// result of a one-shot run made from the outcome's data. UTF-8, with `&`
// before a control's mnemonic. The command line keeps its English lines.
#pragma once

#include "one_shot.h"

enum class Language { English, German, French };

// The modes as the window and the page offer them, in order; their texts are
// the catalog's.
constexpr CanBusMode kModeChoices[] = {kMode500kDCan, kMode100kKCan, kModeCanOff};
constexpr int kModeChoiceCount = sizeof kModeChoices / sizeof kModeChoices[0];

// The one of three for the language, English for any other value.
template <class Texts>
const Texts& ForLanguage(Language language, const Texts& english, const Texts& german,
                         const Texts& french) {
  return language == Language::German ? german : language == Language::French ? french : english;
}

// The language for a system language, by its primary language ID (the low
// ten bits of a Windows LANGID): German and French whatever the country,
// English for every other.
Language LanguageForPrimary(unsigned primaryLanguageId);

struct Catalog {
  const char* caption;
  const char* portLabel;
  const char* refresh;
  const char* modeGroup;
  const char* modes[3];  // in the order of the window's choices: 500, 100, off
  const char* write;
  const char* resultLabel;
  const char* close;
  const char* writing;  // "Writing %s to %s...": the mode's name, then the port
  const char* noPort;
};
const Catalog& CatalogFor(Language language);

// A mode's text without its mnemonic: "100 kbit/s (K-CAN)".
BoundedText<64> WithoutMnemonic(const char* label);

// The outcome's lines in the language, each ending with a newline: in
// English the one-shot run's own, standard output's first.
OutcomeLines ResultLines(const OneShotOutcome& outcome, Language language);

// The web page's own texts, beside the window's.
struct PageCatalog {
  const char* port;         // "Port %u": a port the page may use, by its place in the list
  const char* choosePort;   // the button that asks the browser for another port
  const char* unsupported;  // in place of the controls, where the browser reaches no port
};
const PageCatalog& PageCatalogFor(Language language);

// The language for a browser's language tag ("de-AT", "fr", "en-US"):
// German and French whatever the region, English for every other.
Language LanguageForTag(const char* tag);
