#include "catalog.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "doubles.h"

namespace {

constexpr Language kLanguages[] = {Language::English, Language::German, Language::French};

// French may set a no-break space before a colon, and a typographic
// apostrophe; compared as plain ones.
std::string Plain(std::string text) {
  for (const std::string& from : {std::string("\xC2\xA0"), std::string("\xE2\x80\x99")}) {
    for (std::size_t at; (at = text.find(from)) != std::string::npos;) {
      text.replace(at, from.size(), from.size() == 2 ? " " : "'");
    }
  }
  return text;
}

TEST(Catalog, EveryTextInEveryLanguageAndNoMnemonicTwice) {
  for (const Language language : kLanguages) {
    const Catalog& texts = CatalogFor(language);
    const char* all[] = {texts.caption,     texts.portLabel, texts.refresh,  texts.modeGroup,
                         texts.modes[0],    texts.modes[1],  texts.modes[2], texts.write,
                         texts.resultLabel, texts.close,     texts.writing,  texts.noPort};
    const PageCatalog& page = PageCatalogFor(language);
    for (const char* text : all) EXPECT_TRUE(text != nullptr && text[0] != '\0');
    for (const char* text : {page.port, page.choosePort, page.unsupported}) {
      EXPECT_TRUE(text != nullptr && text[0] != '\0');
    }
    EXPECT_NE(std::strstr(page.port, "%u"), nullptr) << "a port is named by its number";
    // The group box has none: it is no control a key reaches.
    const char* controls[] = {texts.portLabel, texts.refresh, texts.modes[0],    texts.modes[1],
                              texts.modes[2],  texts.write,   texts.resultLabel, texts.close};
    std::set<int> mnemonics;
    for (const char* control : controls) {
      const char* mark = std::strchr(control, '&');
      ASSERT_NE(mark, nullptr) << control;
      EXPECT_TRUE(mnemonics.insert(std::tolower(static_cast<unsigned char>(mark[1]))).second)
          << control << ": its mnemonic is another control's";
    }
  }
}

TEST(Catalog, TheWindowsLanguageByItsPrimaryLanguage) {
  EXPECT_EQ(LanguageForPrimary(0x07), Language::German);  // de-DE, de-AT, de-CH alike
  EXPECT_EQ(LanguageForPrimary(0x0C), Language::French);
  EXPECT_EQ(LanguageForPrimary(0x09), Language::English);
  EXPECT_EQ(LanguageForPrimary(0x10), Language::English) << "Italian";
  EXPECT_EQ(LanguageForPrimary(0x11), Language::English) << "Japanese";
}

TEST(Catalog, TheBrowsersLanguageByItsTag) {
  const struct {
    const char* tag;
    Language language;
  } cases[] = {
      {"de", Language::German},     {"de-AT", Language::German}, {"DE-ch", Language::German},
      {"fr", Language::French},     {"fr-CA", Language::French}, {"en-US", Language::English},
      {"it-IT", Language::English}, {"dsb", Language::English},  {"frr", Language::English},
      {"d", Language::English},     {"", Language::English},     {nullptr, Language::English},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LanguageForTag(c.tag), c.language) << (c.tag != nullptr ? c.tag : "no tag");
  }
}

// An outcome as the one-shot run gives it, on COM12.
OneShotOutcome Outcome(OutcomeKind kind, CanBusMode asked, CanBusMode reported) {
  OneShotOutcome outcome{};
  outcome.kind = kind;
  outcome.port = "COM12";
  outcome.asked = asked;
  outcome.reported = reported;
  return outcome;
}

