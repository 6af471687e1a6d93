#!/usr/bin/env bash
# Creates the private Wine prefix the end-to-end tests share, with COM1 to COM4
# and COM12 leading to fixed paths where the simulated adapter links its pty.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WINE_TEST_PORTS"
# COM12 as well: from COM10 up, Windows opens a port only by its \\.\ name.
"$WINE" reg add 'HKLM\Software\Wine\Ports' /v COM12 /d "$WINE_TEST_PORTS/com12" /f >/dev/null 2>&1
if map_com_ports "$WINE_TEST_PORTS"/com{1..4} &&
  [ "$(readlink "$WINEPREFIX/dosdevices/com12")" == "$WINE_TEST_PORTS/com12" ]; then
  echo "prefix ready: COM1 -> $WINE_TEST_PORTS/com1, COM12 -> $WINE_TEST_PORTS/com12"
else
  echo "COM1 mapping did not take effect"
  ls -l "$WINE_TEST_PREFIX/dosdevices"
  exit 1
fi
