// Kept apart from the window's texts, so that the exes link none of it.
#include "ascii_case.h"
#include "catalog.h"

namespace {

constexpr PageCatalog kEnglish = {
    "Port %u",
    "Choose port…",
    "This browser cannot reach serial ports. Use Chrome or Edge (version 89 or later), or "
    "zade-config-gui.exe on Windows.",
};

constexpr PageCatalog kGerman = {
    "Anschluss %u",
    "Anschluss wählen…",
    "Dieser Browser kann keine seriellen Anschlüsse erreichen. Nehmen Sie Chrome oder Edge (ab "
    "Version 89) oder unter Windows zade-config-gui.exe.",
};

constexpr PageCatalog kFrench = {
    "Port %u",
    "Choisir le port…",
    "Ce navigateur ne peut pas accéder aux ports série. Utilisez Chrome ou Edge (version 89 ou "
    "ultérieure), ou zade-config-gui.exe sous Windows.",
};

// The tag's primary subtag is the two-letter LANGUAGE, in any case.
bool PrimaryIs(const char* tag, const char* language) {
  if (!SameAsciiIgnoringCase(tag, language, 2)) return false;
  return tag[2] == '\0' || tag[2] == '-' || tag[2] == '_';
}

}  // namespace

const PageCatalog& PageCatalogFor(Language language) {
  return ForLanguage(language, kEnglish, kGerman, kFrench);
}

Language LanguageForTag(const char* tag) {
  if (tag == nullptr) return Language::English;
  if (PrimaryIs(tag, "de")) return Language::German;
  if (PrimaryIs(tag, "fr")) return Language::French;
  return Language::English;
}