TEST(Catalog, EachOutcomeInGermanAndFrench) {
  OneShotOutcome noEcho = Outcome(OutcomeKind::NoEcho, kMode100kKCan, 0);
  noEcho.sent = {0x81, 0x00, 0x00, 0x09, 0x8A};
  noEcho.read = {0x55, 0x55, 0x55, 0x55, 0x55};
  noEcho.readCount = 5;
  OneShotOutcome held = Outcome(OutcomeKind::NotOpened, kMode100kKCan, 0);
  held.failure.kind = OpenFailureKind::AccessDenied;
  OneShotOutcome missing = held;
  missing.failure.kind = OpenFailureKind::NotFound;
  OneShotOutcome unknown = held;
  unknown.failure.kind = OpenFailureKind::Unknown;
  struct Case {
    OneShotOutcome outcome;
    const char* german;
    const char* french;
  } cases[] = {
      {Outcome(OutcomeKind::Done, kMode100kKCan, kMode100kKCan),
       "COM12: CAN-Bus-Modus 9: 100 kbit/s (K-CAN)\n",
       "COM12 : mode du bus CAN 9 : 100 kbit/s (K-CAN)\n"},
      {Outcome(OutcomeKind::Done, kModeCanOff, kModeCanOff), "COM12: CAN-Bus-Modus 0: CAN aus\n",
       "COM12 : mode du bus CAN 0 : CAN désactivé\n"},
      {Outcome(OutcomeKind::OtherMode, kMode100kKCan, 0xFF),
       "COM12: CAN-Bus-Modus FF\nVerlangt: CAN-Bus-Modus 9: 100 kbit/s (K-CAN)\n",
       "COM12 : mode du bus CAN FF\nDemandé : mode du bus CAN 9 : 100 kbit/s (K-CAN)\n"},
      {Outcome(OutcomeKind::OtherMode, kMode500kDCan, kMode100kKCan),
       "COM12: CAN-Bus-Modus 9: 100 kbit/s (K-CAN)\n"
       "Verlangt: CAN-Bus-Modus 1: 500 kbit/s (D-CAN, PT-CAN)\n",
       "COM12 : mode du bus CAN 9 : 100 kbit/s (K-CAN)\n"
       "Demandé : mode du bus CAN 1 : 500 kbit/s (D-CAN, PT-CAN)\n"},
      {Outcome(OutcomeKind::NoAnswer, kMode100kKCan, 0), "Fehler: Der Adapter antwortet nicht.\n",
       "Erreur : l'adaptateur ne répond pas.\n"},
      {noEcho, "Kein Echo der Anfrage: gesendet 81 00 00 09 8A, gelesen 55 55 55 55 55\n",
       "Pas d'écho de la requête : envoyé 81 00 00 09 8A, lu 55 55 55 55 55\n"},
      {held,
       "Fehler: COM12 ist belegt oder existiert nicht.\n"
       "Zugriff verweigert: Ein anderes Programm verwendet den Anschluss.\n",
       "Erreur : COM12 est occupé ou n'existe pas.\n"
       "Accès refusé : un autre programme utilise le port.\n"},
      {missing,
       "Fehler: COM12 ist belegt oder existiert nicht.\n"
       "Nicht gefunden: Diesen Anschluss gibt es nicht.\n",
       "Erreur : COM12 est occupé ou n'existe pas.\nIntrouvable : ce port n'existe pas.\n"},
      {unknown, "Fehler: COM12 ist belegt oder existiert nicht.\n",
       "Erreur : COM12 est occupé ou n'existe pas.\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResultLines(c.outcome, Language::German).c_str(), std::string(c.german));
    EXPECT_EQ(Plain(ResultLines(c.outcome, Language::French).c_str()), c.french);
  }
}

// In English the lines are the one-shot run's own, which the command line
// writes; the run's data is what the other languages say.
TEST(Catalog, TheRunGivesItsDataAndItsEnglishLines) {
  std::string log;
  FakePort port(log);
  FakeAdapter adapter;
  port.adapter = &adapter;
  PortArgument target;
  ASSERT_TRUE(ParsePortArgument("COM12", PortStyle::Windows, target));
  const OneShotOutcome done = SetModeOnce(port, target, kMode100kKCan, {});
  EXPECT_EQ(done.kind, OutcomeKind::Done);
  EXPECT_STREQ(done.port.c_str(), "COM12");
  EXPECT_EQ(done.asked, kMode100kKCan);
  EXPECT_EQ(done.reported, kMode100kKCan);
  EXPECT_STREQ(ResultLines(done, Language::English).c_str(),
               "COM12: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\n");

  FakeAdapter babbling;
  babbling.echoes = false;
  babbling.between.assign(8, 0x55);
  port.Close();
  port.adapter = &babbling;
  const OneShotOutcome noEcho = SetModeOnce(port, target, kMode100kKCan, {});
  EXPECT_EQ(noEcho.kind, OutcomeKind::NoEcho);
  EXPECT_EQ(
      ResultLines(noEcho, Language::German).c_str(),
      std::string("Kein Echo der Anfrage: gesendet 81 00 00 09 8A, gelesen 55 55 55 55 55\n"));
  EXPECT_STREQ(ResultLines(noEcho, Language::English).c_str(), noEcho.problems.c_str());
}

TEST(Catalog, TheWritingLineNamesTheModeThenThePort) {
  const std::string mode = WithoutMnemonic(CatalogFor(Language::German).modes[1]).c_str();
  char line[160];
  std::snprintf(line, sizeof line, CatalogFor(Language::German).writing, mode.c_str(), "COM12");
  EXPECT_STREQ(line, "100 kbit/s (K-CAN) wird auf COM12 geschrieben...");
  std::snprintf(line, sizeof line, CatalogFor(Language::French).writing,
                WithoutMnemonic(CatalogFor(Language::French).modes[2]).c_str(), "COM12");
  EXPECT_STREQ(line, "Écriture de CAN désactivé sur COM12...");
}

}  // namespace
