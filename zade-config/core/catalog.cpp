#include "catalog.h"

namespace {

// French sets a no-break space before a colon.
#define NBSP "\xC2\xA0"

constexpr Catalog kEnglish = {
    "ORX D-CAN USB interface: CAN bus mode",
    "&Port:",
    "&Refresh",
    "CAN bus mode",
    {"&500 kbit/s (D-CAN, PT-CAN)", "&100 kbit/s (K-CAN)", "CAN &off"},
    "&Write",
    "Res&ult:",
    "&Close",
    "Writing %s to %s...",
    "No serial port found: connect the adapter, then press Refresh.",
};

constexpr Catalog kGerman = {
    "ORX D-CAN USB-Interface: CAN-Bus-Modus",
    "&Anschluss:",
    "A&ktualisieren",
    "CAN-Bus-Modus",
    {"&500 kbit/s (D-CAN, PT-CAN)", "&100 kbit/s (K-CAN)", "CAN a&us"},
    "Sch&reiben",
    "&Ergebnis:",
    "&Schließen",
    "%s wird auf %s geschrieben...",
    "Kein serieller Anschluss gefunden: Adapter anschließen, dann Aktualisieren drücken.",
};

constexpr Catalog kFrench = {
    "Interface USB ORX D-CAN" NBSP ": mode du bus CAN",
    "&Port" NBSP ":",
    "&Actualiser",
    "Mode du bus CAN",
    {"&500 kbit/s (D-CAN, PT-CAN)", "&100 kbit/s (K-CAN)", "CAN &désactivé"},
    "É&crire",
    "&Résultat" NBSP ":",
    "&Fermer",
    "Écriture de %s sur %s...",
    "Aucun port série trouvé" NBSP ": branchez l’adaptateur, puis cliquez sur Actualiser.",
};

// The result lines' words in German and French.
struct ResultWords {
  const char* modeLine;  // "%s: CAN-Bus-Modus %X": the port, the value
  const char* modeName;  // ": %s": the mode's name after its value
  const char* asked;     // "Verlangt: CAN-Bus-Modus %X"
  const char* noAnswer;
  const char* noEcho;        // "Kein Echo der Anfrage: gesendet%s, gelesen%s"
  const char* notOpened;     // "Fehler: %s ist belegt oder existiert nicht."
  const char* accessDenied;  // the reason where another program holds the port
  const char* notFound;      // the reason where there is no such port
};

constexpr ResultWords kGermanWords = {
    "%s: CAN-Bus-Modus %X",
    ": %s",
    "Verlangt: CAN-Bus-Modus %X",
    "Fehler: Der Adapter antwortet nicht.",
    "Kein Echo der Anfrage: gesendet%s, gelesen%s",
    "Fehler: %s ist belegt oder existiert nicht.",
    "Zugriff verweigert: Ein anderes Programm verwendet den Anschluss.",
    "Nicht gefunden: Diesen Anschluss gibt es nicht.",
};

constexpr ResultWords kFrenchWords = {
    "%s" NBSP ": mode du bus CAN %X",
    NBSP ": %s",
    "Demandé" NBSP ": mode du bus CAN %X",
    "Erreur" NBSP ": l’adaptateur ne répond pas.",
    "Pas d’écho de la requête" NBSP ": envoyé%s, lu%s",
    "Erreur" NBSP ": %s est occupé ou n’existe pas.",
    "Accès refusé" NBSP ": un autre programme utilise le port.",
    "Introuvable" NBSP ": ce port n’existe pas.",
};

// The mode's place among the choices; -1 for a value they offer none.
int ChoiceOf(CanBusMode mode) {
  for (int i = 0; i < kModeChoiceCount; ++i) {
    if (kModeChoices[i] == mode) return i;
  }
  return -1;
}

// "CAN-Bus-Modus 9: 100 kbit/s (K-CAN)", after FORMAT's other words.
void AppendMode(OutcomeLines& lines, const char* format, const char* port, CanBusMode mode,
                const ResultWords& words, const Catalog& catalog) {
  if (port != nullptr) {
    lines.AppendFormat(format, port, static_cast<unsigned>(mode));
  } else {
    lines.AppendFormat(format, static_cast<unsigned>(mode));
  }
  const int choice = ChoiceOf(mode);
  if (choice >= 0)
    lines.AppendFormat(words.modeName, WithoutMnemonic(catalog.modes[choice]).c_str());
  lines.Append("\n");
}

BoundedText<32> Bytes(const ModeFrame& frame, std::uint32_t count) {
  BoundedText<32> text;
  for (std::uint32_t i = 0; i < count && i < frame.size(); ++i)
    text.AppendFormat(" %02X", frame[i]);
  return text;
}

OutcomeLines TranslatedLines(const OneShotOutcome& outcome, const ResultWords& words,
                             const Catalog& catalog) {
  OutcomeLines lines;
  const char* port = outcome.port.c_str();
  switch (outcome.kind) {
    case OutcomeKind::Done:
      AppendMode(lines, words.modeLine, port, outcome.reported, words, catalog);
      break;
    case OutcomeKind::OtherMode:
      AppendMode(lines, words.modeLine, port, outcome.reported, words, catalog);
      AppendMode(lines, words.asked, nullptr, outcome.asked, words, catalog);
      break;
    case OutcomeKind::NoAnswer:
      lines.AppendFormat("%s\n", words.noAnswer);
      break;
    case OutcomeKind::NoEcho:
      lines.AppendFormat(words.noEcho, Bytes(outcome.sent, 5).c_str(),
                         Bytes(outcome.read, outcome.readCount).c_str());
      lines.Append("\n");
      break;
    case OutcomeKind::NotOpened:
      lines.AppendFormat(words.notOpened, port);
      lines.Append("\n");
      if (outcome.failure.kind == OpenFailureKind::AccessDenied) {
        lines.AppendFormat("%s\n", words.accessDenied);
      } else if (outcome.failure.kind == OpenFailureKind::NotFound) {
        lines.AppendFormat("%s\n", words.notFound);
      } else {
        // The reasons of other systems' ports, which the window never meets.
        const BoundedText<160> reason = OpenFailureReason(outcome.failure);
        if (!reason.empty()) lines.AppendFormat("%s\n", reason.c_str());
      }
      break;
  }
  return lines;
}

}  // namespace

Language LanguageForPrimary(unsigned primaryLanguageId) {
  switch (primaryLanguageId) {
    case 0x07:  // LANG_GERMAN
      return Language::German;
    case 0x0C:  // LANG_FRENCH
      return Language::French;
    default:
      return Language::English;
  }
}

const Catalog& CatalogFor(Language language) {
  return ForLanguage(language, kEnglish, kGerman, kFrench);
}

BoundedText<64> WithoutMnemonic(const char* label) {
  BoundedText<64> text;
  for (const char* c = label; *c != '\0'; ++c) {
    if (*c != '&') text.AppendFormat("%c", *c);
  }
  return text;
}

OutcomeLines ResultLines(const OneShotOutcome& outcome, Language language) {
  switch (language) {
    case Language::German:
      return TranslatedLines(outcome, kGermanWords, kGerman);
    case Language::French:
      return TranslatedLines(outcome, kFrenchWords, kFrench);
    default:
      return OutcomeLines().AppendFormat("%s%s", outcome.result.c_str(), outcome.problems.c_str());
  }
}
