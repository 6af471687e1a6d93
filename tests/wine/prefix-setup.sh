#!/usr/bin/env bash
# Creates the private Wine prefix the end-to-end tests share, with COM1 to COM4
# leading to fixed paths where the simulated adapter links its pty. Wine
# rewrites dosdevices/comN from auto-detected serial devices each time its
# server starts, so the mapping goes through HKLM\Software\Wine\Ports.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WINE_TEST_PORTS"
"$WINE" wineboot -i >/dev/null 2>&1 || true
for n in 1 2 3 4; do
  "$WINE" reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /d "$WINE_TEST_PORTS/com$n" /f >/dev/null 2>&1
done
"$WINESERVER" -k 2>/dev/null || true

# Start the server once more so the device manager applies the mapping.
"$WINE" reg query 'HKLM\Software\Wine\Ports' >/dev/null 2>&1
for _ in $(seq 200); do
  [ "$(readlink "$WINE_TEST_PREFIX/dosdevices/com1" 2>/dev/null)" == "$WINE_TEST_PORTS/com1" ] && {
    echo "prefix ready: COM1 -> $WINE_TEST_PORTS/com1"
    exit 0
  }
  sleep 0.1
done
echo "COM1 mapping did not take effect"
ls -l "$WINE_TEST_PREFIX/dosdevices"
exit 1
