#!/usr/bin/env bash
# Creates the private Wine prefix the end-to-end tests share, with COM1 to COM4
# leading to fixed paths where the simulated adapter links its pty.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WINE_TEST_PORTS"
if map_com_ports "$WINE_TEST_PORTS"/com{1..4}; then
  echo "prefix ready: COM1 -> $WINE_TEST_PORTS/com1"
else
  echo "COM1 mapping did not take effect"
  ls -l "$WINE_TEST_PREFIX/dosdevices"
  exit 1
fi
