# shellcheck shell=bash
# The window's texts in each language, by the locale Wine is given, for the
# tests of the window in that language. French may set a no-break space
# before a colon and a typographic apostrophe: the tests compare what the
# window shows through `plain`, which makes them plain ones. The result lines
# are for a run on COM12 that asks for 100 kbit/s, lines parted by "|".
#
# With a locale, `use_language LOCALE` sets LANGUAGE_TEXT to its row; an
# unknown locale is English, as the window has it.

# shellcheck disable=SC2034  # the rows are read through LANGUAGE_TEXT
declare -A ENGLISH=(
  [caption]="ORX D-CAN USB interface: CAN bus mode"
  [port]="&Port:"
  [refresh]="&Refresh"
  [group]="CAN bus mode"
  [mode-500]="&500 kbit/s (D-CAN, PT-CAN)"
  [mode-100]="&100 kbit/s (K-CAN)"
  [mode-off]="CAN &off"
  [write]="&Write"
  [result]="Res&ult:"
  [close]="&Close"
  [writing]="Writing 100 kbit/s (K-CAN) to COM12..."
  [no-port]="No serial port found: connect the adapter, then press Refresh."
  [done]="COM12: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )"
  [other-mode]="COM12: CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )|Asked for CAN BUS mode =  9    ( 100 kbit/s - K-CAN )"
  [no-answer]="Error, adapter not conected!!!"
  [no-echo]="No echo of the request: sent 81 00 00 09 8A, read 55 55 55 55 55"
  [busy]="Error: COM12 in use or does not exist.|Access denied: another program holds it."
  [missing]="Error: COM12 in use or does not exist."
)
declare -A GERMAN=(
  [caption]="ORX D-CAN USB-Interface: CAN-Bus-Modus"
  [port]="&Anschluss:"
  [refresh]="A&ktualisieren"
  [group]="CAN-Bus-Modus"
  [mode-500]="&500 kbit/s (D-CAN, PT-CAN)"
  [mode-100]="&100 kbit/s (K-CAN)"
  [mode-off]="CAN a&us"
  [write]="Sch&reiben"
  [result]="&Ergebnis:"
  [close]="&Schließen"
  [writing]="100 kbit/s (K-CAN) wird auf COM12 geschrieben..."
  [no-port]="Kein serieller Anschluss gefunden: Adapter anschließen, dann Aktualisieren drücken."
  [done]="COM12: CAN-Bus-Modus 9: 100 kbit/s (K-CAN)"
  [other-mode]="COM12: CAN-Bus-Modus 1: 500 kbit/s (D-CAN, PT-CAN)|Verlangt: CAN-Bus-Modus 9: 100 kbit/s (K-CAN)"
  [no-answer]="Fehler: Der Adapter antwortet nicht."
  [no-echo]="Kein Echo der Anfrage: gesendet 81 00 00 09 8A, gelesen 55 55 55 55 55"
  [busy]="Fehler: COM12 ist belegt oder existiert nicht.|Zugriff verweigert: Ein anderes Programm verwendet den Anschluss."
  [missing]="Fehler: COM12 ist belegt oder existiert nicht."
)
declare -A FRENCH=(
  [caption]="Interface USB ORX D-CAN : mode du bus CAN"
  [port]="&Port :"
  [refresh]="&Actualiser"
  [group]="Mode du bus CAN"
  [mode-500]="&500 kbit/s (D-CAN, PT-CAN)"
  [mode-100]="&100 kbit/s (K-CAN)"
  [mode-off]="CAN &désactivé"
  [write]="É&crire"
  [result]="&Résultat :"
  [close]="&Fermer"
  [writing]="Écriture de 100 kbit/s (K-CAN) sur COM12..."
  [no-port]="Aucun port série trouvé : branchez l'adaptateur, puis cliquez sur Actualiser."
  [done]="COM12 : mode du bus CAN 9 : 100 kbit/s (K-CAN)"
  [other-mode]="COM12 : mode du bus CAN 1 : 500 kbit/s (D-CAN, PT-CAN)|Demandé : mode du bus CAN 9 : 100 kbit/s (K-CAN)"
  [no-answer]="Erreur : l'adaptateur ne répond pas."
  [no-echo]="Pas d'écho de la requête : envoyé 81 00 00 09 8A, lu 55 55 55 55 55"
  [busy]="Erreur : COM12 est occupé ou n'existe pas.|Accès refusé : un autre programme utilise le port."
  [missing]="Erreur : COM12 est occupé ou n'existe pas."
)

# The locales the window's tests run it in, beside the English of the others.
WINDOW_LOCALES=(de_DE.UTF-8 fr_FR.UTF-8 it_IT.UTF-8)

use_language() {
  case "$1" in
    de_*) declare -gn LANGUAGE_TEXT=GERMAN ;;
    fr_*) declare -gn LANGUAGE_TEXT=FRENCH ;;
    *) declare -gn LANGUAGE_TEXT=ENGLISH ;;
  esac
}

# The controls with a mnemonic, by their keys in a row, in the Tab order.
MNEMONIC_CONTROLS=(port refresh mode-500 mode-100 mode-off write result close)

# mnemonic TEXT: the key that reaches the control, the letter after "&".
mnemonic() {
  local after=${1#*&}
  printf '%s\n' "${after:0:1}" | tr '[:upper:]' '[:lower:]'
}

# plain: standard input with no-break spaces and typographic apostrophes as
# plain ones.
plain() { sed -e 's/\xc2\xa0/ /g' -e "s/\xe2\x80\x99/'/g"; }
