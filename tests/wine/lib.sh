# shellcheck shell=bash
# Sourced by the Wine end-to-end tests, and the runner of the shared
# scenarios that starts the Windows programs under Wine. The test environment
# (set by CMake) gives WINE, WINESERVER, WINE_TEST_PREFIX, WINE_TEST_PORTS and
# BIN_DIR. COM1 to COM4 and COM12 of the prefix lead to $WINE_TEST_PORTS/comN,
# where a running simulator links its pty.
export WINEPREFIX=$WINE_TEST_PREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
source "$SOURCE_DIR/tests/e2e/lib.sh"
# Without a runtime folder Wine 10's display driver complains on the error
# stream of the program it starts with.
export XDG_RUNTIME_DIR=$TEST_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

PIPED_LINE_END='\r\n'  # the C runtime's text mode
PIPED_PREFIX=()  # with both redirected, Wine gives the program no console
port_link() { echo "$WINE_TEST_PORTS/com$1"; }
program_command() { PROGRAM=("$WINE" "$BIN_DIR/${1%.exe}.exe"); }
stop_runner() {
  remove_added_usb_ports
  "$WINESERVER" -k 2>/dev/null || true
}
# A server started by a program would write to the program's error stream.
# (Before the prefix is made there is none to start.)
"$WINESERVER" -p >/dev/null 2>&1 || true
# The ports the prefix maps, which the port list shows (none is on USB), and
# what the open error adds for a port the prefix does not map.
LISTED_TEST_PORTS=(COM1 COM2 COM3 COM4 COM12)
MISSING_PORT_REASON="Not found: there is no such port."

# windows_version NAME: what GetVersion reports (nt40, win2k, winxp, win7, win95...).
windows_version() {
  "$WINE" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# The devices add_port_device added, which leave the shared prefix with the
# test.
remove_added_usb_ports() {
  local instance
  for instance in "${ADDED_PORT_DEVICES[@]}"; do remove_port_device "$instance"; done
  ADDED_PORT_DEVICES=()
}

# remove_port_device INSTANCE: a device add_port_device added goes.
remove_port_device() {
  "$WINE" reg delete "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\$1" /f >/dev/null 2>&1 || true
  "$WINE" reg delete "$(port_interface "$1")" /f >/dev/null 2>&1 || true
}
